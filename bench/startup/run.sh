#!/usr/bin/env bash
# Start-up time and memory of Zento against a bare Qt 6 Widgets window of the
# table window's size with one line of text on it, both started in turn under
# a private Xvfb with no window manager.
#
#   bench/startup/run.sh BUILD_DIR
#
# ROUNDS (default 9) rounds of each program are measured after one warm-up
# round. GAME_EVERY_ROUND=1 plays a whole game in every round of Zento instead
# of only in the last one. GAME_ONLY=1 measures no start-up: Zento is started
# once and only the whole game's figures are given (make bench).
#
# mapwatch listens for MapNotify on the root window, then forks and starts the
# program, so process start and window map are read off one monotonic clock.
# Resident (VmRSS) and anonymous (RssAnon) memory come from /proc 2 s after the
# map. Ratios are taken round by round, Zento's over the bare window's, and the
# median of those is shown. Both programs get a scratch HOME, XDG folders and
# working folder, removed at the end.
set -euo pipefail

Bin=$(cd "${1:-build}/bin" && pwd)
Rounds=${ROUNDS:-9}
GameEveryRound=${GAME_EVERY_ROUND:-0}
GameOnly=${GAME_ONLY:-0}
[[ "$Rounds" =~ ^[1-9][0-9]*$ ]] || { echo "bench-startup: ROUNDS must be a whole number from 1" >&2; exit 1; }
# The table's playing area, the part of the window below the title strip and the menu.
AreaWidth=299
AreaHeight=378

for Tool in Xvfb xdotool; do
    command -v "$Tool" >/dev/null || { echo "bench-startup: $Tool is missing (make deps)" >&2; exit 1; }
done
for Program in zento bare_window mapwatch; do
    [ -x "$Bin/$Program" ] || { echo "bench-startup: $Bin/$Program is missing (make build)" >&2; exit 1; }
done

# Settings, caches and the working folder of both programs live here and go with it.
Scratch=$(mktemp -d "${TMPDIR:-/tmp}/zento-startup.XXXXXX")
XvfbPid=""
WatchPid=""
ProgramPid=""
Cleanup() {
    [ -n "$ProgramPid" ] && kill "$ProgramPid" 2>/dev/null || true
    [ -n "$WatchPid" ] && wait "$WatchPid" 2>/dev/null || true
    [ -n "$XvfbPid" ] && kill "$XvfbPid" 2>/dev/null && wait "$XvfbPid" 2>/dev/null || true
    rm -rf "$Scratch"
}
trap Cleanup EXIT
trap 'exit 130' INT TERM
mkdir -p "$Scratch/home/.config" "$Scratch/home/.cache" "$Scratch/home/.local/share" "$Scratch/run" "$Scratch/work"
chmod 700 "$Scratch/run"

# Xvfb picks a display number nobody uses and writes it to the descriptor it is
# given. It must not reset when a program ends: a program starting during the
# reset would find no display.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$Scratch/display" >"$Scratch/xvfb.log" 2>&1 &
XvfbPid=$!
for _ in $(seq 100); do
    [ -s "$Scratch/display" ] && break
    sleep 0.1
done
[ -s "$Scratch/display" ] || { echo "bench-startup: Xvfb did not start" >&2; cat "$Scratch/xvfb.log" >&2; exit 1; }
Display=":$(head -n1 "$Scratch/display")"
for _ in $(seq 50); do
    DISPLAY=$Display xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

export DISPLAY=$Display HOME=$Scratch/home XDG_CONFIG_HOME=$Scratch/home/.config \
    XDG_CACHE_HOME=$Scratch/home/.cache XDG_DATA_HOME=$Scratch/home/.local/share XDG_RUNTIME_DIR=$Scratch/run
unset QT_QPA_PLATFORM WAYLAND_DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS XAUTHORITY

# /proc/PID/status field in kB.
StatusKb() {
    awk -v Key="$2:" '$1 == Key { print $2 }' "/proc/$1/status"
}

# utime + stime from /proc/PID/stat in clock ticks; the command name may hold blanks.
CpuTicks() {
    sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}

