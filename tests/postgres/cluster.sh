# A throw-away PostgreSQL server for the suites that run on one, in a temporary folder on a free
# local port, as an unprivileged user:
#   cluster.sh start STATE   starts it and writes STATE/env (the base URL) and STATE/pgpass
#   cluster.sh stop STATE    stops it and removes its folder
# STATE/env holds KEY=value lines. When it cannot start, STATE/env says why (POSTGRES_UNAVAILABLE) and the suites that need it
# report themselves skipped with that reason; starting never fails the run by itself.
# Not Debian's pg_virtualenv: its server lives as long as one command it runs, where CTest
# starts this one in one test and stops it in another, and bench/bookings.sh does the same.
set -euo pipefail

action="$1"
state="$2"
mkdir -p "$state"

unavailable() {
    echo "PostgreSQL unavailable: $*" >&2
    printf 'POSTGRES_UNAVAILABLE=%s\n' "$(echo "$*" | tr '\n' ' ')" >"$state/env"
    exit 0
}

stop() {
    [ -f "$state/cluster" ] || return 0
    local folder
    folder="$(cat "$state/cluster")"
    if [ -f "$folder/data/postmaster.pid" ]; then
        as_owner "$bindir/pg_ctl" stop -D "$folder/data" -m immediate -w >/dev/null 2>&1 || true
    fi
    rm -rf "$folder"
    rm -f "$state/cluster"
}

# PostgreSQL refuses to run as root: then its files belong to nobody, and so do its processes.
if [ "$(id -u)" -eq 0 ]; then
    as_owner() { runuser -u nobody -- "$@"; }
    owner=nobody
else
    as_owner() { "$@"; }
    owner="$(id -un)"
fi

bindir="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)"

case "$action" in
stop)
    [ -n "$bindir" ] && stop
    exit 0
    ;;
start) ;;
*)
    echo "usage: cluster.sh start|stop STATE" >&2
    exit 2
    ;;
esac

rm -f "$state/env" "$state/pgpass"
[ -n "$bindir" ] && [ -x "$bindir/initdb" ] || unavailable "the postgresql package is not installed"
stop

folder="$(mktemp -d /tmp/reservas-postgres.XXXXXX)"
echo "$folder" >"$state/cluster"
chmod 755 "$folder"
password="$(od -An -N12 -tx1 /dev/urandom | tr -d ' \n')"
printf '%s\n' "$password" >"$folder/password"
chown -R "$owner" "$folder"

as_owner "$bindir/initdb" -D "$folder/data" -U postgres --auth-local=trust \
    --auth-host=scram-sha-256 --pwfile="$folder/password" -E UTF8 --locale=C.UTF-8 -N \
    >"$folder/initdb.log" 2>&1 || unavailable "initdb failed: $(tail -n 3 "$folder/initdb.log")"

# A free port: one no server answers on; another try if a server took it meanwhile.
started=""
for _ in 1 2 3 4 5; do
    port=$((20000 + RANDOM % 30000))
    if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
        continue
    fi
    if as_owner "$bindir/pg_ctl" start -D "$folder/data" -w -t 60 -l "$folder/server.log" \
        -o "-p $port -k $folder -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=100" \
        >/dev/null 2>&1; then
        started=yes
        break
    fi
done
[ -n "$started" ] || unavailable "the server did not start: $(tail -n 3 "$folder/server.log" 2>/dev/null)"

# The terminals' role owns the databases the suites make, one for each case; it is no
# superuser, as a restaurant's would not be.
as_owner "$bindir/psql" -X -q -h "$folder" -p "$port" -U postgres -d postgres -v ON_ERROR_STOP=1 \
    -c "CREATE ROLE reservas LOGIN CREATEDB PASSWORD '$password'" \
    -c "CREATE ROLE caixa LOGIN PASSWORD '$password'" \
    >"$folder/role.log" 2>&1 || unavailable "the role could not be made: $(cat "$folder/role.log")"

umask 077
# Any port: suites reach the server through relays of their own on other ports too. reservas
# owns the suites' databases; caixa is a terminal's role without ownership.
printf '127.0.0.1:*:*:*:%s\n' "$password" >"$state/pgpass"
printf 'POSTGRES_URL=%s\n' "postgresql://reservas@127.0.0.1:$port" >"$state/env"
echo "PostgreSQL $("$bindir/postgres" --version | awk '{print $3}') on port $port, folder $folder"
