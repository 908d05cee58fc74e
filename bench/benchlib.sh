# What remote.sh and history.sh share, sourced by each after setting bin (the programs' folder)
# and name (the benchmark's name in messages): a temporary folder, the throw-away server with a
# database its owner prepared for the terminals' role, and the time a fresh process takes.

# Decimal points in the times, whatever the machine's language; the rest of it stays.
if [ -n "${LC_ALL:-}" ]; then
    export LANG="$LC_ALL"
    unset LC_ALL
fi
export LC_NUMERIC=C
# A terminal without a screen, reading no settings file of the user's.
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
work="$(mktemp -d)"
export XDG_CONFIG_HOME="$work/config"
cluster="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tests/postgres/cluster.sh"
# The relays, and a terminal still running when the benchmark ends early.
started_pids=()
cleanup() {
    for pid in "${started_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    if [ -n "${terminal_pid:-}" ]; then
        kill "$terminal_pid" 2>/dev/null || true
    fi
    bash "$cluster" stop "$work/postgres" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $name: $*" >&2
    exit 1
}

# Starts the server; sets server_url (its owner's address, without a database) and PGPASSFILE,
# or, when it cannot start, leaves server_url empty and sets skipped to the reason.
server_url=""
skipped=""
start_server() {
    bash "$cluster" start "$work/postgres" >"$work/postgres.log" 2>&1 ||
        fail "the server's start failed: $(cat "$work/postgres.log")"
    server_url="$(sed -n 's/^POSTGRES_URL=//p' "$work/postgres/env")"
    skipped="$(sed -n 's/^POSTGRES_UNAVAILABLE=//p' "$work/postgres/env")"
    [ -n "$server_url" ] || skipped="${skipped:-the server left no address}"
    export PGPASSFILE="$work/postgres/pgpass"
}

server_port() { echo "${server_url##*:}"; }

# Creates database $1, prepared by its owner for the terminals' role caixa, as a restaurant's
# administrator does before any terminal starts.
prepare_server_database() {
    psql -X -q -v ON_ERROR_STOP=1 "$server_url/postgres" -c "CREATE DATABASE $1" ||
        fail "no database $1 on the server"
    "$bin/reservas-terminal" --prepare-database "$server_url/$1" --grant caixa >/dev/null ||
        fail "the owner could not prepare $1"
}

# Milliseconds between two readings of EPOCHREALTIME.
elapsed_ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f\n", (b - a) * 1000 }'; }

# One run of a command, its output dropped, in milliseconds of wall time. A run that fails fails
# the benchmark.
run_ms() {
    local start end
    start=$EPOCHREALTIME
    "$@" >/dev/null 2>"$work/stderr" || fail "$* failed: $(cat "$work/stderr")"
    end=$EPOCHREALTIME
    elapsed_ms "$start" "$end"
}

# The rounds of samples, 1 to $1, after a round 0 that is not counted (the programs' files then
# come from memory, as on a terminal started every day) unless only one is taken. The caller
# takes one sample of each of its cases a round, so that the machine's other work weighs on
# every case alike.
rounds() { seq "$([ "$1" -gt 1 ] && echo 0 || echo 1)" "$1"; }

# From lines "KEY MILLISECONDS", one a sample, the median of each key: "KEY MEDIAN" lines.
medians() {
    sort -k1,1 -k2,2g | awk '
        function flush() { if (n) print key, n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2 }
        $1 != key { flush(); key = $1; n = 0 }
        { v[++n] = $2 }
        END { flush() }'
}