# Starts a program under the watcher and waits for its first window of at least
# the playing area's size: Zento's memory aid maps before the table and is smaller. Sets ProgramPid,
# MapMs, WindowWidth, WindowHeight and WindowId.
StartWatched() {
    : >"$Scratch/map"
    (cd "$Scratch/work" && exec "$Bin/mapwatch" "$AreaWidth" "$AreaHeight" 20 "$@" >"$Scratch/map" 2>>"$Scratch/programs.log") &
    WatchPid=$!
    local Line=""
    for _ in $(seq 250); do
        Line=$(head -n1 "$Scratch/map")
        [ -n "$Line" ] && break
        sleep 0.1
    done
    read -r ProgramPid MapMs WindowWidth WindowHeight WindowId <<<"$Line"
    if [ -z "$Line" ] || [ "$MapMs" = timeout ]; then
        echo "bench-startup: no window from $1" >&2
        tail -n 20 "$Scratch/programs.log" >&2
        tail -n 5 "$Scratch/xvfb.log" >&2
        exit 1
    fi
}

StopWatched() {
    kill "$ProgramPid" 2>/dev/null || true
    wait "$WatchPid" 2>/dev/null || true
    ProgramPid=""
    WatchPid=""
}

XClick() {
    xdotool mousemove "$(($1 + AreaLeft))" "$(($2 + AreaTop))" click "$3"
}

MessageBox() {
    { xdotool search --onlyvisible --name '^Zento$' 2>/dev/null || true; } | tail -n1
}

# Plays a whole game the way a person would: F2, then a card of the bottom row
# selected and played, the slots in turn, until the end-of-game message shows.
# A slot already played out takes the click harmlessly, so a missed click only
# costs one more lap.
PlayGame() {
    eval "$(xdotool getwindowgeometry --shell "$WindowId")"
    AreaLeft=$X
    AreaTop=$((Y + WindowHeight - AreaHeight))
    # Without a window manager a click is what gives the table the keyboard.
    XClick 150 180 1
    sleep 0.2
    xdotool key F2
    sleep 0.6
    local Box=""
    Turns=0
    for Turn in $(seq 0 79); do
        Turns=$((Turn + 1))
        XClick $((3 + 74 * (Turn % 4) + 35)) $((260 + 48)) 1
        sleep 0.15
        XClick 150 60 3
        sleep 1
        Box=$(MessageBox)
        [ -n "$Box" ] && break
    done
    [ -n "$Box" ] || { echo "bench-startup: the game did not end" >&2; exit 1; }
    xdotool mousemove --window "$Box" 5 5 click 1
    sleep 0.2
    xdotool key Return
    sleep 1
    [ -z "$(MessageBox)" ] || { echo "bench-startup: the end-of-game message stayed" >&2; exit 1; }
}

# One start of a program: time to its window, then its memory 2 s later.
# Appends "MS RSS_KB ANON_KB" to the named results file.
Measure() {
    local Results=$1
    shift
    StartWatched "$@"
    sleep 2
    echo "$MapMs $(StatusKb "$ProgramPid" VmRSS) $(StatusKb "$ProgramPid" RssAnon)" >>"$Results"
}

# The processor time of the game's clicks (the pauses sleep, so it is what
# the turns cost besides them), then the memory after it, then the processor
# time of ten seconds left alone: an idle program should not wake itself.
GameFigures() {
    local Anon Rss Before After GameTicks
    GameTicks=$(CpuTicks "$ProgramPid")
    PlayGame
    GameTicks=$(($(CpuTicks "$ProgramPid") - GameTicks))
    Anon=$(StatusKb "$ProgramPid" RssAnon)
    Rss=$(StatusKb "$ProgramPid" VmRSS)
    Before=$(CpuTicks "$ProgramPid")
    sleep 10
    After=$(CpuTicks "$ProgramPid")
    echo "$Rss $Anon $((After - Before)) $GameTicks $Turns" >>"$Scratch/game"
}

RunZento() {
    Measure "$1" "$Bin/zento"
    [ "$2" = play ] && GameFigures
    StopWatched
}

RunBare() {
    Measure "$1" "$Bin/bare_window" "$TableWidth" "$TableHeight"
    StopWatched
}

