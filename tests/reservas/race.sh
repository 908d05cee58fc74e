# Several terminals book the same table for the same evening at the same moment, round after
# round, each on a fresh database: exactly one holds it, the others are told and store nothing.
set -euo pipefail

booker="$1"
rounds="$2"
terminals="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for round in $(seq 1 "$rounds"); do
    db="$work/round$round.db"
    start="$work/start$round"
    pids=()
    for terminal in $(seq 1 "$terminals"); do
        "$booker" "$db" "$start" 7 2>"$work/stderr$terminal" &
        pids+=($!)
    done
    sleep 0.3
    touch "$start"
    stored=0
    told=0
    for terminal in $(seq 1 "$terminals"); do
        code=0
        wait "${pids[$((terminal - 1))]}" || code=$?
        case "$code" in
        0) stored=$((stored + 1)) ;;
        1) told=$((told + 1)) ;;
        *)
            echo "FAIL: round $round, terminal $terminal ended with $code: $(cat "$work/stderr$terminal")" >&2
            exit 1
            ;;
        esac
    done
    held=$(sqlite3 "$db" "SELECT COUNT(*) FROM MESARESERVADA WHERE NRMESA = 7")
    reservations=$(sqlite3 "$db" "SELECT COUNT(*) FROM RESERVAMESA")
    if [ "$stored" -ne 1 ] || [ "$told" -ne $((terminals - 1)) ] || [ "$held" -ne 1 ] ||
        [ "$reservations" -ne 1 ]; then
        echo "FAIL: round $round: $stored stored, $told told, table held $held times," \
            "$reservations reservations" >&2
        exit 1
    fi
done
echo "$rounds rounds of $terminals terminals: the table was held once in every round"
