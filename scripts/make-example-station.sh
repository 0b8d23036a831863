#!/usr/bin/env bash
# Regenerates the bundled example station, examples/station185, with the
# station generator (tools/station): instrument 185, every report kind, from
# 1 August to 30 November 2026, seed 1, with the instrument's quirks.
#
# The dates are fixed so that the files in the repository change only when
# the generator does (a test compares them with what it makes). They end a
# week before the day they were chosen, so the program's start-up date window
# (the 700 days before today) holds all of them until July 2028; after that a
# start date has to be set (--set StartingDate=2026-08-01 when headless).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-station
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DLUMOGRAPH_TESTS=OFF > /dev/null
cmake --build "$build" --target lumograph_make_station -j 2
rm -rf examples/station185
"$build"/tools/lumograph_make_station --out examples/station185 \
  --instrument 185 --from 2026-08-01 --to 2026-11-30 --seed 1
