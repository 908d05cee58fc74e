# A new reservation typed on a physical keyboard alone, its name with accented letters; then the
# same reservation opened for editing and completed with Enter taps only.
source "$(dirname "$0")/lib.sh"
own_key atilde Atilde
own_key dead_tilde asciitilde

date_digits=$(day_ahead 5 +%d%m%Y)
start_terminal --new
type_keys() { xdotool type --delay 40 "$1"; }
# The second ã made by a dead key, as keyboards with accent keys make it.
type_keys "João Conceiç"; xdotool key --delay 40 dead_tilde a; type_keys "o"; xdotool key Return
type_keys "$date_digits"; xdotool key Return
type_keys "945"; xdotool key Return
type_keys "2330"; xdotool key Return
type_keys "21912345678"; xdotool key Return
type_keys "12"; xdotool key Return
type_keys "aniversario"; xdotool key Return
answer_message # the table grid: Enter with no table picked asks first
xdotool windowfocus --sync "$(dialog_window "Pergunta")" 2>/dev/null || true
xdotool key Return # "Gravar sem mesa?": Sim
wait_for_event stored 1
answer_message
expect_exit 0
expect_equal "$(stored_field 1 NMRESMESA)" "João Conceição" "stored name"
expect_equal "$(stored_field 1 NRTELRESMESA)" "21912345678" "stored telephone"
expect_equal "$(stored_field 1 HRINIRESMESA)" "0945" "stored start time"
expect_equal "$(stored_field 1 NRPESRESMESA)" "12" "stored people"

start_terminal --edit 1
for _ in 1 2 3 4 5 6 7; do tap enter; done
answer_message # the grid, as stored: no table
xdotool windowfocus --sync "$(dialog_window "Pergunta")" 2>/dev/null || true
xdotool key Return # "Gravar sem mesa?": Sim
wait_for_event stored 1
answer_message
expect_exit 0
grep '"event":"handoff"' "$journal" | grep -q '"tipo":2' || fail "no hand-off of the edit in the journal"
expect_equal "$(stored_field 1 HRINIRESMESA)" "0945" "start time after the edit"
expect_equal "$(stored_field 1 NRTELRESMESA)" "21912345678" "telephone after the edit"
expect_equal "$(stored_field 1 NMRESMESA)" "João Conceição" "name after the edit"
[ -z "$("$bin/reservas-terminal" --db "$db" --show 2 2>/dev/null)" ] || fail "the edit stored a new reservation"
echo "1 passed, 0 failed"
