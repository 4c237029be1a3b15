#!/usr/bin/env bash
# Builds GoogleTest for Windows x64 once, from the sources Debian ships, into .cache/gtest-mingw.
set -euo pipefail
cd "$(dirname "$0")/.."
PREFIX="$PWD/.cache/gtest-mingw"
[ -f "$PREFIX/lib/cmake/GTest/GTestConfig.cmake" ] && exit 0
WORK="$PWD/.cache/gtest-mingw-build"
rm -rf "$WORK"
cmake -S /usr/src/googletest -B "$WORK" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=ON >/dev/null
cmake --build "$WORK" >/dev/null
cmake --install "$WORK" >/dev/null
rm -rf "$WORK"
echo "setup: built GoogleTest for mingw into $PREFIX"
