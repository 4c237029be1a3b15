#!/usr/bin/env bash
# Builds a static libpng for the Windows x64 cross build into .cache/libpng-mingw, once.
# The source comes from the distribution's own source packages, found through a deb-src entry
# derived from this machine's apt configuration and kept in a private apt folder, so the
# system's package lists are left alone.
set -euo pipefail
cd "$(dirname "$0")/../.."
root="$PWD"
prefix="$root/.cache/libpng-mingw"
stamp="$prefix/.built"

if [ -f "$stamp" ] && [ -f "$prefix/lib/libpng.a" ] && [ -f "$prefix/include/png.h" ]; then
    exit 0
fi

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
echo "libpng-mingw: fetching the libpng source package"
apt-get "${apt_opts[@]}" -qq update
src="$root/.cache/libpng-src"
rm -rf "$src"
mkdir -p "$src"
# A mirror may lack the newest upload of a version listed; try each listed version in turn.
versions=$(apt-cache "${apt_opts[@]}" showsrc libpng1.6 2>/dev/null | sed -n 's/^Version: //p' | sort -rV | uniq)
for v in $versions; do
    if (cd "$src" && apt-get "${apt_opts[@]}" -qq source "libpng1.6=$v" >/dev/null 2>&1); then
        break
    fi
    rm -rf "${src:?}"/*
done
dir=$(find "$src" -mindepth 1 -maxdepth 1 -type d -name 'libpng*' | head -n 1)
[ -n "$dir" ] && [ -f "$dir/png.h" ] || { echo "libpng-mingw: no source found"; exit 1; }

echo "libpng-mingw: building $(basename "$dir") with the mingw-w64 toolchain"
cc=x86_64-w64-mingw32-gcc-posix
ar=x86_64-w64-mingw32-ar
build="$src/build"
mkdir -p "$build"
cp "$dir/scripts/pnglibconf.h.prebuilt" "$build/pnglibconf.h"
objs=()
for c in png pngerror pngget pngmem pngpread pngread pngrio pngrtran pngrutil pngset pngtrans \
    pngwio pngwrite pngwtran pngwutil; do
    "$cc" -O2 -I"$build" -I"$dir" -c "$dir/$c.c" -o "$build/$c.o"
    objs+=("$build/$c.o")
done
rm -rf "$prefix"
mkdir -p "$prefix/lib" "$prefix/include"
"$ar" rcs "$prefix/lib/libpng.a" "${objs[@]}"
cp "$dir/png.h" "$dir/pngconf.h" "$build/pnglibconf.h" "$prefix/include/"
basename "$dir" >"$stamp"
echo "libpng-mingw: installed into .cache/libpng-mingw"
