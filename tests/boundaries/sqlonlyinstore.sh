# Fails, naming the lines, when a statement to the database stands in the product's sources
# outside the reservation store. The suites and benchmarks may talk to a database of their own.
set -euo pipefail
root="$1"
statement='(SELECT .* FROM|INSERT INTO|UPDATE [A-Z_]+ SET|DELETE FROM|CREATE (TABLE|INDEX|TRIGGER)|BEGIN IMMEDIATE|pg_advisory)'
cd "$root"
if found=$(grep -rnE "$statement" --include='*.cpp' --include='*.h' \
    framework hostlib reservas module host tools | grep -v '^reservas/store/'); then
    echo "FAIL: SQL outside reservas/store/:" >&2
    echo "$found" >&2
    echo "0 passed, 1 failed"
    exit 1
fi
echo "1 passed, 0 failed"
