#!/usr/bin/env bash
# Renders a WAV file through the VST3 bundle in a headless Debian Ardour 7 session: a stereo track
# plays the file into Crescenda (Ardour compensates the plug-in's latency), and ardour7-export
# writes the master bus as 32-bit float WAV over exactly the file's length.
#   scripts/ardour-vst3-render.sh [--keep DIR] BUILD INPUT.wav OUTPUT.wav [NAME=VALUE ...]
# NAME=VALUE sets a parameter before the session is saved, as Ardour's control takes it (0 to 1).
# Exits 77 when Ardour 7 is not installed. --keep DIR leaves the session (and the private plug-in folder and cache) in DIR.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/ardour/ardour-common.sh"
keep=
if [ "${1:-}" = "--keep" ]; then
    keep=$2
    shift 2
fi
if [ $# -lt 3 ]; then
    echo "usage: $0 [--keep DIR] BUILD INPUT.wav OUTPUT.wav [NAME=VALUE ...]" >&2
    exit 2
fi
build=$1 input=$(realpath "$2") output=$(realpath -m "$3")
shift 3
if ! ardour_installed; then
    echo "ardour-vst3-render: Ardour 7 is not installed (the ardour package; scripts/setup.sh installs it)" >&2
    exit 77
fi
if [ -n "$keep" ]; then
    work=$(realpath -m "$keep")
    rm -rf "$work"
    mkdir -p "$work"
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
ardour_scan_bundle "$build" "$work" >/dev/null
env "${ARDOUR_ENV[@]}" timeout 120 ardour7-lua "$here/ardour/render-session.lua" \
    "$work/session" "$input" "$@" 2>&1 | grep -E '^(session:|Error)' || true
[ -f "$work/session/session.ardour" ] && grep -q 'type="vst3"' "$work/session/session.ardour" || {
    echo "ardour-vst3-render: Ardour did not save a session with the plug-in" >&2
    exit 1
}
env "${ARDOUR_ENV[@]}" timeout 120 ardour7-lua "$here/ardour/session-latency.lua" "$work/session" \
    2>&1 | grep -E '^(loaded:|Error)' || true
# An export takes seconds; once in a while, under load, Ardour's export never finishes (it wrote
# only the file's header). The session is unchanged by an export, so a hung one is run again.
for attempt in 1 2; do
    rm -f "$output"
    status=0
    env "${ARDOUR_ENV[@]}" timeout 60 ardour7-export -b float -o "$output" "$work/session" session \
        > "$work/export.log" 2>&1 || status=$?
    grep -v '^\* Exporting' "$work/export.log" || true
    [ "$status" -ne 124 ] && break
    echo "ardour-vst3-render: ardour7-export hung (attempt $attempt of 2)" >&2
done
[ "$status" -eq 0 ] && [ -s "$output" ] || {
    echo "ardour-vst3-render: ardour7-export failed (exit $status) or wrote no $output" >&2
    exit 1
}
