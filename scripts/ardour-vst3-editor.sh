#!/usr/bin/env bash
# Opens Crescenda's own editor in Debian's Ardour 7 on a private virtual display and saves what
# Ardour's window shows: the session's track playing the demo through Crescenda, and Ardour's
# plug-in window for it (Ardour's preset, bypass and latency bar above our editor).
#   scripts/ardour-vst3-editor.sh [BUILD [OUT.png]]   (default build/linux, docs/editor-vst3-ardour.png)
# The session is the one scripts/ardour-vst3-render.sh builds. Ardour reopens the plug-in windows a
# session was saved with, so the session is given one open plug-in window; a private Ardour
# configuration starts the None (Dummy) audio backend without asking and skips the first-run
# dialogs. Needs the Linux build's crescenda-render and crescenda-screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ardour/ardour-common.sh
source scripts/virtual-display.sh
build=${1:-build/linux}
out=$(realpath -m "${2:-docs/editor-vst3-ardour.png}")
if ! ardour_installed || ! command -v ardour >/dev/null; then
    echo "ardour-vst3-editor: Ardour 7 is not installed (the ardour package; scripts/setup.sh installs it)" >&2
    exit 1
fi
work=$(mktemp -d)
ardour_pid=""
cleanup() {
    if [ -n "$ardour_pid" ]; then
        kill "$ardour_pid" 2>/dev/null || true
        wait "$ardour_pid" 2>/dev/null || true
    fi
    stop_virtual_display
    rm -rf "$work"
}
trap cleanup EXIT

ardour_scan_bundle "$build" "$work" >/dev/null
"$build/bin/crescenda-render" --plugin "$build/bin/Crescenda.vst3" --out-dir "$work/demo" >/dev/null
env "${ARDOUR_ENV[@]}" timeout 120 ardour7-lua scripts/ardour/render-session.lua "$work/session" \
    "$work/demo/crescenda-demo-dry.wav" 2>&1 | grep -E '^(session:|Error)' || true

# The plug-in window is Ardour's window proxy "P-<track id>-<plug-in id>", kept in the session's
# UI state; the engine hints go, so the private configuration's engine is used without a question.
session="$work/session/session.ardour"
track=$(grep -o '<Route [^>]*name="swell"' "$session" | grep -o ' id="[0-9]*"' | tr -dc 0-9)
plugin=$(grep -o '<Processor id="[0-9]*" name="Crescenda"' "$session" | tr -dc 0-9)
if [ -z "$track" ] || [ -z "$plugin" ] || grep -q '<Extra>' "$session"; then
    echo "ardour-vst3-editor: the session has no Crescenda on its track, or an unexpected shape" >&2
    exit 1
fi
sed -i -e '/<EngineHints /d' -e "s|^</Session>|  <Extra><UI><Window name=\"P-$track-$plugin\" visible=\"1\" x-off=\"560\" y-off=\"300\" x-size=\"-1\" y-size=\"-1\" custom-ui=\"1\"/></UI></Extra>\n</Session>|" "$session"

config="$work/config/ardour7" # the private configuration ARDOUR_ENV names
mkdir -p "$config"
touch "$config/.a7" # Ardour 7 has run before: no first-run wizard
cat >"$config/config" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<Ardour>
  <Config>
    <Option name="try-autostart-engine" value="1"/>
    <Option name="hide-dummy-backend" value="0"/>
    <Option name="plugin-path-vst3" value="$work/vst3"/>
  </Config>
  <Extra>
    <AudioMIDISetup>
      <EngineStates>
        <State backend="None (Dummy)" driver="" device="Silence" input-device="" output-device=""
               sample-rate="44100" buffer-size="1024" n-periods="2" input-latency="0"
               output-latency="0" lm-input="" lm-output="" active="1" use-buffered-io="0"
               midi-option="" lru="1"><MIDIDevices/></State>
      </EngineStates>
    </AudioMIDISetup>
  </Extra>
</Ardour>
XML

unset DISPLAY
VIRTUAL_DISPLAY_SCREEN=1600x1000x24 start_virtual_display # room for Ardour's whole window
env "${ARDOUR_ENV[@]}" ardour -n -a "$session" >"$work/ardour.log" 2>&1 &
ardour_pid=$!
shot=$build/bin/crescenda-screenshot
for _ in $(seq 90); do
    if "$shot" --title "swell: Crescenda" "$work/plugin.png" >/dev/null 2>&1; then
        break
    fi
    sleep 1
done
if [ ! -f "$work/plugin.png" ]; then
    echo "ardour-vst3-editor: Ardour opened no plug-in window for Crescenda; its log:" >&2
    tail -20 "$work/ardour.log" >&2
    exit 1
fi
sleep 3 # the editor's first paint and Ardour's meters
"$shot" --title "session - Ardour" "$out"
