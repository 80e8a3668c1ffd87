# Front door over CMake: every target installs what is missing, then builds.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=
PACKAGE_BUILD ?= build-package
RUN_BUILD  ?= build-run
INSTALL_BUILD ?= build-install
PREFIX     ?= /usr/local

# `cmake -S . -B <folder>`: a new folder gets Ninja, which tools/deps.sh
# installs; a configured one keeps the generator it was made with.
CMAKE_CONFIGURE = cmake -S . -B $(1) $(if $(wildcard $(1)/CMakeCache.txt),,-G Ninja)

.PHONY: all deps deps-play configure build run test test-fast test-asan bench bench-startup strength fuzz cardart felt cardsheet install package fresh-check clean

all: build

deps:
	@tools/deps.sh

deps-play:
	@tools/deps.sh play

configure: deps
	$(call CMAKE_CONFIGURE,$(BUILD)) -DCMAKE_BUILD_TYPE=Release \
	    -DZENTO_BUILD_TOOLS=ON -DZENTO_BUILD_BENCHMARKS=ON

build: configure
	cmake --build $(BUILD) --parallel

# Only what playing needs: the game and its files, in a folder of its own,
# with no tests, benchmarks or tools.
run: deps-play
	$(call CMAKE_CONFIGURE,$(RUN_BUILD)) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
	    -DZENTO_BUILD_TOOLS=OFF -DZENTO_BUILD_BENCHMARKS=OFF
	cmake --build $(RUN_BUILD) --parallel --target zento
	$(RUN_BUILD)/bin/zento

# The plain build, then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
test: build test-asan
	cd $(BUILD) && ctest --output-on-failure
	cd $(ASAN_BUILD) && ctest --output-on-failure -LE e2e

test-fast: build
	cd $(BUILD) && ctest --output-on-failure

test-asan: deps
	$(call CMAKE_CONFIGURE,$(ASAN_BUILD)) -DCMAKE_BUILD_TYPE=Debug -DZENTO_SANITIZE=ON
	cmake --build $(ASAN_BUILD) --parallel

# The model's and the window's figures, then the real program's processor
# time per turn and while idle, read off one whole game under Xvfb.
bench: build
	$(BUILD)/bin/zento_bench
	$(BUILD)/bin/zento_game_bench
	$(BUILD)/bin/zento_lang_bench
	GAME_ONLY=1 bench/startup/run.sh $(BUILD)

# Each fuzz target, or those named, for FUZZ_SECONDS (make fuzz FUZZ_SECONDS=600 FUZZ_TARGETS="ini lang"),
# built with clang, libFuzzer and the sanitizers in a folder of its own. `make test` only
# replays the committed corpora.
fuzz: deps
	CXX=clang++ $(call CMAKE_CONFIGURE,$(FUZZ_BUILD)) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENTO_FUZZ=ON
	cmake --build $(FUZZ_BUILD) --parallel --target fuzz_all
	tools/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Seeded games between the computer's levels, 4,000 a pairing on every core;
# one line a pairing (GAMES=n for another number).
GAMES ?= 4000
strength: build
	$(BUILD)/bin/zento_strength $(GAMES)

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

# Installs under PREFIX (default /usr/local), below DESTDIR when given, from a
# folder of its own, so that the development build keeps its settings.
install: deps-play
	$(call CMAKE_CONFIGURE,$(INSTALL_BUILD)) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
	    -DZENTO_BUILD_TOOLS=OFF -DZENTO_BUILD_BENCHMARKS=OFF -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(INSTALL_BUILD) --parallel
	DESTDIR="$(DESTDIR)" cmake --install $(INSTALL_BUILD) --strip

# zento_<version>_amd64.deb in this folder, built with Debian's hardening
# flags, without tests or tools, then checked the way Debian checks packages.
package:
	@tools/deps.sh package
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	    $(call CMAKE_CONFIGURE,$(PACKAGE_BUILD)) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
	cmake --build $(PACKAGE_BUILD) --parallel
	cd $(PACKAGE_BUILD) && cpack
	cp $(PACKAGE_BUILD)/zento_*.deb .
	desktop-file-validate $(PACKAGE_BUILD)/dist/zento.desktop
	appstreamcli validate --no-net dist/org.example.zento.metainfo.xml
	lintian --fail-on error zento_*.deb

# A minimal Debian of SUITE (bookworm or trixie) made from scratch, where a
# clone of this commit must pass `make test` twice and start with `make run`;
# needs root and takes many minutes, so it is not part of `make test`.
SUITE ?= trixie
fresh-check:
	tools/fresh-check.sh $(SUITE)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD) $(RUN_BUILD) $(INSTALL_BUILD)
