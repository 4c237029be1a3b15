#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine.
# Idempotent: a second run checks and returns in a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(
    build-essential cmake ninja-build clang clang-format libclang-rt-14-dev valgrind
    libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 xvfb xauth
    libpng-dev zlib1g-dev libz-mingw-w64-dev dpkg-dev libfreetype-dev libfontconfig-dev
    libsndfile1-dev libpixman-1-dev libcairo2-dev fonts-dejavu-core dragonfly-reverb-vst
    libx11-dev libxtst-dev x11-xserver-utils qtractor ardour jq
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi

# Every program the build, the tests and the main job call, with the package that provides it: a
# package that installs without its programs (wine64 alone puts no wine on the PATH) stops here
# rather than in the middle of a test run.
PROGRAMS=(
    cmake:cmake ctest:cmake ninja:ninja-build gcc:gcc g++:g++ nm:binutils
    clang:clang clang++:clang clang-format:clang-format valgrind:valgrind
    x86_64-w64-mingw32-gcc-posix:gcc-mingw-w64-x86-64-posix
    x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix
    x86_64-w64-mingw32-ar:binutils-mingw-w64-x86-64 x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64
    x86_64-w64-mingw32-objdump:binutils-mingw-w64-x86-64
    wine:wine wineserver:wine wineboot:wine Xvfb:xvfb xrdb:x11-xserver-utils dpkg-source:dpkg-dev
    git:git jq:jq
    /usr/lib/x86_64-linux-gnu/qtractor/qtractor_plugin_scan:qtractor
    ardour7-lua:ardour ardour7-export:ardour
)
absent=()
for entry in "${PROGRAMS[@]}"; do
    command -v "${entry%%:*}" >/dev/null 2>&1 || absent+=("${entry%%:*} (package ${entry#*:})")
done
if [ ${#absent[@]} -gt 0 ]; then
    (IFS=,; echo "setup: missing after the install:${absent[*]/#/ }")
    exit 1
fi

# Cross-built dependencies, kept in .cache/ and reused. They depend only on their recipes and the
# installed toolchain and sources, so a new clone's .cache/ is the machine's shared build of them
# (in the user's cache folder, one per recipe and package version) rather than a build of its own.
if [ ! -e .cache ]; then
    key=$( (cat scripts/build-gtest-mingw.sh scripts/fetch-debian-source.sh scripts/setup.d/*.sh \
        cmake/mingw-w64.cmake
        dpkg-query -W googletest g++-mingw-w64-x86-64-posix libpng-dev libbenchmark-dev || true) |
        sha1sum | cut -c1-16)
    shared="${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/crescenda/deps-$key"
    # Where the user's cache folder cannot be written, the clone builds its own.
    if mkdir -p "$shared" 2>/dev/null && [ -w "$shared" ]; then
        ln -s "$shared" .cache
    else
        mkdir -p .cache
    fi
fi
# Two set-ups sharing one cache build it once, one after the other.
exec 8>.cache/.setup-lock
flock 8
bash scripts/build-gtest-mingw.sh
for extra in scripts/setup.d/*.sh; do
    [ -e "$extra" ] && bash "$extra"
done
flock -u 8
echo "setup: ready"
