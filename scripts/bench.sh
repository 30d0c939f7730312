#!/usr/bin/env bash
# Runs every benchmark program of a build, ten repetitions each, and prints
# the median, standard deviation and coefficient of variation per benchmark.
#
#   bench.sh BUILD_DIR
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build=$1
found=0
for program in "$build"/bench/*/bench_*; do
    [ -f "$program" ] && [ -x "$program" ] || continue
    found=1
    echo "== $(basename "$program")"
    "$program" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
done
[ "$found" = 1 ] || { echo "no benchmark programs under $build/bench" >&2; exit 1; }
