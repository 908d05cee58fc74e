# Tables on the entry's road: the grid after the description, a table held at an overlapping
# time shown taken, a party larger than its seats confirmed, no table asked about, the picks kept
# after going back, and two terminals on one database
# racing for one table at the same moment, round after round: never both hold it.
source "$(dirname "$0")/lib.sh"

day=$(day_ahead 3 +%d%m%Y)
iso_day=$(day_ahead 3 +%Y-%m-%d)
held_tables() { "$bin/reservas-terminal" --db "$db" --list "$iso_day" | grep -o '"mesas":\[[0-9,]*\]'; }

# Six people at table 7 (four seats): the grid asks, Sim confirms.
start_terminal --new
type_entries "Ana" "$day" "2000" "2200" "1133334444" "6" "janela"
xdotool key Return
grid=$(dialog_window "Mesas da Reserva")
tap_grid "$grid" 7 confirmar
question=$(dialog_window "Pergunta")
xdotool windowfocus --sync "$question" 2>/dev/null || true
xdotool key Return
wait_for_event stored 1
grep '"event":"stored"' "$journal" | grep -q '"mesas":\[7\]' || fail "the journal does not hold table 7"
answer_message
expect_exit 0
expect_equal "$(held_tables)" '"mesas":[7]' "tables held after the first reservation"

# An overlapping time: table 7 is taken and cannot be picked; table 8 can. Confirmar with no
# table asks first ("Gravar sem mesa?"), and Não leaves the grid open. Going back from the grid
# leaves the entry on the screen with the keyboard on it, and the grid it brings back still has
# table 8 picked: Enter stores it without another question.
start_terminal --new
type_entries "Bia" "$day" "2100" "2300" "1133335555" "2" "bar"
xdotool key Return
grid=$(dialog_window "Mesas da Reserva")
tap_grid "$grid" confirmar
question=$(dialog_window "Pergunta")
xdotool windowfocus --sync "$question" 2>/dev/null || true
xdotool key Escape
expect_focus_on "$grid" "the grid after answering no"
tap_grid "$grid" 7 8 voltar
expect_form_focus "going back from the grid"
xdotool key Return
expect_focus_on "$(dialog_window "Mesas da Reserva")" "the grid brought back"
xdotool key Return
wait_for_event stored 1
grep '"event":"stored"' "$journal" | grep -q '"mesas":\[8\]' || fail "the second reservation does not hold table 8 alone"
answer_message
expect_exit 0

# The race. Two terminals side by side, each at its grid with the same table picked (another
# each round); both confirm at once. One stores; the other is told and goes back, storing
# nothing.
rounds=5
for round in $(seq 1 "$rounds"); do
    table=$((10 + round))
    pids=() windows=() grids=()
    for side in 0 1; do
        : >"$work/journal$side"
        "$bin/reservas-terminal" --db "$db" --journal "$work/journal$side" --new 2>>"$errors" &
        pids[side]=$!
        other_pids+=("${pids[side]}")
        windows[side]=$(timeout 30 xdotool search --all --sync --onlyvisible --pid "${pids[side]}" --name "^Dados da Reserva$" | head -n 1) ||
            fail "terminal $side did not open"
        xdotool windowmove --sync "${windows[side]}" $((side * 1024)) 0
        xdotool windowfocus --sync "${windows[side]}"
        window="${windows[side]}"
        expect_form_focus "terminal $side opened"
        # A guest of their own each round: the same telephone again would be asked about.
        type_entries "Corrida $round" "$day" "1200" "1400" "113333666$round" "4" "corrida"
        xdotool key Return
        for _ in $(seq 1 100); do
            grids[side]=$(xdotool search --all --onlyvisible --pid "${pids[side]}" --name "^Mesas da Reserva$" 2>/dev/null | head -n 1 || true)
            [ -n "${grids[side]}" ] && break
            sleep 0.1
        done
        [ -n "${grids[side]}" ] || fail "round $round: terminal $side shows no grid"
        tap_grid "${grids[side]}" "$table"
    done
    # One pointer serves both screens: one xdotool run confirms on the one and then at once on
    # the other, both having shown the table free.
    read -r x y < <(grid_centre confirmar)
    xdotool mousemove --window "${grids[0]}" "$x" "$y" click 1 \
        mousemove --window "${grids[1]}" "$x" "$y" click 1
    winners=0
    for side in 0 1; do
        terminal_pid="${pids[side]}"
        window="${windows[side]}"
        journal="$work/journal$side"
        wait_for_event message 1
        if grep -q '"event":"stored"' "$journal"; then
            winners=$((winners + 1))
            answer_message
        else
            grep '"event":"message"' "$journal" | grep -q "mesa $table acabou de ser reservada" ||
                fail "round $round: terminal $side was not told that table $table was taken"
            answer_message
            grid=$(dialog_window "Mesas da Reserva")
            xdotool windowfocus --sync "$grid" 2>/dev/null || true
            xdotool key Escape
            expect_form_focus "going back after the lost race"
            xdotool key Escape
        fi
        code=0
        wait "${pids[side]}" || code=$?
        [ "$code" -le 1 ] || fail "round $round: terminal $side exited with $code"
    done
    terminal_pid=""
    journal="$work/journal.jsonl"
    expect_equal "$winners" "1" "round $round: terminals that stored"
    expect_equal "$(held_tables | grep -c "[[,]$table[],]")" "1" \
        "round $round: reservations holding table $table"
done
echo "1 passed, 0 failed ($rounds race rounds)"
