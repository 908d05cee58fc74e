#!/usr/bin/env bash
# Bookings per second with several terminals booking at once, each a process of its own
# (bench_booker), on a SQLite file and on a throw-away PostgreSQL server on this machine:
#   bench/bookings.sh BIN_DIR SECONDS CLIENTS...    e.g. bench/bookings.sh build/default/bin 10 1 4 16
# For each engine and number of clients: a fresh database, the clients let go at one moment,
# every client's bookings over the slowest client's time. The baseline is one client on the same
# engine. Afterwards the database must hold exactly the bookings the clients counted and no table
# twice at overlapping times. A client that fails or a wrong database fails the run; times are
# never judged. Without a server the PostgreSQL rows are skipped, saying why.
set -euo pipefail

bin="$1"
seconds="$2"
shift 2
counts=("$@")
# The terminals go through the package's hand-off, which needs a screen it never shows.
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
root="$(cd "$(dirname "$0")/.." && pwd)"
cluster="$root/tests/postgres/cluster.sh"
work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    bash "$cluster" stop "$work/postgres" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: bookings: $*" >&2
    exit 1
}

# A client still running: not yet reaped, and no zombie.
running() {
    local state
    state="$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -c1)"
    [ -n "$state" ] && [ "$state" != Z ]
}

# Runs $3 clients of engine $1 on the database $2 and sets tally to their sums: bookings,
# conflicts, busy retries and the slowest client's nanoseconds.
tally=""
clients() {
    local engine="$1" location="$2" n="$3" k code waited=0
    local dir="$work/$engine-$n" run="$engine, $n clients"
    mkdir -p "$dir"
    pids=()
    for k in $(seq 1 "$n"); do
        # Client k books table k. timeout ends a client that would hang.
        timeout $((${seconds%.*} + 60)) "$bin/bench_booker" "$location" "$dir/start" \
            "$dir/ready$k" "$k" "$seconds" >"$dir/out$k" 2>"$dir/err$k" &
        pids+=($!)
    done
    # Every client has started and opened the database before the first books.
    while [ "$(find "$dir" -name 'ready*' | wc -l)" -lt "$n" ]; do
        for k in $(seq 1 "$n"); do
            running "${pids[$((k - 1))]}" || [ -e "$dir/ready$k" ] ||
                fail "$run: client $k ended early: $(cat "$dir/err$k")"
        done
        waited=$((waited + 1))
        [ "$waited" -le 1200 ] || fail "$run: not all clients ready within 60 s"
        sleep 0.05
    done
    touch "$dir/start"
    for k in $(seq 1 "$n"); do
        code=0
        wait "${pids[$((k - 1))]}" || code=$?
        [ "$code" -eq 0 ] || fail "$run: client $k ended with $code: $(cat "$dir/err$k")"
    done
    pids=()
    tally="$(cat "$dir"/out* | awk -v n="$n" '
        $1 == "bookings" && NF == 8 { b += $2; c += $4; r += $6; if ($8 > t) t = $8; ++lines }
        END { if (lines != n) exit 1; print b, c, r, t }')" ||
        fail "$run: a client printed no tally"
}

# Reservations, tables held, and pairs of holdings of one table at overlapping times on one day.
check_sql='SELECT (SELECT COUNT(*) FROM RESERVAMESA), (SELECT COUNT(*) FROM MESARESERVADA),
    (SELECT COUNT(*) FROM MESARESERVADA A JOIN MESARESERVADA B ON A.NRMESA = B.NRMESA
     AND A.DTRESMESA = B.DTRESMESA AND A.NRRESMESA < B.NRRESMESA
     AND A.HRINIRESMESA < B.HRFINRESMESA AND B.HRINIRESMESA < A.HRFINRESMESA)'

# One row of results, "engine clients bookings conflicts busy nanoseconds", per run.
results="$work/results"
: >"$results"
measure() {
    local engine="$1" n="$2" location="$3" counts_found
    clients "$engine" "$location" "$n"
    if [ "$engine" = SQLite ]; then
        counts_found="$(sqlite3 -separator ' ' "$location" "$check_sql")"
    else
        counts_found="$(psql -X -A -t -F ' ' -v ON_ERROR_STOP=1 "$location" -c "$check_sql")"
    fi
    read -r bookings _ _ _ <<<"$tally"
    [ "$counts_found" = "$bookings $bookings 0" ] ||
        fail "$engine, $n clients: the clients counted $bookings bookings; the database holds" \
            "(reservations, tables held, tables held twice) $counts_found"
    echo "$engine $n $tally" >>"$results"
}

for n in "${counts[@]}"; do
    measure SQLite "$n" "$work/sqlite-$n.db"
done

bash "$cluster" start "$work/postgres" >"$work/postgres.log" 2>&1 ||
    fail "the server's start failed: $(cat "$work/postgres.log")"
server_url="$(sed -n 's/^POSTGRES_URL=//p' "$work/postgres/env")"
skipped="$(sed -n 's/^POSTGRES_UNAVAILABLE=//p' "$work/postgres/env")"
if [ -n "$server_url" ]; then
    export PGPASSFILE="$work/postgres/pgpass"
    for n in "${counts[@]}"; do
        psql -X -q -v ON_ERROR_STOP=1 "$server_url/postgres" -c "CREATE DATABASE bookings_$n" ||
            fail "no database for $n clients on the server"
        measure PostgreSQL "$n" "$server_url/bookings_$n"
    done
fi

echo "Bookings per second, $seconds s a run, one table a booking, client k on table k;"
echo "baseline: 1 client on the same engine, in the same run"
awk '
    { rate = $3 / ($6 / 1e9); row[NR] = $0; rates[NR] = rate; if ($2 == 1) single[$1] = rate }
    END {
        printf "%-11s %7s %9s %9s %12s %11s %12s\n", "engine", "clients", "bookings", "conflicts", "busy retries", "bookings/s", "vs 1 client"
        for (i = 1; i <= NR; ++i) {
            split(row[i], f, " ")
            ratio = f[1] in single ? sprintf("%.2fx", rates[i] / single[f[1]]) : "-"
            printf "%-11s %7d %9d %9d %12d %11.1f %12s\n", f[1], f[2], f[3], f[4], f[5], rates[i], ratio
            busy += f[5]
        }
        if ("SQLite" in single && "PostgreSQL" in single)
            printf "SQLite against PostgreSQL, 1 client: %.2fx (bookings/s, SQLite over PostgreSQL)\n", single["SQLite"] / single["PostgreSQL"]
        if (busy > 0)
            printf "%d busy retries: the database stayed busy past its wait and the client tried the same booking again (not counted as a booking, its time counted)\n", busy
    }' "$results"
if [ -z "$server_url" ]; then
    echo "PostgreSQL rows skipped: ${skipped:-the server left no address}"
fi
