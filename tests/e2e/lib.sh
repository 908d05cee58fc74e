# Shared steps of the end-to-end suites: the terminal program runs under this script's X
# server, and the operator is played by xdotool. Sourced by each suite.
set -euo pipefail

bin="$1"
work="$(mktemp -d)"
terminal_pid=""
holder_pid=""
other_pids=()
database=""
cleanup() {
    if [ -n "$terminal_pid" ]; then kill "$terminal_pid" 2>/dev/null || true; fi
    for pid in "${other_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    if [ -n "$holder_pid" ]; then kill "$holder_pid" 2>/dev/null || true; fi
    if [ -n "$database" ]; then drop_server_database "$database" || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
export FONTCONFIG_FILE="$bin/fonts.conf"
# On the test server the suite's reservations go to a database of its own there.
source "$(dirname "${BASH_SOURCE[0]}")/../postgres/server.sh"
if [ -n "$server" ]; then
    database="e2e_$$"
    make_server_database "$database"
    db="$server/$database"
    # As the restaurant's administrator does once, before any terminal starts.
    "$bin/reservas-terminal" --prepare-database "$db" >/dev/null
else
    db="$work/reservas.db"
fi
# Letters outside the server's keyboard map get a key of their own for the whole run: xdotool
# would otherwise remap a spare key for each one and set it back at once, and a terminal slow to
# read the key (a busy machine) then finds no letter on it.
# own_key LOWER UPPER puts a letter and its capital on a spare key.
own_key() {
    local spare_key
    spare_key=$(xmodmap -pke | awk 'NF == 3 && $2 > 8 && !found { print $2; found = 1 }')
    xmodmap -e "keycode $spare_key = $1 $2"
}
own_key ccedilla Ccedilla
journal="$work/journal.jsonl"
errors="$work/stderr.txt"
window=""

# Days ahead count from the day the run began, taken once: a run across midnight types and
# checks the same dates throughout. day_ahead N FORMAT, FORMAT as date's (+%d%m%Y).
run_day=$(date +%Y-%m-%d)
day_ahead() { date -d "$run_day +$1 days" "$2"; }

fail() {
    echo "FAIL: $*" >&2
    # Without the zeros of a journal padded out to look full.
    [ -f "$journal" ] && tr -d '\000' <"$journal" | sed 's/^/journal: /' >&2
    [ -f "$errors" ] && sed 's/^/stderr: /' "$errors" >&2
    exit 1
}

# Starts the terminal with the given arguments and waits for the reservation screen. What it
# says on standard error is kept in $errors. A suite may set launch to a command that runs it.
launch=()
start_terminal() {
    : >"$journal"
    : >"$errors"
    "${launch[@]}" "$bin/reservas-terminal" --db "$db" --journal "$journal" "$@" 2>"$errors" &
    terminal_pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "^Dados da Reserva$" | head -n 1) ||
        fail "the reservation screen did not appear"
    expect_form_focus "it opened"
}

# Waits until the keyboard reaches a window: keys typed before are lost.
expect_focus_on() {
    for _ in $(seq 1 300); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "the keyboard focus is not on $2"
}

expect_form_focus() { expect_focus_on "$window" "the reservation screen after $1"; }

# Waits for the terminal to end and checks its exit code.
expect_exit() {
    local expected="$1" code=0
    wait "$terminal_pid" || code=$?
    terminal_pid=""
    [ "$code" -eq "$expected" ] || fail "the terminal exited with $code, expected $expected"
}

journal_count() { grep -c "\"event\":\"$1\"" "$journal" || true; }

# Waits until the journal holds at least n events of a kind.
wait_for_event() {
    local kind="$1" count="$2"
    for _ in $(seq 1 300); do
        [ "$(journal_count "$kind")" -ge "$count" ] && return 0
        sleep 0.1
    done
    fail "no $kind event number $count in the journal"
}

# Waits for a dialog of the terminal (a window other than the screen) and prints it; a title
# picks one of several.
dialog_window() {
    local title="${1:-}" dialog="" found
    for _ in $(seq 1 300); do
        if [ -n "$title" ]; then
            found=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null || true)
        else
            found=$(xdotool search --onlyvisible --pid "$terminal_pid" 2>/dev/null || true)
        fi
        dialog=$(echo "$found" | grep -vx "$window" | grep . | tail -n 1 || true)
        [ -n "$dialog" ] && break
        sleep 0.1
    done
    [ -n "$dialog" ] || fail "no ${title:-message} dialog appeared"
    echo "$dialog"
}

