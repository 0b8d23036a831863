#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Without a display
# it runs headless on the bundled example station and saves its charts.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DLUMOGRAPH_TESTS=OFF
cmake --build build -j "$(nproc)"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || [ $# -gt 0 ]; then
  exec build/lumograph "$@"
fi

out=build/example-charts
mkdir -p "$out"
build/lumograph --headless \
  --set StartingDate=2026-08-01 \
  --click LoadDtAvg=examples/station185/DTOAVG.185 \
  --save DTGraph="$out/DTGraph.png" \
  --dump "$out/charts.json"
echo "No display: the example station's charts are in $out/"
