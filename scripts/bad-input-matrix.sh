#!/usr/bin/env bash
# Hands every loader a matrix of damaged inputs through the headless driver,
# saves every chart, and reports any run that crashed, hung, exited with
# another status than 0 or 1, or left an invalid dump.
#   scripts/bad-input-matrix.sh [BUILD_DIR]   (default: build)
set -uo pipefail
cd "$(dirname "$0")/.."
exe="${1:-build}/lumograph"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/in"
: > "$work/in/empty"
mkdir "$work/in/a-folder"
head -c 20000 /dev/urandom > "$work/in/binary"
head -c 50000000 /dev/zero | tr '\0' '7' > "$work/in/one-long-line"
printf '00119 1\0002 3\r\n\0\0\0\n' > "$work/in/nuls"
printf '00119 caf\xe9 \xb0C 1 2 3\r\n' > "$work/in/latin1"
printf '00119 1 2 3\r00219 4 5 6\r00319 7 8 9\r' > "$work/in/cr-only"
printf '00119 1 2 3\r\n\x1a00219 4 5 6\r\n' > "$work/in/ctrl-z-inside"
printf '00119 1e999 nan -0 99999999999999999999 inf\r\n00219 -1e999 -nan 0 -99999999999999999999 1e-320\r\n' > "$work/in/numbers"
printf '00019 1 2 3 4 5 6 7 8 9 10 11\r\n36619 1 2 3 4 5 6 7 8 9 10 11\r\n99919 1 2 3 4 5 6 7 8 9 10 11\r\n' > "$work/in/day-codes"
awk 'BEGIN { for (i = 0; i < 1000000; i++) printf "%03d19 %d %d 3 4 5 6 7 8 9 10 11\r\n", i % 365 + 1, 20 + i % 7, 30 }' > "$work/in/million-lines"

buttons=(LoadSLavgFile LoadDtAvg LoadHGavg LoadRSavg LoadApavg LoadOPavg LoadO3avg LoadSCavg LoadFIavg
         LoadCZ LoadCI LoadCJ LoadDUV LoadDI LoadFC LoadCA LoadOldDSP Button1 LoadComments)
failed=0
for input in "$work"/in/*; do
  for button in "${buttons[@]}"; do
    # The instruments' test files carry their day code in the name.
    file="$work/case/xx00119.185"
    rm -rf "$work/case" && mkdir "$work/case"
    if [ -d "$input" ]; then mkdir "$file"; else cp "$input" "$file"; fi
    start=$(date +%s.%N)
    timeout 60 "$exe" --headless --set StartingDate=1990-01-01 --click "$button=$file" \
      --size DTGraph=600x400 --save CompositeChart="$work/case/c.png" --dump "$work/case/d.json" \
      >/dev/null 2>"$work/case/err"
    status=$?
    seconds=$(echo "$(date +%s.%N) - $start" | bc)
    if [ $status -gt 1 ] || ! python3 -c "import json,sys; json.load(open(sys.argv[1]))" "$work/case/d.json" 2>/dev/null; then
      echo "FAIL $(basename "$input") $button: status $status"
      failed=1
    fi
    printf '%-16s %-14s status %d  %5.2f s\n' "$(basename "$input")" "$button" "$status" "$seconds"
  done
done
exit $failed
