#!/usr/bin/env bash
# Today's reservations after years of them:
#   bench/history.sh BIN_DIR            with no and with 1,000,000 past reservations, 15 samples
#   bench/history.sh BIN_DIR --once     with no and with 1,000, one sample: the smoke run
# On a SQLite file and on the throw-away PostgreSQL server (tests/postgres/cluster.sh), a fresh
# process of the terminal lists today's dozen reservations (--list), the server's as the
# terminals' role caixa, the two databases taking turns sample by sample. The terminal makes the
# tables as their owner; the reservations are written straight into them
# (reservationhistory.sh). The ratio is the time with the history over the time without, on the
# same engine. A run that fails fails the benchmark; times are never judged. Without a server
# the PostgreSQL row is skipped, saying why.
set -euo pipefail
bin="$1"
name=history
source "$(dirname "$0")/benchlib.sh"
source "$(dirname "$0")/reservationhistory.sh"

if [ "${2:-}" = "--once" ]; then
    past=1000
    samples=1
else
    past=1000000
    samples=15
fi
today="$(date +%F)"
# The restaurant the history was made in.
tables="$(seq -s , 1 36 | sed 's/\([0-9]*\)/\1:4/g')"
samples_file="$work/samples"
: >"$samples_file"

# Today's list must be the dozen written, whatever the history.
check_today() {
    local listed
    listed="$("$bin/reservas-terminal" --db "$1" --list "$today" | wc -l)" ||
        fail "--list failed on $1"
    [ "$listed" -eq 12 ] || fail "today's list on $1 holds $listed reservations, not 12"
}

# A database of engine $1 with $2 past reservations, then today's, prepared by the terminal as
# its owner: sets owner_url and terminal_url, its addresses for the owner and for a terminal.
new_database() {
    if [ "$1" = sqlite ]; then
        owner_url="$work/history-$2.db"
        terminal_url="$owner_url"
        "$bin/reservas-terminal" --prepare-database "$owner_url" >/dev/null ||
            fail "the terminal could not make $owner_url"
    else
        prepare_server_database "history_$2"
        owner_url="$server_url/history_$2"
        terminal_url="postgresql://caixa@127.0.0.1:$(server_port)/history_$2"
    fi
    "$bin/reservas-terminal" --db "$owner_url" --tables "$tables" >/dev/null ||
        fail "the restaurant's tables could not be set on $owner_url"
    [ "$2" -eq 0 ] || add_past "$1" "$owner_url" "$today" "$2"
    add_today "$1" "$owner_url" "$today"
}

# The list with no history and with it taking turns sample by sample.
measure() {
    local engine="$1" empty full round size sample order
    new_database "$engine" 0
    empty="$terminal_url"
    new_database "$engine" "$past"
    full="$terminal_url"
    check_today "$empty"
    check_today "$full"
    for round in $(rounds "$samples"); do
        # Each goes first in every other round, so that running first or second weighs on both
        # alike.
        order=(empty full)
        [ $((round % 2)) -eq 0 ] || order=(full empty)
        for size in "${order[@]}"; do
            sample="$(run_ms "$bin/reservas-terminal" --db "${!size}" --list "$today")"
            [ "$round" -eq 0 ] || echo "$engine@$size $sample" >>"$samples_file"
        done
    done
}

measure sqlite
start_server
if [ -n "$server_url" ]; then
    measure postgres
fi

echo "Today's dozen reservations (--list, fresh process) with no past reservations and with $past;"
echo "median of $samples sample(s)"
medians <"$samples_file" | tr '@' ' ' | awk -v past="$past" '
    { ms[$1 " " $2] = $3 }
    END {
        printf "%-11s %12s %12s %8s\n", "engine", "no history", past " past", "ratio"
        split("sqlite postgres", engines, " ")
        for (e = 1; e <= 2; ++e) {
            k = engines[e]
            if (!((k " empty") in ms)) continue
            printf "%-11s %9.1f ms %9.1f ms %7.2fx\n", k == "sqlite" ? "SQLite" : "PostgreSQL", ms[k " empty"], ms[k " full"], ms[k " full"] / ms[k " empty"]
        }
    }'
if [ -z "$server_url" ]; then
    echo "PostgreSQL row skipped: $skipped"
fi
