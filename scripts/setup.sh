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
    libx11-dev libxtst-dev
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

# Cross-built dependencies, kept in .cache/ and reused.
bash scripts/build-gtest-mingw.sh
for extra in scripts/setup.d/*.sh; do
    [ -e "$extra" ] && bash "$extra"
done
echo "setup: ready"
