#!/bin/sh
# Runs the benchmarks of a Release build folder, then prints every figure
# beside its yardstick and the baseline in bench/baseline.txt, marking a
# figure more than 15% worse than there.
#
#     scripts/bench.sh [BUILD] [--write-baseline]
#
# The yardstick of a time is cat of the same file timed the same way in the
# same run (a whole process beside a whole process, an in-process read
# beside an in-process figure), which cancels most of a shared machine's
# noise; the yardstick of a memory figure is the size of the file. A
# figure's ratio to its yardstick is what the baseline keeps.
# --write-baseline replaces the baseline with this run's ratios: do that
# only together with the reason in BENCHMARKS.md ("The baseline").
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build="build-bench"
write_baseline=no
for arg in "$@"; do
    case $arg in
    --write-baseline) write_baseline=yes ;;
    *) build=$arg ;;
    esac
done
bin=$(cd "$build/bin" && pwd)
baseline=$here/bench/baseline.txt
# BENCH_REPEATS runs each figure so many times (5); BENCH_FILTER picks the
# in-process benchmarks by name (all of them).
repeats=${BENCH_REPEATS:-5}

# The window figures need a display: without one the run goes under Xvfb.
if [ -z "${DISPLAY:-}" ] && [ -z "${LODEX_BENCH_UNDER_XVFB:-}" ] && command -v xvfb-run > /dev/null; then
    LODEX_BENCH_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load average $(cut -d' ' -f1-3 /proc/loadavg)"

work=$(mktemp -d)
# A desktop session's runtime folder is in memory (/run/user/UID).
runtime=$(mktemp -d -p /dev/shm 2> /dev/null || mktemp -d)
trap 'rm -rf "$work" "$runtime"' EXIT
figures=$work/figures # name, value, yardstick, unit, what: one figure a line, tab-separated
: > "$figures"

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# record NAME VALUE YARDSTICK UNIT WHAT
record() { printf '%s\t%s\t%s\t%s\t%s\n' "$1" "$2" "$3" "$4" "$5" >> "$figures"; }

# Lodex as a user starts it: settings, registration and runtime folder of
# its own, set up by one start that is not measured.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$runtime"
chmod 700 "$XDG_RUNTIME_DIR"
probe=$bin/liblodex-shown-probe.so
"$bin/lodex-measure" --until-shown "$probe" "$bin/lodex" "$here/examples/sample.ldx" > /dev/null

# whole NAME WHAT FILE [--until-shown PROBE] PROGRAM ARG...: a whole process
# beside cat of FILE, taking turns, `repeats` times each; the medians of the
# times and of the peak memory go to $work/NAME.{ms,cat,kb}.
whole() {
    name=$1 file=$3
    shift 3
    : > "$work/$name.runs"
    : > "$work/$name.cats"
    i=0
    while [ $i -lt "$repeats" ]; do
        "$bin/lodex-measure" cat "$file" >> "$work/$name.cats"
        "$bin/lodex-measure" "$@" >> "$work/$name.runs"
        i=$((i + 1))
    done
    cut -d' ' -f1 "$work/$name.runs" | median > "$work/$name.ms"
    cut -d' ' -f3 "$work/$name.runs" | median > "$work/$name.kb"
    cut -d' ' -f1 "$work/$name.cats" | median > "$work/$name.cat"
}
# whole_time NAME WHAT FILE COMMAND...: whole, and the time as a figure.
whole_time() {
    whole "$@"
    record "$1" "$(cat "$work/$1.ms")" "$(cat "$work/$1.cat")" ms "$2"
}
# memory NAME WHAT FILE: the peak memory of run NAME against FILE's size.
memory() {
    record "$1.memory" "$(($(cat "$work/$1.kb") * 1024))" "$(stat -c %s "$3")" bytes "$2"
}

"$bin/coldload" 1000000 > /dev/null # writes the files once
"$bin/coldload" 1000000 running > /dev/null
list=$(ls "${TMPDIR:-/tmp}"/lodex-bench/realistic-1000000.ldx)
running=$(ls "${TMPDIR:-/tmp}"/lodex-bench/running-1000000.ldx)
stamp=2026-12-07T12:00

echo "Whole processes, $repeats runs each beside cat of the same file ..."
whole_time start.small "Start to the window showing examples/sample.ldx" "$here/examples/sample.ldx" \
    --until-shown "$probe" "$bin/lodex" "$here/examples/sample.ldx"
whole_time open.million "Start to the window showing 1,000,000 records" "$list" \
    --until-shown "$probe" "$bin/lodex" "$list"
memory open.million "Peak memory of that start, against the file" "$list"
whole_time load.cold "Cold load of 1,000,000 records (coldload)" "$list" "$bin/coldload" 1000000
whole_time export.new "lodex-cli export of 1,000,000 running records into a new phonebook" "$running" \
    sh -c "rm -f '$work/new.ini' && exec '$bin/lodex-cli' export '$running' '$work/new.ini' --now $stamp"
"$bin/lodex-cli" export "$running" "$work/own.ini" --now "$stamp"
whole_time export.again "The same export again over its own phonebook" "$work/own.ini" \
    "$bin/lodex-cli" export "$running" "$work/own.ini" --now "$stamp"
memory export.again "Peak memory of that export, against the phonebook" "$work/own.ini"
whole_time export.list "lodex-cli export of 1,000,000 records as a semicolon list" "$list" \
    "$bin/lodex-cli" export "$list" "$work/list.txt" --now "$stamp"

