#!/usr/bin/env bash
# fetch-debian-source.sh PACKAGE DEST: unpacks the distribution's own source package PACKAGE into
# DEST (emptied first) and prints the unpacked folder. The package is found through deb-src
# entries derived from this machine's apt configuration and kept in a private apt folder
# (.cache/apt-src), so the system's package lists are left alone. The setup.d scripts that
# cross-build a dependency from source use it.
set -euo pipefail
package=$1
dest=$2
root="$(cd "$(dirname "$0")/.." && pwd)"

apt_dir="$root/.cache/apt-src"
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"

# Every deb entry of the machine's own sources becomes a deb-src entry.
sources="$apt_dir/sources/deb-src.sources"
: >"$sources"
for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    sed -E 's/^Types:.*$/Types: deb-src/' "$f" >>"$sources"
    echo >>"$sources"
done
if [ -e /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed -E 's/^deb /deb-src /' >"$apt_dir/sources/deb-src.list" || true
fi

apt_opts=(
    -o "Dir::Etc::sourcelist=-"
    -o "Dir::Etc::sourceparts=$apt_dir/sources"
    -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache"
)
apt-get "${apt_opts[@]}" -qq update >&2
rm -rf "$dest"
mkdir -p "$dest"
# A mirror may lack the newest upload of a version listed; try each listed version in turn.
versions=$(apt-cache "${apt_opts[@]}" showsrc "$package" 2>/dev/null | sed -n 's/^Version: //p' | sort -rV | uniq)
for v in $versions; do
    if (cd "$dest" && apt-get "${apt_opts[@]}" -qq source "$package=$v" >/dev/null 2>&1); then
        break
    fi
    rm -rf "${dest:?}"/*
done
dir=$(find "$dest" -mindepth 1 -maxdepth 1 -type d | head -n 1)
[ -n "$dir" ] || { echo "fetch-debian-source: no source of $package found" >&2; exit 1; }
echo "$dir"
