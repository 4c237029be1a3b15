#!/usr/bin/env bash
# Builds Google Benchmark for the Windows x64 cross build into .cache/benchmark-mingw, once, for
# the benchmarks that run under Wine. The source comes from the distribution's own source
# package, found through the private apt folder the libpng build sets up (deb-src entries derived
# from this machine's apt configuration), so the system's package lists are left alone.
set -euo pipefail
cd "$(dirname "$0")/../.."
root="$PWD"
prefix="$root/.cache/benchmark-mingw"

if [ -f "$prefix/lib/cmake/benchmark/benchmarkConfig.cmake" ]; then
    exit 0
fi

apt_dir="$root/.cache/apt-src"
apt_opts=(
    -o "Dir::Etc::sourcelist=-"
    -o "Dir::Etc::sourceparts=$apt_dir/sources"
    -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache"
)
[ -d "$apt_dir/sources" ] || { echo "benchmark-mingw: no source entries (libpng-mingw.sh sets them up)"; exit 1; }
echo "benchmark-mingw: fetching the benchmark source package"
apt-get "${apt_opts[@]}" -qq update
src="$root/.cache/benchmark-src"
rm -rf "$src"
mkdir -p "$src"
versions=$(apt-cache "${apt_opts[@]}" showsrc benchmark 2>/dev/null | sed -n 's/^Version: //p' | sort -rV | uniq)
for v in $versions; do
    if (cd "$src" && apt-get "${apt_opts[@]}" -qq source "benchmark=$v" >/dev/null 2>&1); then
        break
    fi
    rm -rf "${src:?}"/*
done
dir=$(find "$src" -mindepth 1 -maxdepth 1 -type d -name 'benchmark*' | head -n 1)
[ -n "$dir" ] && [ -f "$dir/CMakeLists.txt" ] || { echo "benchmark-mingw: no source found"; exit 1; }

echo "benchmark-mingw: building $(basename "$dir") with the mingw-w64 toolchain"
build="$src/build"
# Debian's source reads no git tags for the version; 0.0.0 makes the project's own version count.
cmake -S "$dir" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF \
    -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_ENABLE_LIBPFM=OFF -DGIT_VERSION=0.0.0 >/dev/null
cmake --build "$build" >/dev/null
cmake --install "$build" >/dev/null
rm -rf "$src"
echo "benchmark-mingw: installed into .cache/benchmark-mingw"
