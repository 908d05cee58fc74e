# Sourced by the shell suites that can run on the test server. With RESERVAS_TEST_POSTGRES set
# (the folder cluster.sh start wrote), sets server to its URL without a database; when the
# server could not be started, says so and ends the suite as skipped. Without it, server is
# empty: the suite runs on SQLite files.
server=""
if [ -n "${RESERVAS_TEST_POSTGRES:-}" ]; then
    server_why=$(sed -n 's/^POSTGRES_UNAVAILABLE=//p' "$RESERVAS_TEST_POSTGRES/env" 2>/dev/null || true)
    server=$(sed -n 's/^POSTGRES_URL=//p' "$RESERVAS_TEST_POSTGRES/env" 2>/dev/null || true)
    if [ -n "$server_why" ] || [ -z "$server" ]; then
        echo "PostgreSQL unavailable: ${server_why:-the server was not started}"
        exit 0
    fi
fi

# Makes and drops a database of the suite's own on the server.
make_server_database() { psql -X -q "$server/postgres" -c "CREATE DATABASE $1"; }
drop_server_database() { psql -X -q "$server/postgres" -c "DROP DATABASE IF EXISTS $1 WITH (FORCE)"; }
