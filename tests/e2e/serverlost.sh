# The server is lost while the reservation is being stored: the terminal's session ends as it
# waits for another terminal. The screen says the server cannot be reached and keeps every
# value; Enter then stores the reservation as typed, once. Runs on the test server alone.
source "$(dirname "$0")/lib.sh"

[ -n "$server" ] || fail "this suite needs the test server (RESERVAS_TEST_POSTGRES)"
date_digits=$(day_ahead 5 +%d%m%Y)
restaurant_tables ""
start_terminal --new
entries=("Carla Dias" "$date_digits" "1930" "2130" "1166667777" "3" "varanda")
type_entries "${entries[@]}"
hold_database
xdotool key Return
end_terminal_session
wait_for_event error 1
error_line=$(grep '"event":"error"' "$journal")
grep -q '"text":"Sem comunica[^"]*"' <<<"$error_line" ||
    fail "the journal does not tell that the server was lost"
# The driver's words reach the journal, never the operator's dialog, which is the touch one.
grep -q '"detail":"[^"]' <<<"$error_line" || fail "the journal keeps no detail of the failure"
grep -q '"text":"[^"]*\(' <<<"$error_line" && fail "the driver's words reached the screen"
answer_touch_message
release_database
expect_form_focus "the message about the server"
expect_retry_stores_once "${entries[@]}"
echo "1 passed, 0 failed"
