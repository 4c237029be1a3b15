#!/usr/bin/env bash
# build-targets.sh PRESET DIR TARGET...: builds just these targets of a preset in DIR, configuring
# the folder first if it is new. The thorough runs use it for the builds they need beyond the main
# ones (the ThreadSanitizer folder, or a folder of the caller's choosing).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
preset=$1 dir=$2
shift 2
if [ ! -f "$dir/build.ninja" ]; then
    cmake --preset "$preset" -B "$dir" -S "$root" >"$root/build/configure-$preset.log" 2>&1 ||
        { cat "$root/build/configure-$preset.log"; exit 1; }
fi
cmake --build "$dir" --target "$@" -- -j2
