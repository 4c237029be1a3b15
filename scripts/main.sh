#!/usr/bin/env bash
# The main job: sets up the machine, builds the plug-in for Linux and Windows, loads each build in
# the bundled host, and renders the built-in demo through the Linux build into out/.
# Arguments are passed to the renderer (e.g. `scripts/main.sh --preset 2`, or an input file).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

targets=(Crescenda crescenda-probe)
echo "=== build: linux"
mkdir -p build
cmake --preset linux >build/configure-linux.log 2>&1 || { cat build/configure-linux.log; exit 1; }
cmake --build --preset linux --target "${targets[@]}" crescenda-render

echo "=== build: win64"
cmake --preset win64 >build/configure-win64.log 2>&1 || { cat build/configure-win64.log; exit 1; }
cmake --build --preset win64 --target "${targets[@]}"

echo "=== Crescenda.so in the bundled host"
build/linux/bin/crescenda-probe
echo "=== Crescenda.dll in the bundled host (Wine)"
bash scripts/wine-run.sh build/win64/bin/crescenda-probe.exe

echo "=== demo render"
build/linux/bin/crescenda-render --out-dir out "$@"
