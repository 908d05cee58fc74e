#!/usr/bin/env bash
# Installs the Debian packages of the lists named (scripts/packages/LIST.txt: build, run, tests,
# fuzz), only those missing; nothing, not even the package index's update, when none is.
#   scripts/ensure-deps.sh build run        what building and running the terminal need
set -euo pipefail
lists="$(dirname "$0")/packages"
if [ $# -eq 0 ]; then
    echo "usage: scripts/ensure-deps.sh LIST... (lists: $(cd "$lists" && ls *.txt | sed 's/\.txt$//' | xargs))" >&2
    exit 2
fi

wanted=()
for list in "$@"; do
    [ -f "$lists/$list.txt" ] || { echo "no package list $lists/$list.txt" >&2; exit 2; }
    mapfile -t -O "${#wanted[@]}" wanted < <(sed 's/#.*//' "$lists/$list.txt" | xargs -n 1)
done

installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "${wanted[@]}" 2>/dev/null |
    awk '$1 == "ii" { print $2 }' || true)
missing=()
for package in "${wanted[@]}"; do
    grep -qxF "$package" <<<"$installed" || missing+=("$package")
done
[ ${#missing[@]} -gt 0 ] || exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
else
    as_root=(sudo)
fi
"${as_root[@]}" apt-get update -q
# Through env: sudo would drop the variable.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
