# A new reservation entered on the on-screen keys alone, from nothing to the stored record, with
# no table ("Sem mesa" on the grid).
source "$(dirname "$0")/lib.sh"

date_digits=$(day_ahead 3 +%d%m%Y)
start_terminal --new
tap_text "jo"; tap cedilla; tap_text "o silva"
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
expect_equal "$(stored_field 1 NMRESMESA)" "Joço silva" "stored name"
expect_equal "$(stored_field 1 NRTELRESMESA)" "11987654321" "stored telephone"
expect_equal "$(stored_field 1 HRINIRESMESA)" "0930" "stored start time"
expect_equal "$(stored_field 1 HRFINRESMESA)" "2200" "stored end time"
expect_equal "$(stored_field 1 DSRESMESA)" "Janela" "stored description"
expect_equal "$(stored_field 1 DTRESMESA)" "$(day_ahead 3 +%Y-%m-%d)" "stored date"
echo "1 passed, 0 failed"