# Waits for a dialog (a second window of the terminal) and answers it with a key, Enter unless
# another is named.
answer_message() {
    local dialog
    dialog=$(dialog_window)
    xdotool windowfocus --sync "$dialog" 2>/dev/null || true
    xdotool key --clearmodifiers "${1:-Return}"
}

# Answers a message that must be the terminal's own touch dialog, never a desktop message box.
answer_touch_message() {
    xdotool windowfocus --sync "$(dialog_window Mensagem)" 2>/dev/null || true
    xdotool key --clearmodifiers Return
}

# Sets the restaurant's tables ("" for a restaurant that does not assign them).
restaurant_tables() {
    "$bin/reservas-terminal" --db "$db" --tables "$1" || fail "could not set the tables '$1'"
}

# The centre of a table's cell on the grid of the default twenty tables, or of a grid key. The
# grid is laid out for 1024x768 and, on a larger screen, grows by the touch factor over all but
# the same border, with as many columns and rows of grown cells as fit.
grid_centre() {
    local width height
    read -r width height < <(xdotool getdisplaygeometry)
    awk -v what="$1" -v width="$width" -v height="$height" '
        function scaled(pixels) { return int(pixels * s + 0.5) }
        BEGIN {
            s = width / 1024 < height / 768 ? width / 1024 : height / 768
            if (s <= 1) { s = 1; width = 1024; height = 768 }
            margin = scaled(14); gap = scaled(10); inner = width - 301 - 2 * margin
            top = margin + scaled(40) + scaled(32) + gap
            keys = height - 186 - margin - scaled(76)
            cells = keys - margin - top
            columns = int((inner + gap) / (scaled(131) + gap)); if (columns < 5) columns = 5
            rows = int((cells + gap) / (scaled(88) + gap)); if (rows < 4) rows = 4
            cell_width = int((inner - gap * (columns - 1)) / columns)
            cell_height = int((cells - gap * (rows - 1)) / rows)
            key_width = int((inner - 2 * gap) / 3)
            split("voltar semMesa confirmar", names)
            for (key = 1; key <= 3; key++) {
                if (what == names[key]) {
                    print margin + (key - 1) * (key_width + gap) + int(key_width / 2), keys + int(scaled(76) / 2)
                    exit
                }
            }
            column = (what - 1) % columns; row = int((what - 1) / columns)
            print margin + column * (cell_width + gap) + int(cell_width / 2), top + row * (cell_height + gap) + int(cell_height / 2)
        }'
}

# Taps tables and keys on the table grid window given.
tap_grid() {
    local grid="$1"
    shift
    tap_on "$grid" grid_centre "$@"
}

# The centre of an on-screen key, in the screen's own coordinates.
key_centre() {
    local key="$1" row column
    local rows=("1234567890" "qwertyuiop" "asdfghjkl" "zxcvbnm,./")
    case "$key" in
    enter) echo "666 472"; return ;;
    backspace) echo "666 342"; return ;;
    exit) echo "57 550"; return ;;
    shift) echo "148 550"; return ;;
    space) echo "315 550"; return ;;
    capslock) echo "482 550"; return ;;
    clear) echo "573 550"; return ;;
    cedilla) echo "590 445"; return ;;
    calendar) echo "221 97"; return ;;
    esac
    for row in 0 1 2 3; do
        column=$(awk -v keys="${rows[$row]}" -v key="$key" 'BEGIN { print index(keys, key) - 1 }')
        if [ "$column" -ge 0 ]; then
            echo "$((11 + 61 * column + 30)) $((316 + 52 * row + 25))"
            return
        fi
    done
    fail "no on-screen key for '$key'"
}

# Taps keys on a window: tap_on WINDOW CENTRE_FUNCTION KEY..., where the function prints a key's
# centre in the window's coordinates.
tap_on() {
    local target="$1" centre_of="$2" centre
    shift 2
    for key in "$@"; do
        centre=$("$centre_of" "$key")
        # shellcheck disable=SC2086
        xdotool mousemove --window "$target" $centre click 1
        # A tap at a time, at an operator's pace: the pause belongs to the play, it waits for
        # nothing (the screen takes events in order).
        sleep 0.1
    done
}

