# Front door over CMake: every target installs what is missing, then builds.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= ini lang felt placement
PACKAGE_BUILD ?= build-package
PREFIX     ?= /usr/local
GENERATOR  := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

.PHONY: all deps configure build run test test-fast test-asan bench bench-startup fuzz cardart felt cardsheet install package clean

all: build

deps:
	@tools/deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release \
	    -DZENTO_BUILD_TOOLS=ON -DZENTO_BUILD_BENCHMARKS=ON

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) --parallel

run: build
	$(BUILD)/bin/zento

# The plain build, then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
test: build test-asan
	cd $(BUILD) && ctest --output-on-failure
	cd $(ASAN_BUILD) && ctest --output-on-failure -LE e2e

test-fast: build
	cd $(BUILD) && ctest --output-on-failure

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DZENTO_SANITIZE=ON
	cmake --build $(ASAN_BUILD) --parallel

# The model's and the window's figures, then the real program's processor
# time per turn and while idle, read off one whole game under Xvfb.
bench: build
	$(BUILD)/bin/zento_bench
	$(BUILD)/bin/zento_game_bench
	$(BUILD)/bin/zento_lang_bench
	GAME_ONLY=1 bench/startup/run.sh $(BUILD)

# Each fuzz target for FUZZ_SECONDS (make fuzz FUZZ_SECONDS=600 FUZZ_TARGETS="ini lang"),
# built with clang, libFuzzer and the sanitizers in a folder of its own. `make test` only
# replays the committed corpora.
fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) --parallel --target fuzz_all
	tools/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Start to the table window and memory against a bare Qt window, under a
# private Xvfb; ROUNDS=n for more rounds, GAME_EVERY_ROUND=1 for a game in each.
ROUNDS ?= 9
GAME_EVERY_ROUND ?= 0
bench-startup: build
	ROUNDS=$(ROUNDS) GAME_EVERY_ROUND=$(GAME_EVERY_ROUND) bench/startup/run.sh $(BUILD)

# Regenerate the committed artwork.
cardart: build
	$(BUILD)/bin/cardart resources
	$(BUILD)/bin/felt data/tsoxa.bmp

cardsheet: build
	$(BUILD)/bin/cardsheet cardsheet.png

# Installs under PREFIX (default /usr/local), below DESTDIR when given.
install: build
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) --parallel
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --strip

# zento_<version>_amd64.deb in this folder, built with Debian's hardening
# flags, without tests or tools, then checked the way Debian checks packages.
package:
	@tools/deps.sh package
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	    cmake -S . -B $(PACKAGE_BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
	cmake --build $(PACKAGE_BUILD) --parallel
	cd $(PACKAGE_BUILD) && cpack
	cp $(PACKAGE_BUILD)/zento_*.deb .
	desktop-file-validate $(PACKAGE_BUILD)/dist/zento.desktop
	appstreamcli validate --no-net dist/org.example.zento.metainfo.xml
	lintian --fail-on error zento_*.deb

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD)
