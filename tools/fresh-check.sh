#!/usr/bin/env bash
# Tries Zento as a newcomer would, on a Debian release made from nothing:
#
#   tools/fresh-check.sh SUITE      (bookworm or trixie; as root)
#
# makes a minimal system of SUITE with debootstrap in a scratch folder, from
# the archive apt uses on this machine, adds git, make and sudo and a user who
# may use sudo, clones this folder's current commit for that user, lists what
# `make run` would install there, runs `make test` twice (the second on the
# first's folders), then `make run` under Xvfb until the table window shows,
# and `make package`. One line per step with its time; the last lines of a
# failed step's output follow it. Everything it made, mounts included, is
# removed at the end, whether the steps passed or not.
# FRESH_CHECK_DIR chooses the folder the scratch folder is made in (/var/tmp).
set -euo pipefail

Suite=${1:-}
case "$Suite" in
  bookworm|trixie) ;;
  *) echo "usage: $0 bookworm|trixie" >&2; exit 2 ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "fresh-check: must run as root (debootstrap, chroot, mounts)" >&2; exit 2; }

Source=$(cd "$(dirname "$0")/.." && pwd)
Commit=$(git -C "$Source" rev-parse HEAD)
git -C "$Source" diff --quiet HEAD -- || echo "fresh-check: uncommitted changes are not checked, only $Commit" >&2

# The Debian archive this machine's apt uses: the first source that serves the
# machine's own release.
DebianMirror() {
  local Codename
  Codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  local Files=(/etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list /etc/apt/sources.list)
  local File
  for File in "${Files[@]}"; do
    [ -f "$File" ] || continue
    case "$File" in
      *.sources)
        # deb822 stanzas: the first URI of a stanza whose Suites name the release.
        awk -v Codename="$Codename" '
          /^[ \t]*$/ { if (Uri != "" && Match) { print Uri; exit } Uri = ""; Match = 0; next }
          /^URIs:/ { Uri = $2 }
          /^Suites:/ { for (I = 2; I <= NF; ++I) if ($I == Codename) Match = 1 }
          END { if (Uri != "" && Match) print Uri }' "$File" | head -n 1 ;;
      *)
        awk -v Codename="$Codename" '$1 == "deb" { for (I = 2; I < NF; ++I) if ($I !~ /^\[/ && $(I + 1) == Codename) { print $I; exit } }' "$File" ;;
    esac
  done | head -n 1
}
Mirror=$(DebianMirror)
[ -n "$Mirror" ] || { echo "fresh-check: no Debian archive found in apt's sources" >&2; exit 2; }

Scratch=$(mktemp -d "${FRESH_CHECK_DIR:-/var/tmp}/zento-fresh-$Suite.XXXXXX")
Scratch=$(cd "$Scratch" && pwd -P)
Root=$Scratch/root
Logs=$Scratch/logs
mkdir -p "$Root" "$Logs"
Player=player
Home=/home/$Player

# Processes still running inside the new system (a game, an X server) hold its
# mounts; they are ended by their ids, then the mounts go, then the folder.
Teardown() {
  local Status=$?
  set +e
  local Proc
  for Proc in /proc/[0-9]*; do
    [ "$(readlink "$Proc/root" 2>/dev/null)" = "$Root" ] && kill -KILL "${Proc#/proc/}" 2>/dev/null
  done
  sleep 1
  local Mount
  for Mount in $(awk -v Root="$Root" 'index($2, Root "/") == 1 { print $2 }' /proc/mounts | sort -r); do
    umount -l "$Mount" 2>/dev/null
  done
  if awk -v Root="$Root" 'index($2, Root "/") == 1 { Found = 1 } END { exit !Found }' /proc/mounts; then
    echo "fresh-check: mounts below $Root remain; $Scratch left in place" >&2
  else
    rm -rf --one-file-system "$Scratch"
  fi
  exit "$Status"
}
trap Teardown EXIT
trap 'exit 130' INT TERM

