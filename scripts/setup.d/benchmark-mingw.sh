#!/usr/bin/env bash
# Builds Google Benchmark for the Windows x64 cross build into .cache/benchmark-mingw, once, for
# the benchmarks that run under Wine, from the distribution's own source package
# (scripts/fetch-debian-source.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."
root="$PWD"
prefix="$root/.cache/benchmark-mingw"

if [ -f "$prefix/lib/cmake/benchmark/benchmarkConfig.cmake" ]; then
    exit 0
fi

echo "benchmark-mingw: fetching the benchmark source package"
src="$root/.cache/benchmark-src"
dir=$(bash "$root/scripts/fetch-debian-source.sh" benchmark "$src")
[ -f "$dir/CMakeLists.txt" ] || { echo "benchmark-mingw: no source found"; exit 1; }

echo "benchmark-mingw: building $(basename "$dir") with the mingw-w64 toolchain"
build="$src/build"
# Debian's source reads no git tags for the version; 0.0.0 makes the project's own version count.
cmake -S "$dir" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF \
    -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_ENABLE_LIBPFM=OFF -DGIT_VERSION=0.0.0 \
    >"$src/configure.log" 2>&1 || { cat "$src/configure.log"; exit 1; }
cmake --build "$build" >/dev/null
cmake --install "$build" >/dev/null
rm -rf "$src"
echo "benchmark-mingw: installed into .cache/benchmark-mingw"
