#!/bin/sh
# Runs every benchmark of the given build folder and prints medians.
set -eu
build=${1:-build-bench}
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
for b in "$build"/bin/lodex-bench*; do
    [ -x "$b" ] || continue
    "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
done