Total=$(date +%s)
# Step NAME COMMAND...: runs the command with its output in a log, and prints
# one line with the time it took; a failure prints the log's end and stops.
Step() {
  local Name=$1
  shift
  local Log=$Logs/$(echo "$Name" | tr -c 'a-zA-Z0-9\n' '-').log
  local Start Status
  Start=$(date +%s)
  # Not a condition of `if`, so that the step stops at its first failing command.
  set +e
  (set -e; "$@") >"$Log" 2>&1
  Status=$?
  set -e
  if [ "$Status" -eq 0 ]; then
    printf '%-44s %6ss  ok\n' "$Name" "$(($(date +%s) - Start))"
  else
    printf '%-44s %6ss  FAILED\n' "$Name" "$(($(date +%s) - Start))"
    tail -n 60 "$Log" | sed 's/^/    /'
    exit 1
  fi
}

# Runs a command in the new system as the player, in the clone, with a clean environment.
AsPlayer() {
  chroot "$Root" /usr/bin/env -i HOME="$Home" USER="$Player" LOGNAME="$Player" LANG=C.UTF-8 \
      PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin \
      /usr/sbin/runuser -u "$Player" -- bash -c "cd $Home/zento && $1"
}

MakeSystem() {
  command -v debootstrap >/dev/null || { apt-get update -qq && apt-get install -y -qq debootstrap; }
  debootstrap --variant=minbase --include=git,make,sudo,ca-certificates "$Suite" "$Root" "$Mirror"
}

Prepare() {
  mount -t proc proc "$Root/proc"
  mount -t sysfs sysfs "$Root/sys"
  mount --rbind /dev "$Root/dev"
  mount --make-rslave "$Root/dev"
  cp -L /etc/resolv.conf "$Root/etc/resolv.conf"
  chroot "$Root" useradd --create-home --shell /bin/bash "$Player"
  echo "$Player ALL=(ALL) NOPASSWD: ALL" >"$Root/etc/sudoers.d/$Player"
  chmod 440 "$Root/etc/sudoers.d/$Player"
  git -C "$Source" bundle create "$Root/tmp/zento.bundle" HEAD
  chmod 644 "$Root/tmp/zento.bundle"
  chroot "$Root" /usr/sbin/runuser -u "$Player" -- \
      git -c advice.detachedHead=false clone --quiet /tmp/zento.bundle "$Home/zento"
  rm "$Root/tmp/zento.bundle"
  [ "$(AsPlayer 'git rev-parse HEAD')" = "$Commit" ]
}

# What `make run` installs on this fresh system, read off apt without
# installing it, so that `make test` still starts from nothing.
PlayPackages() {
  AsPlayer 'sudo apt-get update -qq && apt-get install -s --no-install-recommends $(tools/deps.sh play --list)' |
      sed -n 's/^Inst \([^ ]*\) .*/\1/p' | sort >"$Logs/play-packages"
  [ -s "$Logs/play-packages" ]
  # Nothing for the sanitizers of clang, the tests or the benchmarks.
  ! grep -E '^(libclang-rt|clang|libgtest|libgmock|googletest|libbenchmark|qt6-svg|imagemagick|xvfb|xdotool)' "$Logs/play-packages"
}

# Starts `make run` under a private X server and waits for the table window;
# the game ends with its X server.
RunUntilTable() {
  cat >"$Root/tmp/run-until-table" <<'EOF'
make run &
Make=$!
for Second in $(seq 1 3600); do
    if xdotool search --onlyvisible --name '^Zento' >/dev/null 2>&1; then
        echo "table window shown $Second s after make run started"
        xwininfo -root -tree | grep -i zento
        kill "$Make"
        exit 0
    fi
    kill -0 "$Make" 2>/dev/null || { echo "make run ended without a window"; exit 1; }
    sleep 1
done
exit 1
EOF
  AsPlayer 'xvfb-run -a -s "-screen 0 1024x768x24" bash /tmp/run-until-table'
}

echo "fresh-check $Suite, commit $Commit, from $Mirror"
Step "debootstrap --variant=minbase $Suite" MakeSystem
Step "user, mounts, clone" Prepare
Step "packages make run would install" PlayPackages
echo "    $(wc -l <"$Logs/play-packages") packages: $(tr '\n' ' ' <"$Logs/play-packages")" | fold -s -w 110
Step "make test (first)" AsPlayer 'make test'
Step "make test (second)" AsPlayer 'make test'
Step "make run until the table window shows" RunUntilTable
Step "make package (lintian)" AsPlayer 'make package'
printf '%-44s %6ss\n' "all steps" "$(($(date +%s) - Total))"
