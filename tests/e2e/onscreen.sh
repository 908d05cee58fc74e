# A new reservation entered on the on-screen keys alone, from nothing to the stored record, with
# no table ("Sem mesa" on the grid); the accented letters of the name come from held keys.
source "$(dirname "$0")/lib.sh"

# The centre of an accented form on the pop-up a held key opens (0 for the first form).
form_centre() { echo "$((6 + 79 * $1 + 37)) 38"; }

# Holds a key until its accented forms open, lets go, and taps the form.
tap_accented() {
    local popup
    # shellcheck disable=SC2046
    xdotool mousemove --window "$window" $(key_centre "$1") mousedown 1
    popup=$(dialog_window)
    xdotool mouseup 1
    tap_on "$popup" form_centre "$2"
}

date_digits=$(day_ahead 3 +%d%m%Y)
start_terminal --new
tap_text "jo"; tap_accented a 3; tap_text "o "
tap shift; tap_text "concei"; tap_accented c 0; tap_accented a 3; tap_text "o"
tap enter
tap_text "$date_digits"; tap enter
tap_text "930"; tap enter
tap_text "2200"; tap enter
tap_text "11987654321"; tap enter
tap_text "4"; tap enter
tap shift; tap_text "janela"; tap enter
tap_grid "$(dialog_window "Mesas da Reserva")" semMesa
wait_for_event stored 1
answer_message
expect_exit 0
expect_equal "$(stored_field 1 NMRESMESA)" "João Conceição" "stored name"
expect_equal "$("$bin/reservas-terminal" --db "$db" --list "$(day_ahead 3 +%Y-%m-%d)" |
    sed -E 's/.*"NMRESMESA":"([^"]*)".*/\1/')" "João Conceição" "name in the day's list"
expect_equal "$(stored_field 1 NRTELRESMESA)" "11987654321" "stored telephone"
expect_equal "$(stored_field 1 HRINIRESMESA)" "0930" "stored start time"
expect_equal "$(stored_field 1 HRFINRESMESA)" "2200" "stored end time"
expect_equal "$(stored_field 1 DSRESMESA)" "Janela" "stored description"
expect_equal "$(stored_field 1 DTRESMESA)" "$(day_ahead 3 +%Y-%m-%d)" "stored date"
echo "1 passed, 0 failed"
