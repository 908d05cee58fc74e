#!/usr/bin/env bash
# The terminal against a PostgreSQL server far away:
#   bench/remote.sh BIN_DIR            one-way delays of 0, 5 and 25 ms, 7 samples each
#   bench/remote.sh BIN_DIR --once     0 and 5 ms, one sample each: the smoke run
# The throw-away server (tests/postgres/cluster.sh) is reached through bench_delayproxy, which
# holds every chunk for the delay each way, as the terminals' role caixa with the server's
# pgpass. At each delay: a booking and the day's reading on a connection already open
# (bench_openbooking; the median of those after the first), and fresh processes of the terminal listing today's
# reservations, replacing the restaurant's 20 tables, and opening the day's window until its
# first frame is painted, the delays taking turns sample by sample. Each figure is a median; the
# round trips are the slope of the times over the delay (least squares), over 2. A run that fails fails the benchmark;
# times are never judged. Without a server it is skipped, saying why.
set -euo pipefail
bin="$1"
name=remote
source "$(dirname "$0")/benchlib.sh"
source "$(dirname "$0")/reservationhistory.sh"

if [ "${2:-}" = "--once" ]; then
    delays=(0 5)
    samples=1
    bookings=2
else
    delays=(0 5 25)
    samples=7
    bookings=11
fi
tables="$(seq -s , 1 20 | sed 's/\([0-9]*\)/\1:4/g')"
today="$(date +%F)"

start_server
if [ -z "$server_url" ]; then
    echo "Remote server skipped: $skipped"
    exit 0
fi
prepare_server_database remote
# Today as a restaurant has it at noon: a dozen reservations, with their tables.
add_today postgres "$server_url/remote" "$today"

# Starts a relay with a one-way delay of $1 ms and sets relay_port to the port it listens on.
# All run at once, one a delay: a relay waits for nothing while no connection goes through it.
start_relay() {
    local output="$work/relay-$1" pid
    : >"$output"
    "$bin/bench_delayproxy" 127.0.0.1 "$(server_port)" "$1" >"$output" 2>"$output.err" &
    pid=$!
    started_pids+=("$pid")
    for _ in $(seq 1 100); do
        relay_port="$(sed -n 's/^port //p' "$output")"
        [ -z "$relay_port" ] || return 0
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    fail "the relay did not start: $(cat "$output.err")"
}

# Sets frame_ms to the milliseconds from the start of the terminal on the day's window until Qt
# says the window's first frame is flushed to the screen; the terminal is then ended. Qt's
# painting log tells, so the program needs no hook of its own; the day is read before the
# window is shown.
time_first_frame() {
    local start end line frame=""
    rm -f "$work/paints"
    mkfifo "$work/paints"
    start=$EPOCHREALTIME
    QT_LOGGING_RULES="qt.widgets.painting=true" "$bin/reservas-terminal" --db "$1" \
        >/dev/null 2>"$work/paints" &
    terminal_pid=$!
    : >"$work/terminal.err"
    while IFS= read -r -t 60 line; do
        if [[ "$line" == *"Flushing QRegion"*'name="dayWindow")'* ]]; then
            frame=yes
            break
        fi
        echo "$line" >>"$work/terminal.err"
    done <"$work/paints"
    end=$EPOCHREALTIME
    kill "$terminal_pid" 2>/dev/null || true
    wait "$terminal_pid" 2>/dev/null || true
    terminal_pid=""
    [ -n "$frame" ] ||
        fail "the day's window painted no frame: $(grep -v qt.widgets "$work/terminal.err" | tail -n 5)"
    frame_ms="$(elapsed_ms "$start" "$end")"
}

declare -A database
for delay in "${delays[@]}"; do
    start_relay "$delay"
    database[$delay]="postgresql://caixa@127.0.0.1:$relay_port/remote"
done

samples_file="$work/samples"
: >"$samples_file"
for index in "${!delays[@]}"; do
    delay="${delays[$index]}"
    # Each delay books a table of its own, on the same evenings.
    "$bin/bench_openbooking" "${database[$delay]}" "$((index + 1))" "$bookings" >"$work/booking" \
        2>"$work/booking.err" || fail "bench_openbooking failed: $(cat "$work/booking.err")"
    awk -v d="$delay" '$1 == "first" { printf "booking@%s %.1f\nopenlist@%s %.1f\n", d, $4 / 1e6, d, $6 / 1e6 }' \
        "$work/booking" >>"$samples_file"
done
for round in $(rounds "$samples"); do
    # The delays go one way in a round and back the other in the next, so that none always
    # comes first.
    order=("${delays[@]}")
    [ $((round % 2)) -eq 0 ] || order=($(printf '%s\n' "${delays[@]}" | tac))
    for delay in "${order[@]}"; do
        list="$(run_ms "$bin/reservas-terminal" --db "${database[$delay]}" --list "$today")"
        tables_ms="$(run_ms "$bin/reservas-terminal" --db "${database[$delay]}" --tables "$tables")"
        time_first_frame "${database[$delay]}"
        [ "$round" -eq 0 ] ||
            printf 'list@%s %s\ntables@%s %s\nwindow@%s %s\n' "$delay" "$list" "$delay" \
                "$tables_ms" "$delay" "$frame_ms" >>"$samples_file"
    done
done

echo "PostgreSQL server far away: each chunk held the one-way delay each way (bench_delayproxy);"
echo "median of $samples sample(s) a figure, $((bookings - 1)) booking(s) after the first for the open connection"
medians <"$samples_file" | tr '@' ' ' | awk -v delays="${delays[*]}" '
    { ms[$1 " " $2] = $3 }
    END {
        n = split(delays, d, " ")
        titles["booking"] = "booking, connection open"
        titles["openlist"] = "day list, connection open"
        titles["list"] = "--list today, fresh process"
        titles["tables"] = "--tables (20), fresh process"
        titles["window"] = "start to day window painted"
        printf "%-30s", "one-way delay"
        for (i = 1; i <= n; ++i) printf " %10s", d[i] " ms"
        printf " %12s\n", "round trips"
        split("booking openlist list tables window", order, " ")
        for (k = 1; k <= 5; ++k) {
            m = order[k]
            sd = st = 0
            for (i = 1; i <= n; ++i) { sd += d[i]; st += ms[m " " d[i]] }
            sd /= n; st /= n
            num = den = 0
            for (i = 1; i <= n; ++i) { num += (d[i] - sd) * (ms[m " " d[i]] - st); den += (d[i] - sd) ^ 2 }
            printf "%-30s", titles[m]
            for (i = 1; i <= n; ++i) printf " %10s", sprintf("%.1f ms", ms[m " " d[i]])
            printf " %12.1f\n", num / den / 2
        }
    }'
echo "round trips: the least-squares slope of the time over the one-way delay, over 2"