tap() { tap_on "$window" key_centre "$@"; }

# Taps every character of a text on the on-screen keys (lower-case letters, digits, blank).
tap_text() {
    local text="$1" index character
    for ((index = 0; index < ${#text}; index++)); do
        character="${text:index:1}"
        if [ "$character" = " " ]; then tap space; else tap "$character"; fi
    done
}

# Types the entries on the physical keyboard, one step each, confirming every one but the last.
type_entries() {
    while [ $# -gt 1 ]; do
        xdotool type --delay 40 "$1"
        xdotool key Return
        shift
    done
    xdotool type --delay 40 "$1"
}

# Another terminal takes a write transaction on the database and holds it until
# release_database: the whole file, or on a server the table of reservations.
hold_database() {
    rm -f "$work/holder.in" "$work/held"
    mkfifo "$work/holder.in"
    if [ -n "$server" ]; then
        psql -X -q -v ON_ERROR_STOP=1 "$db" <"$work/holder.in" &
        holder_pid=$!
        exec 7>"$work/holder.in"
        printf 'BEGIN;\nLOCK TABLE RESERVAMESA IN EXCLUSIVE MODE;\n\\! touch "%s"\n' "$work/held" >&7
    else
        sqlite3 -bail "$db" <"$work/holder.in" &
        holder_pid=$!
        exec 7>"$work/holder.in"
        printf 'BEGIN IMMEDIATE;\n.system touch "%s"\n' "$work/held" >&7
    fi
    for _ in $(seq 1 300); do
        [ -f "$work/held" ] && return 0
        sleep 0.1
    done
    fail "the other terminal could not lock the database"
}

release_database() {
    echo "COMMIT;" >&7
    exec 7>&-
    wait "$holder_pid" || fail "the other terminal could not commit"
    holder_pid=""
}

# Ends this terminal's session on the server once it waits for the other terminal's lock: the
# server lost in the middle of storing.
end_terminal_session() {
    local ended
    for _ in $(seq 1 100); do
        ended=$(psql -X -qAt "$db" -c "SELECT pg_terminate_backend(pid) FROM pg_stat_activity
            WHERE datname = current_database() AND application_name = 'reservas-terminal'
            AND wait_event_type = 'Lock'")
        [ -n "$ended" ] && return 0
        sleep 0.05
    done
    fail "the terminal never waited for the other terminal's lock"
}

# The reservation typed as type_entries NAME DATE_DIGITS START END TELEPHONE PEOPLE DESCRIPTION
# took it is stored as reservation 1, and only once.
expect_stored_once() {
    local iso_date
    iso_date="${2:4:4}-${2:2:2}-${2:0:2}"
    expect_equal "$(stored_field 1 NMRESMESA)" "$1" "stored name"
    expect_equal "$(stored_field 1 DTRESMESA)" "$iso_date" "stored date"
    expect_equal "$(stored_field 1 HRINIRESMESA)" "$3" "stored start time"
    expect_equal "$(stored_field 1 HRFINRESMESA)" "$4" "stored end time"
    expect_equal "$(stored_field 1 NRTELRESMESA)" "$5" "stored telephone"
    expect_equal "$(stored_field 1 NRPESRESMESA)" "$6" "stored people"
    expect_equal "$(stored_field 1 DSRESMESA)" "$7" "stored description"
    [ -z "$("$bin/reservas-terminal" --db "$db" --list "$iso_date" | sed -n 2p)" ] ||
        fail "the reservation was stored twice"
}

# After a refused storing, Enter stores the reservation typed as type_entries ARGS..., once.
expect_retry_stores_once() {
    xdotool key Return
    wait_for_event stored 1
    answer_message
    expect_exit 0
    expect_equal "$(journal_count handoff)" "2" "hand-offs"
    expect_stored_once "$@"
}

# Prints one field of a stored reservation.
stored_field() {
    "$bin/reservas-terminal" --db "$db" --show "$1" |
        sed -E "s/.*\"$2\":\"([^\"]*)\".*/\1/"
}

expect_equal() {
    [ "$1" = "$2" ] || fail "$3: got '$1', expected '$2'"
}
