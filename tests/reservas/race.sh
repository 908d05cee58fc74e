# Several terminals book the same table for the same evening at the same moment, round after
# round, each on a fresh database: one holds it, the others are told and store nothing. On a busy
# machine a terminal may wait out another's lock and be told the reservations are in use, as an
# operator rightly can be; whatever each is told, the table is never held twice and what was
# stored is exactly what the terminals were told was stored.
# With RESERVAS_TEST_POSTGRES set, the databases are made on the test server.
set -euo pipefail

booker="$1"
rounds="$2"
terminals="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/../postgres/server.sh"

# Runs one query on the round's database and prints its one value.
query() {
    if [ -n "$server" ]; then
        psql -X -qAt "$server/$1" -c "$2"
    else
        sqlite3 "$work/$1.db" "$2"
    fi
}

for round in $(seq 1 "$rounds"); do
    name="race_$$_$round"
    if [ -n "$server" ]; then
        make_server_database "$name"
        db="$server/$name"
    else
        db="$work/$name.db"
    fi
    start="$work/start$round"
    pids=()
    for terminal in $(seq 1 "$terminals"); do
        "$booker" "$db" "$start" 7 "$work/ready$round.$terminal" 2>"$work/stderr$terminal" &
        pids+=($!)
    done
    # All connected and their tables in place, so that they book at one moment. One that ended
    # before is reported below with what it said.
    for terminal in $(seq 1 "$terminals"); do
        for _ in $(seq 1 600); do
            [ -f "$work/ready$round.$terminal" ] && break
            kill -0 "${pids[$((terminal - 1))]}" 2>/dev/null || break
            sleep 0.1
        done
        if [ ! -f "$work/ready$round.$terminal" ] && kill -0 "${pids[$((terminal - 1))]}" 2>/dev/null; then
            echo "FAIL: round $round, terminal $terminal was not ready within a minute" >&2
            kill "${pids[@]}" 2>/dev/null || true
            exit 1
        fi
    done
    touch "$start"
    stored=0
    told=0
    busy=0
    for terminal in $(seq 1 "$terminals"); do
        code=0
        wait "${pids[$((terminal - 1))]}" || code=$?
        case "$code" in
        0) stored=$((stored + 1)) ;;
        1) told=$((told + 1)) ;;
        3) busy=$((busy + 1)) ;;
        *)
            echo "FAIL: round $round, terminal $terminal ended with $code: $(cat "$work/stderr$terminal")" >&2
            exit 1
            ;;
        esac
    done
    held=$(query "$name" "SELECT COUNT(*) FROM MESARESERVADA WHERE NRMESA = 7")
    reservations=$(query "$name" "SELECT COUNT(*) FROM RESERVAMESA")
    if [ -n "$server" ]; then
        drop_server_database "$name"
    fi
    # One stores unless some were told to wait; none stores twice; the database holds exactly
    # what was said.
    if [ "$stored" -gt 1 ] || { [ "$stored" -eq 0 ] && [ "$busy" -eq 0 ]; } ||
        [ "$held" -ne "$stored" ] || [ "$reservations" -ne "$stored" ]; then
        echo "FAIL: round $round: $stored stored, $told told, $busy told to wait, table held" \
            "$held times, $reservations reservations" >&2
        exit 1
    fi
done
echo "$rounds rounds of $terminals terminals: the table was never held twice"
