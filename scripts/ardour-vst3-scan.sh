#!/usr/bin/env bash
# Has Debian's Ardour 7 scan the VST3 bundle the way it scans a plug-in folder, then checks the
# cache file the scanner writes (its exit code is 0 even when it rejects a bundle): our class id,
# name, vendor, and two inputs and two outputs. Then a headless Ardour session (ardour7-lua, no
# audio device) inserts the plug-in by its id on a stereo track and must see its five parameters
# and its latency.
#   scripts/ardour-vst3-scan.sh [BUILD]      (default build/linux)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ardour/ardour-common.sh
build=${1:-build/linux}
if [ ! -x "$ARDOUR_SCANNER" ]; then
    echo "ardour-vst3-scan: $ARDOUR_SCANNER is missing (the ardour package; scripts/setup.sh installs it)"
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ardour_scan_bundle "$build" "$work"
cache=$ARDOUR_CACHE
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
[ $failed -eq 0 ] || exit 1
echo "ardour-vst3-scan: Ardour lists Crescenda (VST3, 2 in, 2 out)"

cat >"$work/insert.lua" <<LUA
AudioEngine:set_backend("None (Dummy)", "", "")
create_session("$work/session", "session", 48000)
local track = Session:new_audio_track(2, 2, nil, 1, "swell", ARDOUR.PresentationInfo.max_order,
    ARDOUR.TrackMode.Normal, true):front()
local processor = ARDOUR.LuaAPI.new_plugin(Session, "74B2ACC7E68B4A59B9E0443D4CC1C54A",
    ARDOUR.PluginType.VST3, "")
assert(not processor:isnil(), "Ardour could not make the plug-in")
assert(track:add_processor_by_index(processor, 0, nil, true) == 0, "the track refused it")
local insert = processor:to_insert()
local plugin = insert:plugin(0)
local names = {}
for i = 0, plugin:parameter_count() - 1 do
    names[#names + 1] = plugin:parameter_label(i)
end
print("inserted: " .. plugin:name() .. " parameters: " .. table.concat(names, ",") ..
    " latency: " .. insert:signal_latency())
close_session()
LUA
inserted=$(env "${ARDOUR_ENV[@]}" timeout 120 ardour7-lua "$work/insert.lua" 2>&1 |
    grep '^inserted:' || true)
echo "$inserted"
expected="inserted: Crescenda parameters: Sensitivity,Time,Depth,Vol,OnOff latency: 1362"
if [ "$inserted" != "$expected" ]; then
    echo "ardour-vst3-scan: expected '$expected'" >&2
    exit 1
fi
