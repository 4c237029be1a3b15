#!/usr/bin/env bash
# The main job: sets up the machine, builds the plug-in for Linux and Windows, loads each build in
# the bundled host, and renders the built-in demo through the Linux build into out/.
# Arguments are passed to the renderer (e.g. `scripts/main.sh --preset 2`, or an input file).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

targets=(Crescenda crescenda-probe)
echo "=== build: linux"
cmake --preset linux >build-linux-configure.log 2>&1 || { cat build-linux-configure.log; exit 1; }
rm -f build-linux-configure.log
cmake --build --preset linux --target "${targets[@]}" crescenda-render

echo "=== build: win64"
cmake --preset win64 >build-win64-configure.log 2>&1 || { cat build-win64-configure.log; exit 1; }
rm -f build-win64-configure.log
cmake --build --preset win64 --target "${targets[@]}"

echo "=== Crescenda.so in the bundled host"
build/linux/bin/crescenda-probe
echo "=== Crescenda.dll in the bundled host (Wine)"
bash scripts/wine-run.sh build/win64/bin/crescenda-probe.exe
wineserver -k >/dev/null 2>&1 || true

echo "=== demo render"
build/linux/bin/crescenda-render --out-dir out "$@"
