#!/usr/bin/env bash
# Builds a static libpng for the Windows x64 cross build into .cache/libpng-mingw, once, from the
# distribution's own source package (scripts/fetch-debian-source.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
root="$PWD"
prefix="$root/.cache/libpng-mingw"
stamp="$prefix/.built"

if [ -f "$stamp" ] && [ -f "$prefix/lib/libpng.a" ] && [ -f "$prefix/include/png.h" ]; then
    exit 0
fi

echo "libpng-mingw: fetching the libpng source package"
src="$root/.cache/libpng-src"
dir=$(bash "$root/scripts/fetch-debian-source.sh" libpng1.6 "$src")
[ -f "$dir/png.h" ] || { echo "libpng-mingw: no source found"; exit 1; }

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
