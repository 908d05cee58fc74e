# Another terminal holds a write transaction on the database while the operator stores: the
# screen says the reservations are busy and keeps every value, and once the other terminal is
# done, Enter stores the reservation as typed.
source "$(dirname "$0")/lib.sh"

date_digits=$(day_ahead 4 +%d%m%Y)
restaurant_tables ""
start_terminal --new
entries=("Beatriz Nunes" "$date_digits" "2000" "2200" "1144445555" "6" "terraço")
type_entries "${entries[@]}"
hold_database
xdotool key Return
wait_for_event error 1
grep '"event":"error"' "$journal" | grep -q "em uso por outro terminal" ||
    fail "the journal does not tell that the reservations are in use"
answer_touch_message
release_database
expect_retry_stores_once "${entries[@]}"
echo "1 passed, 0 failed"
