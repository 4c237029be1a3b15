#!/usr/bin/env bash
# Has Debian's Ardour 7 scan the VST3 bundle the way it scans a plug-in folder, then checks the
# cache file the scanner writes (its exit code is 0 even when it rejects a bundle): our class id,
# name, vendor, and two inputs and two outputs.
#   scripts/ardour-vst3-scan.sh [BUILD]      (default build/linux)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/linux}
scanner=/usr/lib/ardour7/ardour-vst3-scanner
if [ ! -x "$scanner" ]; then
    echo "ardour-vst3-scan: $scanner is missing (the ardour package; scripts/setup.sh installs it)"
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/vst3" "$work/cache"
cp -r "$build/bin/Crescenda.vst3" "$work/vst3/"
binary="$work/vst3/Crescenda.vst3/Contents/x86_64-linux/Crescenda.so"
# The cache counts only when it is newer, in whole seconds, than the binary.
touch -d '-2 seconds' "$binary"
XDG_CACHE_HOME="$work/cache" LD_LIBRARY_PATH=/usr/lib/ardour7 \
    "$scanner" -f -v "$work/vst3/Crescenda.vst3" || true
cache="$work/cache/ardour7/vst/$(printf '%s' "$binary" | sha1sum | cut -d' ' -f1).v3i"
if [ ! -f "$cache" ]; then
    echo "ardour-vst3-scan: no cache file $cache: Ardour rejected the bundle" >&2
    exit 1
fi
echo "--- $cache"
cat "$cache"
echo
failed=0
for expected in 'uid="74B2ACC7E68B4A59B9E0443D4CC1C54A"' 'name="Crescenda"' 'vendor="quillmoss"' \
    'n_inputs="2"' 'n_outputs="2"'; do
    if ! grep -q "$expected" "$cache"; then
        echo "ardour-vst3-scan: the cache lacks $expected" >&2
        failed=1
    fi
done
[ $failed -eq 0 ] && echo "ardour-vst3-scan: Ardour lists Crescenda (VST3, 2 in, 2 out)"
exit $failed
