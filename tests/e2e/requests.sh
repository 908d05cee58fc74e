# Requests the terminal refuses: an unknown reservation and a module that is not there.
source "$(dirname "$0")/lib.sh"

code=0
"$bin/reservas-terminal" --db "$db" --edit 99 2>"$work/edit.err" || code=$?
expect_equal "$code" "2" "exit code of an unknown reservation"
grep -q "99" "$work/edit.err" || fail "the message does not name the reservation: $(cat "$work/edit.err")"

mkdir "$work/alone"
cp "$bin/reservas-terminal" "$work/alone/"
code=0
LD_LIBRARY_PATH="$bin" "$work/alone/reservas-terminal" --db "$db" --new 2>"$work/load.err" || code=$?
expect_equal "$code" "3" "exit code without the module"
grep -q "Pkg_res01400" "$work/load.err" || fail "the message does not name the module: $(cat "$work/load.err")"
echo "1 passed, 0 failed"
