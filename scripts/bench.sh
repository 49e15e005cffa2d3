#!/bin/sh
# Runs every benchmark of the given build folder and prints medians.
set -eu
build=${1:-build-bench}
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load average $(cut -d' ' -f1-3 /proc/loadavg)"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Cold loads: each in a fresh process. The yardstick is cat of the same file.
"$build/bin/coldload" 1000000 > /dev/null # writes the file once
file=$(ls "${TMPDIR:-/tmp}"/lodex-bench/realistic-1000000.ldx)
cat_ms=$(for i in 1 2 3 4 5; do
    s=$(date +%s%N); cat "$file" > /dev/null; e=$(date +%s%N); echo $(( (e - s) / 1000000 ))
done | median)
load_ms=$(for i in 1 2 3 4 5; do "$build/bin/coldload" 1000000 | cut -d' ' -f1; done | median)
echo "cold load of 1,000,000 records ($(( $(stat -c %s "$file") / 1000000 )) MB): median ${load_ms} ms; cat of the file: median ${cat_ms} ms"

for b in "$build"/bin/lodex-bench*; do
    [ -x "$b" ] || continue
    "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
done
