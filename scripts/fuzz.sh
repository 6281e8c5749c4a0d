#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for SECONDS each, starting from the seeds the build
# wrote and the corpus earlier runs grew. Prints one line per target; an input that crashed,
# leaked, ran out of time or asked for too much memory is left in BUILD/findings/ and makes
# the run fail.
#   scripts/fuzz.sh BUILD SECONDS [TARGET...]     (all targets when none is named)
set -uo pipefail
build=$1
seconds=$2
shift 2
if [ $# -gt 0 ]; then targets=("$@"); else mapfile -t targets <"$build/fuzz/targets.txt"; fi
findings="$build/findings"
# The archive targets write their input to a file each run: keep that in memory where we can.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
mkdir -p "$findings" "$build/logs"
failed=0
for name in "${targets[@]}"; do
  [ -n "$name" ] || continue
  corpus="$build/corpus/$name"
  log="$build/logs/$name.log"
  mkdir -p "$corpus"
  rm -f "$findings/$name"-*
  # -malloc_limit_mb: a table sized from a count read from the file shows up as a finding.
  "$build/fuzz/${name}_fuzz" "$corpus" "$build/seeds/$name" \
      -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -malloc_limit_mb=512 \
      -print_final_stats=1 -artifact_prefix="$findings/$name-" >"$log" 2>&1
  rc=$?
  runs=$(awk '/stat::number_of_executed_units:/ {print $2}' "$log" | tail -1)
  crashes=$(find "$findings" -maxdepth 1 -name "$name-*" | wc -l)
  if [ "$rc" -ne 0 ] && [ "$crashes" -eq 0 ]; then crashes=1; fi
  echo "$name: ${runs:-0} runs, $crashes crashes"
  if [ "$rc" -ne 0 ] || [ "$crashes" -ne 0 ]; then
    failed=1
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error:|artifact_prefix|Test unit written)' "$log" | head -8 | sed 's/^/    /'
  fi
done
exit $failed
