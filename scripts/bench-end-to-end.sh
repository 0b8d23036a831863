#!/usr/bin/env bash
# What a user waits for from the outside, in wall time (median of 9 runs):
# one SL chart of 20 years from the report to a 1010x600 PNG, against a short
# matplotlib script drawing the same chart (when Debian's python3-matplotlib
# is there), and the start of the window until it shows (when xvfb-run and
# xdotool are there). Release build in build-bench/.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench

# The window counts as shown when the X server lists it as viewable.
window_shows() {
  "$build"/lumograph & local pid=$!
  until xdotool search --onlyvisible --class lumograph > /dev/null 2>&1; do sleep 0.005; done
  kill "$pid"
  wait "$pid" 2> /dev/null || true
}

# Prints the median wall time of 9 runs of the command, in milliseconds.
median_ms() {
  local times=()
  for _ in 1 2 3 4 5 6 7 8 9; do
    local start end
    start=$(date +%s%N)
    "$@" > /dev/null 2>&1
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 5p | awk '{ printf "%.1f", $1 / 1000 }'
}

# Run again under a virtual display for the window's part.
if [ "${1:-}" = --window ]; then
  median_ms window_shows
  exit
fi

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DLUMOGRAPH_TESTS=OFF -DLUMOGRAPH_BENCHMARKS=ON > /dev/null
cmake --build "$build" --target lumograph lumograph_make_station -j 2 >&2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build"/tools/lumograph_make_station --out "$work/station" --from 2006-12-01 --to 2026-11-30 --kinds sl > /dev/null
report="$work/station/SLOAVG.185"

ours=$(median_ms "$build"/lumograph --headless --set StartingDate=1900-01-01 --set EndDate=2100-01-01 \
  --click LoadSLavgFile="$report" --size SLGraph=1010x600 --save SLGraph="$work/sl.png")
echo "SL chart of 20 years to PNG:   $ours ms"
if /usr/bin/python3 -c 'import matplotlib' 2> /dev/null; then
  script=$(median_ms /usr/bin/python3 bench/sl_chart_matplotlib.py "$report" "$work/sl-matplotlib.png")
  echo "the same with matplotlib:      $script ms   ratio $(awk -v a="$script" -v b="$ours" 'BEGIN { printf "%.1f", a / b }')"
else
  echo "the same with matplotlib:      not measured (no python3-matplotlib)"
fi

if command -v xvfb-run > /dev/null && command -v xdotool > /dev/null; then
  echo "start until the window shows:  $(xvfb-run -a "$0" --window) ms"
else
  echo "start until the window shows:  not measured (no xvfb-run or xdotool)"
fi
