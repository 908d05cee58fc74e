#!/usr/bin/env bash
# Installs the Debian packages the build and the terminal need, only when some are missing;
# with --for-tests, also those only the tests need.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6sql6-sqlite libqt6sql6-psql libgl-dev
    libexpat1-dev
    fontconfig fonts-liberation
    xvfb xauth xdotool x11-utils sqlite3
    # clang and its libFuzzer runtime, for the fuzz targets (scripts/fuzz)
    clang libclang-rt-14-dev
)

if [ "${1:-}" = "--for-tests" ]; then
    # a throw-away server for the suites that run on PostgreSQL (tests/postgres/cluster.sh)
    packages+=(postgresql)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
else
    as_root=(sudo)
fi
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q "${missing[@]}"
