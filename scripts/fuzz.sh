#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang and runs each for a while on its
# seed corpus, then reports executions and findings.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   (default 60 seconds, every target)
# A finding is kept in build-fuzz/findings/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build=build-fuzz
cmake -S . -B "$build" -DLUMOGRAPH_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/*_fuzz.cpp; do targets+=("$(basename "$f" _fuzz.cpp)"); done
fi

findings="$build/findings"
mkdir -p "$findings"
failed=0
printf '%-12s %12s %10s  %s\n' target executions "per second" result
for t in "${targets[@]}"; do
  # New inputs go to a scratch corpus; the seeds in the repository stay as they are.
  work=$(mktemp -d)
  log="$build/fuzz_$t.log"
  status=0
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/fuzz_$t" "$work" "fuzz/corpus/$t" -dict=fuzz/report.dict \
    -max_total_time="$seconds" -max_len=65536 -timeout=5 -rss_limit_mb=2048 \
    -artifact_prefix="$findings/${t}-" -print_final_stats=1 >"$log" 2>&1 || status=$?
  rm -rf "$work"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(( ${runs:-0} / (seconds > 0 ? seconds : 1) ))
  result="no finding"
  if [ "$status" -ne 0 ]; then
    result="FINDING (see $log)"
    failed=1
  fi
  printf '%-12s %12s %10s  %s\n' "$t" "${runs:-?}" "$rate" "$result"
done
exit $failed
