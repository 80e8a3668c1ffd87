#!/usr/bin/env bash
# Runs each libFuzzer target of a ZENTO_FUZZ build for a bounded time, starting from its
# committed corpus. New interesting inputs go to a scratch corpus in the build folder (or,
# with FUZZ_MERGE=1, are merged into the committed corpus); crashes are kept in the build
# folder and make the run fail.
# Usage: tools/fuzz.sh BUILD_DIR SECONDS_PER_TARGET [TARGET...]; without targets, every
# fuzz_<name> program the build made.
set -uo pipefail
build=$1
seconds=$2
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$build"/bin/fuzz_*; do
    [ -x "$program" ] && [[ "$program" != *_replay ]] && targets+=("${program##*/fuzz_}")
  done
fi
root=$(cd "$(dirname "$0")/.." && pwd)
failed=()
summary=()
for name in "${targets[@]}"; do
  program="$build/bin/fuzz_$name"
  if [ ! -x "$program" ]; then
    summary+=("fuzz_$name: not built (no tests/fuzz source)")
    continue
  fi
  corpus="$root/tests/fuzz/corpus/$name"
  scratch="$build/fuzz-corpus/$name"
  crashes="$build/fuzz-crashes/$name"
  mkdir -p "$corpus" "$scratch" "$crashes"
  log="$build/fuzz-$name.log"
  # Qt keeps caches that grow and shrink across inputs, so the windowed targets would have
  # every input scanned for leaks, at a thirtieth of the speed, for Qt's own allocations.
  leaks=0
  [ "$name" = ini ] || [ "$name" = keptgame ] && leaks=1
  echo "== fuzz_$name for ${seconds}s (log: $log)"
  QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$root/tests/fuzz/lsan.supp" \
    "$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
    -max_len=8192 -detect_leaks=$leaks -print_final_stats=1 -artifact_prefix="$crashes/" "$scratch" "$corpus" >"$log" 2>&1
  status=$?
  runs=$(grep -oE '^stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)
  if [ $status -ne 0 ]; then
    failed+=("$name")
    summary+=("fuzz_$name: FAILED after ${runs:-?} runs; inputs in $crashes")
    grep -E 'ERROR|rule broken|SUMMARY|runtime error' "$log" | head -5
  else
    summary+=("fuzz_$name: ${runs:-?} runs, no fault")
  fi
  if [ "${FUZZ_MERGE:-0}" = 1 ]; then
    QT_QPA_PLATFORM=offscreen "$program" -merge=1 -max_len=8192 "$corpus" "$scratch" >>"$log" 2>&1
  fi
done
printf '%s\n' "${summary[@]}"
[ ${#failed[@]} -eq 0 ]
