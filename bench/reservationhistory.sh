# Reservations written straight into the tables a terminal made, for the benchmarks (sourced):
# today's dozen, pending, one each hour from 11:00 to 22:00 on tables 1 to 3, and a restaurant's
# years before today, 144 reservations a day, 12 an hour from 11:00 to 22:00, each an hour long
# holding 1 to 3 tables of a block of 3 of its own (tables 1 to 36), one in 20 cancelled and
# holding none, the others used. The reservations' own checks stay on, so a table held twice
# would fail the writing.

# The reservation record's columns as the terminal made them.
reservation_columns='NRRESMESA, DSRESMESA, CDFILIAL, CDLOJA, DTRESMESA, HRINIRESMESA, HRFINRESMESA,
    NMRESMESA, NRTELRESMESA, NRPESRESMESA, IDSTRESMESA, CDOPERINCRES, DTHRINCLURES'

# The new reservations as a query over N(I), I from 1 to $2, the oldest first, as the years
# would have added them: the number after those there are, the days back from today (the last
# $3 on day $1 back, the $3 before them a day earlier, and so on) and back to the day it was
# booked (up to two weeks before), the hour, the first table of its block, the tables held, the
# people and the status ($4; one in 20 cancelled unless pending).
new_rows() {
    local last_day_back="$1" count="$2" per_day="$3" status="$4"
    echo "SELECT (SELECT COALESCE(MAX(NRRESMESA), 0) FROM RESERVAMESA) + I AS NR,
        $last_day_back + ($count - I) / $per_day AS BACK,
        $last_day_back + ($count - I) / $per_day + I % 15 AS BOOKED,
        11 + (I - 1) % 12 AS HORA, 3 * (((I - 1) / 12) % 12) AS BLOCO,
        CASE WHEN '$status' <> 'P' AND I % 20 = 0 THEN 0 ELSE 1 + I % 3 END AS MESAS,
        2 * (1 + I % 3) AS PESSOAS,
        CASE WHEN '$status' <> 'P' AND I % 20 = 0 THEN 'C' ELSE '$status' END AS ST FROM N"
}

# The reservations of NOVAS and the tables they hold, with the engine's text of the day a
# number of days back $1 and its two-digit text of a number $2 (both of COL).
insert_reservations() {
    local day="$1" pad2="$2"
    local hour="${pad2//COL/HORA}" next="${pad2//COL/(HORA + 1)}"
    echo "INSERT INTO RESERVAMESA ($reservation_columns)
        SELECT NR, CASE NR % 4 WHEN 0 THEN 'Aniversario' WHEN 1 THEN 'Jantar' WHEN 2 THEN ''
            ELSE 'Almoco de empresa' END, '', '', ${day//COL/BACK}, $hour || '00', $next || '00',
            CASE NR % 5 WHEN 0 THEN 'Maria' WHEN 1 THEN 'Joao' WHEN 2 THEN 'Ana' WHEN 3
            THEN 'Carlos' ELSE 'Beatriz' END || ' ' || CASE NR % 7 WHEN 0 THEN 'Souza' WHEN 1
            THEN 'Pereira' WHEN 2 THEN 'Lima' WHEN 3 THEN 'Alves' WHEN 4 THEN 'Costa' WHEN 5
            THEN 'Ribeiro' ELSE 'Martins' END,
            '119' || (10000000 + (NR * 7919) % 89999999), PESSOAS, ST, '', ${day//COL/BOOKED}
        FROM NOVAS ORDER BY NR;
    INSERT INTO MESARESERVADA (NRRESMESA, NRMESA, DTRESMESA, HRINIRESMESA, HRFINRESMESA)
        SELECT NR, BLOCO + K, ${day//COL/BACK}, $hour || '00', $next || '00'
        FROM NOVAS JOIN (SELECT 1 AS K UNION ALL SELECT 2 UNION ALL SELECT 3) T ON K <= MESAS
        ORDER BY NR, K;"
}

# Adds $5 reservations with status $6 to database $2 of engine $1 (sqlite or postgres, as its
# owner), on the day $4 days before day $3 and the days before it.
add_reservations() {
    local engine="$1" database="$2" today="$3" back="$4" count="$5" status="$6"
    if [ "$engine" = sqlite ]; then
        sqlite3 -bail "$database" "BEGIN; CREATE TEMP TABLE NOVAS AS WITH RECURSIVE N(I) AS
            (SELECT 1 WHERE $count > 0 UNION ALL SELECT I + 1 FROM N WHERE I < $count)
            $(new_rows "$back" "$count" 144 "$status");
            $(insert_reservations "date('$today', '-' || COL || ' days')" "printf('%02d', COL)")
            COMMIT;" || fail "the reservations could not be written to $database"
        return
    fi
    psql -X -q -v ON_ERROR_STOP=1 "$database" -c "BEGIN; CREATE TEMP TABLE NOVAS AS
        WITH N(I) AS (SELECT generate_series(1, $count)) $(new_rows "$back" "$count" 144 "$status");
        $(insert_reservations "to_char(DATE '$today' - COL, 'YYYY-MM-DD')" "lpad((COL)::text, 2, '0')")
        SELECT setval(pg_get_serial_sequence('reservamesa', 'nrresmesa'), MAX(NRRESMESA))
        FROM RESERVAMESA; COMMIT;" >/dev/null ||
        fail "the reservations could not be written to $database"
    # As the server's own upkeep would after so many rows.
    psql -X -q -v ON_ERROR_STOP=1 "$database" -c "VACUUM ANALYZE RESERVAMESA, MESARESERVADA" ||
        fail "VACUUM failed on $database"
}

# add_today ENGINE DATABASE TODAY        add_past ENGINE DATABASE TODAY COUNT
add_today() { add_reservations "$1" "$2" "$3" 0 12 P; }
add_past() { add_reservations "$1" "$2" "$3" 1 "$4" U; }