# In-process figures (Google Benchmark), medians of `repeats` repetitions,
# beside cat of the same file: the database file rows beside the file of
# their size, the others beside the file of 1,000,000 records they work on.
"$bin/coldload" 10000 > /dev/null
"$bin/coldload" 100000 > /dev/null
cat_median() {
    i=0
    while [ $i -lt "$repeats" ]; do
        "$bin/lodex-measure" cat "$1" | cut -d' ' -f1
        i=$((i + 1))
    done | median
}
cats="10000=$(cat_median "${list%-*}-10000.ldx") 100000=$(cat_median "${list%-*}-100000.ldx") 1000000=$(cat_median "$list")"
for b in "$bin"/lodex-bench*; do
    [ -x "$b" ] || continue
    "$b" --benchmark_repetitions="$repeats" --benchmark_report_aggregates_only=true ${BENCH_FILTER:+"--benchmark_filter=$BENCH_FILTER"} \
        --benchmark_out="$work/$(basename "$b").json" --benchmark_out_format=json
done
# The JSON holds one key a line; each run is an object.
awk -v cats="$cats" -v list_bytes="$(stat -c %s "$list")" '
    function ms(value, unit) { return unit == "ns" ? value / 1e6 : unit == "us" ? value / 1e3 : unit == "s" ? value * 1e3 : value }
    function number(line) { sub(/.*: */, "", line); sub(/,$/, "", line); return line + 0 }
    BEGIN {
        per_record = list_bytes / 1000000
        split(cats, pairs, " ")
        for (i in pairs) {
            split(pairs[i], pair, "=")
            cat[pair[1]] = pair[2]
        }
    }
    /^ *\{/ { name = ""; aggregate = ""; time = ""; unit = ""; memory = ""; times = "" }
    /"name":/ { name = $0; sub(/.*"name": *"/, "", name); sub(/",?$/, "", name) }
    /"aggregate_name":/ { aggregate = $0; gsub(/.*: *"|",?$/, "", aggregate) }
    /"real_time":/ { time = number($0) }
    /"time_unit":/ { unit = $0; gsub(/.*: *"|",?$/, "", unit) }
    /"(bytesPerRecord|bytesPerRow)":/ { memory = number($0) }
    /"peakTimesFileSize":/ { times = number($0) }
    # The median of the repetitions, or the one run when there is only one.
    /^ *\},?$/ {
        if (name == "" || (aggregate != "" && aggregate != "median"))
            next
        sub(/_median$/, "", name)
        gsub(/\/(repeats|iterations):[0-9]+/, "", name)
        sub(/^BM_/, "", name)
        if (!(name in line))
            order[++n] = name
        if (times != "") {
            line[name] = sprintf("%s.memory\t%s\t1\ttimes\tpeak memory against the file read", name, times)
        } else if (memory != "") {
            line[name] = sprintf("%s.memory\t%s\t%s\tbytes\tbytes a record (or row) beside the file'"'"'s", name, memory, per_record)
        } else {
            size = name ~ /^(Load|Save|CatFile)\// ? substr(name, index(name, "/") + 1) : "1000000"
            line[name] = sprintf("%s\t%s\t%s\tms\tin process, beside cat of %s records", name, ms(time, unit), cat[size], size)
        }
    }
    END {
        for (i = 1; i <= n; ++i)
            print line[order[i]]
    }' "$work"/*.json >> "$figures"

# The table: each figure, its ratio to its yardstick, and that ratio beside
# the baseline's.
echo
awk -F'\t' -v baseline="$baseline" '
    BEGIN {
        while ((getline line < baseline) > 0) {
            if (line ~ /^#/ || line == "")
                continue
            split(line, field, " ")
            base[field[1]] = field[2]
        }
        printf "%-26s %12s %11s %8s %8s %7s  %s\n", "Figure", "Value", "Yardstick", "Ratio", "Baseline", "Change", "What"
    }
    {
        ratio = $3 > 0 ? $2 / $3 : 0
        change = ""
        mark = ""
        if ($1 in base && base[$1] > 0) {
            change = sprintf("%+.0f%%", (ratio / base[$1] - 1) * 100)
            if (ratio > base[$1] * 1.15) {
                mark = "  <-- WORSE"
                ++worse
            }
        } else {
            mark = " (no baseline)"
        }
        value = $4 == "ms" ? sprintf("%.1f ms", $2) : $4 == "times" ? sprintf("%.2f x", $2) : $2 >= 1e6 ? sprintf("%.1f MB", $2 / 1e6) : sprintf("%.1f B", $2)
        yard = $4 == "ms" ? sprintf("%.1f ms", $3) : $4 == "times" ? "1 x" : $3 >= 1e6 ? sprintf("%.1f MB", $3 / 1e6) : sprintf("%.1f B", $3)
        printf "%-26s %12s %11s %8.3f %8s %7s  %s%s\n", $1, value, yard, ratio, ($1 in base ? base[$1] : "-"), change, $5, mark
    }
    END {
        print ""
        if (worse)
            printf "%d figure(s) more than 15%% worse than the baseline (bench/baseline.txt).\n", worse
        else
            print "No figure is more than 15% worse than the baseline (bench/baseline.txt)."
    }' "$figures"

if [ "$write_baseline" = yes ]; then
    {
        echo "# Each figure of scripts/bench.sh as a ratio to its yardstick. Replace only"
        echo "# together with the reason in BENCHMARKS.md (\"The baseline\")."
        awk -F'\t' '{ printf "%s %.4f\n", $1, $3 > 0 ? $2 / $3 : 0 }' "$figures"
    } > "$baseline"
    echo "Wrote $baseline: give the reason in BENCHMARKS.md."
fi
