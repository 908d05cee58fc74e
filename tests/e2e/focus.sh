# A kiosk terminal runs no window manager: after each dialog over the form the physical
# keyboard must reach the form again, wherever the pointer rests.
source "$(dirname "$0")/lib.sh"

# The pointer rests in a corner, outside the form, from here on.
away() { xdotool mousemove 0 0; }

type_entry() { xdotool type --delay 40 "$1"; xdotool key Return; }

start_terminal --new
away
xdotool key Return
answer_touch_message
away
expect_form_focus "a message"
type_entry "Ana"

xdotool key alt+d
answer_message Escape
away
expect_form_focus "the calendar"
type_entry "$(day_ahead 3 +%d%m%Y)"
for entry in 1930 2130 1133334444 4 janela; do type_entry "$entry"; done
# The table grid takes the keyboard by itself: Enter, with no table picked, asks and then
# stores without one.
away
expect_focus_on "$(dialog_window "Mesas da Reserva")" "the table grid"
xdotool key Return
away
expect_focus_on "$(dialog_window "Pergunta")" "the question of storing without a table"
xdotool key Return
wait_for_event stored 1
answer_message
expect_exit 0
expect_equal "$(stored_field 1 NMRESMESA)" "Ana" "stored name"
expect_equal "$(stored_field 1 DSRESMESA)" "janela" "stored description"
echo "1 passed, 0 failed"
