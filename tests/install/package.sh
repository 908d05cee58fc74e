# The Debian package: cpack builds it from the build folder; it holds exactly the terminal's files,
# depends on what the program loads, lintian finds no fault in it, apt can satisfy its
# dependencies from the machine's package sources, and the installed program runs. As root the
# package is installed by dpkg into a throw-away root with a package database of its own (the
# machine's packages stay as they are); otherwise it is unpacked. A missing tool skips the test.
#   package.sh BUILD_DIR CPACK VERSION
set -euo pipefail
build="$1"
cpack="$2"
version="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
for tool in dpkg-deb dpkg-shlibdeps dpkg-architecture file lintian apt-get; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is missing (scripts/ensure-deps.sh build tests installs it)"
        exit 77
    fi
done

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
deb="$work/reservas-terminal_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "cpack wrote no $(basename "$deb")"

# The files, and no others: no support tool, test or benchmark, and no second unit.
private="usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/reservas-terminal"
expected="etc/xdg/autostart/reservas-terminal.desktop
usr/bin/reservas-terminal
usr/lib/systemd/user/reservas-terminal.service
$private/fonts.conf
$private/libPkg_res01400.so
$private/libframework.so
$private/libhostlib.so
$private/libreservas.so
$private/libreservas_store.so
$private/reservas-terminal
usr/share/applications/reservas-terminal.desktop
usr/share/doc/reservas-terminal/changelog.gz
usr/share/doc/reservas-terminal/copyright
usr/share/man/man1/reservas-terminal.1.gz"
files="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | sort)"
[ "$files" = "$expected" ] ||
    fail "the package's files differ from those expected:"$'\n'"$(diff <(echo "$expected") <(echo "$files"))"

# What the linker sees (the display plugin comes with libqt6gui6) and what Qt loads at run time.
depends="$(dpkg-deb -f "$deb" Depends)"
for package in libqt6gui6 libqt6widgets6 libqt6svg6 libqt6sql6 libqt6sql6-sqlite fontconfig \
    fonts-liberation; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = "libqt6sql6-psql" ] || fail "libqt6sql6-psql is not recommended"

lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log" >&2; fail "lintian found faults"; }
apt-get install --simulate "$deb" >"$work/apt.log" 2>&1 && grep -q "^Inst reservas-terminal " "$work/apt.log" ||
    { cat "$work/apt.log" >&2; fail "apt cannot satisfy the package's dependencies"; }

root="$work/root"
if [ "$(id -u)" -eq 0 ]; then
    admin="$root/var/lib/dpkg"
    mkdir -p "$admin/info" "$admin/updates" "$admin/triggers"
    touch "$admin/status"
    # The throw-away root has no packages: the dependencies were proven by apt above.
    dpkg --root="$root" --log="$work/dpkg.log" --force-depends -i "$deb" >"$work/dpkg.out" 2>&1 ||
        { cat "$work/dpkg.out" >&2; fail "dpkg could not install the package"; }
    dpkg-query --admindir="$admin" -W -f='${Conffiles}' reservas-terminal |
        grep -q "^ /etc/xdg/autostart/reservas-terminal.desktop " ||
        fail "the autostart entry is no configuration file: an update would undo its being turned off"
else
    dpkg-deb -x "$deb" "$root"
fi
program="$root/usr/bin/reservas-terminal"
[ "$("$program" --version)" = "reservas-terminal $version" ] || fail "no version from the installed program"
env -u FONTCONFIG_FILE -u LD_LIBRARY_PATH "$program" --db "$work/reservas.db" \
    --screenshot "$work/screen.png" || fail "the installed program could not save its screen"
for session in usr/lib/systemd/user/reservas-terminal.service etc/xdg/autostart/reservas-terminal.desktop \
    usr/share/applications/reservas-terminal.desktop; do
    grep -q "^Exec.*=/usr/bin/reservas-terminal --fullscreen\$" "$root/$session" ||
        fail "$session does not start /usr/bin/reservas-terminal full screen"
done
echo "6 passed, 0 failed"
