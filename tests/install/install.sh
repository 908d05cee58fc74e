# An installed tree works on its own: installed under a temporary prefix, the terminal reached
# through its link answers --version and saves its screen with the installed module and libraries;
# the session files start that program full screen.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
program="$prefix/bin/reservas-terminal"
"$program" --version | grep -q "^reservas-terminal " || fail "no version from the installed program"
ldd "$(readlink -f "$program")" | grep "libframework" | grep -q "$prefix" ||
    fail "the installed program does not use the installed libraries"
env -u FONTCONFIG_FILE -u LD_LIBRARY_PATH "$program" --db "$prefix/reservas.db" \
    --screenshot "$prefix/screen.png" || fail "the installed program could not save its screen"
[ "$(head -c 4 "$prefix/screen.png" | od -An -c | tr -d ' ')" = "211PNG" ] ||
    fail "the screenshot is no PNG picture"
for session in share/systemd/user/reservas-terminal.service share/applications/reservas-terminal.desktop; do
    grep -q "^Exec.*=$program --fullscreen\$" "$prefix/$session" ||
        fail "$session does not start the installed program full screen"
done
echo "2 passed, 0 failed"