# The value at fraction P of the way through the sorted numbers on standard
# input, linear between neighbours: 0.5 is the median, 0.25 and 0.75 the quartiles.
Quantile() {
    sort -g | awk -v P="$1" '{ V[NR] = $1 }
        END { X = 1 + (NR - 1) * P; I = int(X); print (I >= NR ? V[NR] : V[I] + (X - I) * (V[I + 1] - V[I])) }'
}
Median() {
    Quantile 0.5
}
Column() {
    awk -v C="$2" '{ print $C }' "$1"
}
MinMedMax() {
    printf "%.0f / %.0f / %.0f" "$(Column "$1" 1 | sort -g | head -n1)" "$(Column "$1" 1 | Median)" "$(Column "$1" 1 | sort -g | tail -n1)"
}
Mb() {
    awk -v Kb="$1" 'BEGIN { printf "%.1f", Kb / 1024 }'
}
# Zento's figure in column C divided by the bare window's in the same round, a line a round.
RoundRatios() {
    paste -d' ' <(Column "$Scratch/zento" "$1") <(Column "$Scratch/bare" "$1") | awk '{ print $1 / $2 }'
}
RatioMedian() {
    RoundRatios "$1" | Median
}
# The middle half of the per-round time ratios: how far one round may stray on a busy machine.
RatioQuartiles() {
    printf "%.2f to %.2f" "$(RoundRatios 1 | Quantile 0.25)" "$(RoundRatios 1 | Quantile 0.75)"
}

Ticks=$(getconf CLK_TCK)

# The figures of the games played: memory, idle processor time, processor time per turn.
GameReport() {
    printf "\nAfter a whole game (median of %d): resident %s MB, anonymous %s MB; idle for 10 s after it: %s %% processor time\n" \
        "$(wc -l <"$Scratch/game")" "$(Mb "$(Column "$Scratch/game" 1 | Median)")" "$(Mb "$(Column "$Scratch/game" 2 | Median)")" \
        "$(awk -v T="$(Column "$Scratch/game" 3 | Median)" -v Hz="$Ticks" 'BEGIN { printf "%.2f", T / Hz / 10 * 100 }')"
    printf "Processor time per turn, pauses aside: %s ms (median over the %d games played)\n" \
        "$(awk -v Hz="$Ticks" '{ print $4 / Hz * 1000 / $5 }' "$Scratch/game" | Median | xargs printf "%.1f")" \
        "$(wc -l <"$Scratch/game")"
}

if [ "$GameOnly" = 1 ]; then
    echo "Playing one whole game on $Display..."
    RunZento "$Scratch/zento" play
    GameReport
    exit 0
fi

echo "Measuring on $Display: $Rounds rounds after a warm-up, one whole game $( [ "$GameEveryRound" = 1 ] && echo "in every round" || echo "in the last round")..."
# The warm-up also tells the bare window the table window's outer size.
StartWatched "$Bin/zento"
TableWidth=$WindowWidth
TableHeight=$WindowHeight
StopWatched
RunBare "$Scratch/warmup"

for Round in $(seq 1 "$Rounds"); do
    Play=skip
    { [ "$GameEveryRound" = 1 ] || [ "$Round" = "$Rounds" ]; } && Play=play
    # The order alternates so that neither program always follows the other.
    if [ $((Round % 2)) = 1 ]; then
        RunBare "$Scratch/bare"
        RunZento "$Scratch/zento" "$Play"
    else
        RunZento "$Scratch/zento" "$Play"
        RunBare "$Scratch/bare"
    fi
done

printf "\nStart-up against a bare Qt 6 Widgets window of %d x %d with one line of text (Xvfb, no window manager, %d rounds)\n\n" \
    "$TableWidth" "$TableHeight" "$Rounds"
printf "| program | start to table window mapped, ms min/median/max | resident MB | anonymous MB |\n"
printf "|---|---|---|---|\n"
for Program in bare zento; do
    printf "| %s | %s | %s | %s |\n" "$([ $Program = bare ] && echo "bare Qt 6 window" || echo Zento)" \
        "$(MinMedMax "$Scratch/$Program")" "$(Mb "$(Column "$Scratch/$Program" 2 | Median)")" \
        "$(Mb "$(Column "$Scratch/$Program" 3 | Median)")"
done
printf "| Zento / bare, median of per-round ratios | %.2f | %.2f | %.2f |\n" "$(RatioMedian 1)" "$(RatioMedian 2)" "$(RatioMedian 3)"
printf "\nHalf the rounds had a time ratio from %s.\n" "$(RatioQuartiles)"
GameReport
