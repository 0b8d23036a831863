#!/usr/bin/env bash
# Builds the benchmarks in Release in build-bench/ and prints each figure with
# its ratio to the plain parse (std::getline + strtod) of the same file, run in
# the same process: every reader and every daily tab on generated records of
# 20 and 200 years, outlier removal, "Load DIR" over a 20-year station, and
# the peak memory of each load. Times are medians of the repetitions, in CPU
# time of the benchmark's thread, so that other work on the machine disturbs
# them little.
#
#   scripts/bench.sh                     every benchmark, 5 repetitions
#   BENCH_REPETITIONS=9 scripts/bench.sh
#   scripts/bench.sh --benchmark_filter='SL|OutlierRemoval'
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
build=build-bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DLUMOGRAPH_TESTS=OFF -DLUMOGRAPH_BENCHMARKS=ON > /dev/null
cmake --build "$build" --target lumograph_bench -j 2 >&2

csv=$(mktemp)
trap 'rm -f "$csv"' EXIT
QT_QPA_PLATFORM=offscreen "$build"/bench/lumograph_bench --benchmark_repetitions="${BENCH_REPETITIONS:-5}" \
  --benchmark_report_aggregates_only=true --benchmark_format=csv "$@" > "$csv"

awk -F, '
  function column(name) { return (name in col) ? $col[name] : "" }
  NR == 1 {
    for (i = 1; i <= NF; ++i) { gsub(/"/, "", $i); col[$i] = i }
    next
  }
  {
    gsub(/"/, "")
    if ($1 !~ /_median$/) next
    name = substr($1, 1, length($1) - 7)
    order[++n] = name
    ms[name] = column("cpu_time")
    mb[name] = column("file_MB")
    peak[name] = column("peak_MB")
    error[name] = column("error_occurred") == "true"
  }
  function ratio(a, b) { return (b > 0) ? sprintf("%.2f", a / b) : "-" }
  function baseline(name) { sub(/^(Read|Load)\//, "PlainParse/", name); return name }
  END {
    print "Readers, cold (median CPU time; ratio = reader / plain parse of the same file)"
    printf "%-22s %9s %10s %9s %9s %9s %6s %9s %9s\n", "benchmark", "file MB", "ms", "MB/s", \
           "plain ms", "plain MB/s", "ratio", "peak MB", "peak/file"
    for (i = 1; i <= n; ++i) {
      r = order[i]; if (r !~ /^Read\//) continue
      p = baseline(r)
      printf "%-22s %9.3f %10.3f %9.1f %9.3f %9.1f %6s %9.1f %9s\n", r, mb[r], ms[r], mb[r] / ms[r] * 1000, \
             ms[p], mb[p] / ms[p] * 1000, ratio(ms[r], ms[p]), peak[r], ratio(peak[r], mb[r])
    }
    print ""
    print "Tabs, cold: the load button of a fresh window (ratio = load / plain parse of the same file)"
    printf "%-22s %9s %10s %9s %6s %9s %9s\n", "benchmark", "file MB", "ms", "plain ms", "ratio", "peak MB", "peak/file"
    for (i = 1; i <= n; ++i) {
      r = order[i]; if (r !~ /^Load\//) continue
      p = baseline(r)
      printf "%-22s %9.3f %10.3f %9.3f %6s %9.1f %9s\n", r, mb[r], ms[r], ms[p], ratio(ms[r], ms[p]), peak[r], \
             ratio(peak[r], mb[r])
    }
    print ""
    print "Load DIR over a station folder, bitmaps written (ratio = load / plain parse of its files)"
    for (i = 1; i <= n; ++i) {
      r = order[i]; if (r !~ /^FolderLoad\//) continue
      p = r; sub(/^FolderLoad\//, "PlainParse/folder/", p)
      printf "%-22s %10.3f ms   plain %9.3f ms   ratio %s   peak %.1f MB\n", r, ms[r], ms[p], ratio(ms[r], ms[p]), peak[r]
    }
    print ""
    print "Outlier removal, 5% outliers, one composite follower (ratio = time / time at 1x)"
    for (i = 1; i <= n; ++i) {
      r = order[i]; if (r !~ /^OutlierRemoval\//) continue
      printf "%-22s %10.3f ms   ratio %s\n", r, ms[r], ratio(ms[r], ms["OutlierRemoval/1x"])
    }
    print ""
    print "Drawing at 1400 x 800"
    for (i = 1; i <= n; ++i) {
      r = order[i]; if (r !~ /^Draw\//) continue
      split(r, part, "/")  # Draw/<kind>/<points>
      printf "%-36s %10.3f ms %10.1f ns a point\n", r, ms[r], ms[r] * 1e6 / part[3]
    }
    for (r in error) if (error[r]) { print "FAILED: " r; failed = 1 }
    exit failed
  }' "$csv"
