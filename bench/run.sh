#!/usr/bin/env bash
# Runs the benchmarks built in BIN_DIR and prints each beside its baseline, measured in the same
# run, with the ratio and the target:
#   bench/run.sh BIN_DIR           the figures (a few minutes)
#   bench/run.sh BIN_DIR --once    one sample of each, no verdict: the smoke run that keeps them
#                                  working (fails when a benchmark fails or cannot run)
# Ratios: time ours / time baseline (for speeds the same, baseline speed / ours); for memory,
# ours / baseline. Then bookings per second with 1, 4 and 16 terminals at once on a SQLite file
# and on a throw-away PostgreSQL server (bookings.sh, which starts and stops the server), against
# 1 terminal on the same engine; the smoke run books for half a second with 1 and 4. Then the
# terminal against a server far away (remote.sh: 0, 5 and 25 ms each way, and the round trips
# that follow) and today's reservations after a million past ones on each engine (history.sh);
# the smoke run takes 0 and 5 ms and a thousand past reservations, one sample each.
set -euo pipefail
bin="$1"
once=false
if [ "${2:-}" = "--once" ]; then
    once=true
fi
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
results="$(mktemp -d)"
trap 'rm -rf "$results"' EXIT

failed=()
run() {
    local bench="$1"
    shift
    if ! "$bin/$bench" -o "$results/$bench.csv,csv" -o "$results/$bench.txt,txt" "$@" \
        >/dev/null 2>&1; then
        echo "FAIL: $bench did not run through; its output:" >&2
        cat "$results/$bench.txt" >&2 2>/dev/null || true
        failed+=("$bench")
    fi
}

if $once; then
    # One sample of each, and the smallest packets: it only shows that each still runs.
    export BENCH_SAMPLES=1
    run bench_datapacket -iterations 1 -- 1000
    packet_sizes=(-- 1)
else
    run bench_datapacket
    packet_sizes=()
fi
for bench in bench_moduleload bench_screen bench_reservation bench_store; do
    run "$bench"
done
run bench_packetread "${packet_sizes[@]}"

# One line per comparison: title | benchmark file | function | tag before "ours"/"baseline" |
# kind of figure | target for the reader | target as conditions on the ratio and on ours (ms).
rows='module load to ready|bench_moduleload|moduleLoad||time|-|
entry call to first frame|bench_screen|entryToFirstFrame||time|<=1.5x, <50 ms|ratio<=1.5 ours<50
tap to repainted name|bench_screen|tapToRepaint||time|<=2x, <16.7 ms|ratio<=2 ours<16.7
whole reservation, 43 taps|bench_reservation|wholeReservation||time|-|
store reservation + 2 tables|bench_store|store||time|-|
store against its own statements|bench_store|againstItsStatements||time|<=1.25x (>=0.8x bookings/s)|ratio<=1.25
read XML 1 MB|bench_packetread|readXml|1 MB |speed|<=2x|ratio<=2
read XML 10 MB|bench_packetread|readXml|10 MB |speed|<=2x|ratio<=2
read binary 1 MB|bench_packetread|readBinary|1 MB |speed|-|
read binary 10 MB|bench_packetread|readBinary|10 MB |speed|-|
binary vs XML reader 1 MB|bench_packetread|binaryAgainstXml|1 MB |time|<=0.2x (5x faster)|ratio<=0.2
binary vs XML reader 10 MB|bench_packetread|binaryAgainstXml|10 MB |time|<=0.2x (5x faster)|ratio<=0.2
peak memory XML 1 MB|bench_packetread|peakMemory|XML 1 MB |memory|-|
peak memory XML 10 MB|bench_packetread|peakMemory|XML 10 MB |memory|-|
peak memory binary 1 MB|bench_packetread|peakMemory|binary 1 MB |memory|-|
peak memory binary 10 MB|bench_packetread|peakMemory|binary 10 MB |memory|-|'

cat "$results"/*.csv 2>/dev/null | awk -v rows="$rows" -v once="$once" '
    BEGIN { FS = "," }
    # "function","tag","metric",value per iteration,...
    {
        for (i = 1; i <= 3; ++i) gsub(/"/, "", $i)
        value[$1 "|" $2] = $4
    }
    function figure(v, kind) {
        if (kind == "time") return sprintf("%.3f ms", v)
        if (kind == "speed") return sprintf("%.1f MB/s", v / 1e6)
        return sprintf("%.2fx file", v)
    }
    function holds(condition, ratio, ours, kind,    parts, limit) {
        split(condition, parts, /<=|</)
        limit = parts[2] + 0
        if (parts[1] == "ratio") return index(condition, "<=") ? ratio <= limit : ratio < limit
        return ours < limit
    }
    END {
        printf "%-30s %14s %14s %8s  %-22s %s\n", "benchmark", "ours", "baseline", "ratio", "target", "met?"
        n = split(rows, lines, "\n")
        for (l = 1; l <= n; ++l) {
            split(lines[l], f, "|")
            ours = value[f[3] "|" f[4] "ours"]
            base = value[f[3] "|" f[4] "baseline"]
            if (ours == "" || base == "") {
                printf "%-30s %14s %14s %8s  %-22s %s\n", f[1], "-", "-", "-", f[6], once == "true" ? "not run" : "no result"
                continue
            }
            ratio = f[5] == "speed" ? base / ours : ours / base
            verdict = "-"
            if (f[7] != "") {
                verdict = "met"
                c = split(f[7], conditions, " ")
                for (i = 1; i <= c; ++i)
                    if (!holds(conditions[i], ratio, ours, f[5])) verdict = "MISSED"
            }
            if (once == "true" && f[7] != "") verdict = "n/a (one sample)"
            printf "%-30s %14s %14s %7.2fx  %-22s %s\n", f[1], figure(ours, f[5]), figure(base, f[5]), ratio, f[6], verdict
        }
    }'

echo
echo "Without a baseline (bench_datapacket, a packet of very many columns):"
awk -F, '/^"(read|write)"/ { gsub(/"/, ""); printf "  %-6s %-7s %.3f ms\n", $1, $2, $4 }' \
    "$results/bench_datapacket.csv" 2>/dev/null || true

echo
if $once; then
    booking_runs=(0.5 1 4)
else
    booking_runs=(10 1 4 16)
fi
bash "$(dirname "$0")/bookings.sh" "$bin" "${booking_runs[@]}" || failed+=(bookings)

echo
once_flag=()
if $once; then
    once_flag=(--once)
fi
bash "$(dirname "$0")/remote.sh" "$bin" "${once_flag[@]}" || failed+=(remote)
echo
bash "$(dirname "$0")/history.sh" "$bin" "${once_flag[@]}" || failed+=(history)

if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED: ${failed[*]}" >&2
    exit 1
fi
