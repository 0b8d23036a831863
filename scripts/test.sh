#!/usr/bin/env bash
# Installs what is missing, builds from scratch with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite, fuzz targets
# included.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
rm -rf build-test
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DLUMOGRAPH_SANITIZE=ON
cmake --build build-test -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Every fuzz target, briefly, on its seed corpus: a regression check.
scripts/fuzz.sh 3
ctest --test-dir build-test --output-on-failure -j "$(nproc)"
