-- Builds an Ardour session (run by ardour7-lua) that plays a WAV file through Crescenda:
--   ardour7-lua render-session.lua SESSION_DIR INPUT.wav [NAME=VALUE ...]
-- NAME=VALUE sets a parameter as Ardour's control for it takes it (0 to 1 for every one of ours).
-- A stereo track holds the file as one region from the session's start (a mono file feeds both
-- channels), Crescenda (VST3, by its class id) is the track's first plug-in, and the session range
-- covers the file, so ardour7-export renders exactly the file's length from the master bus.
-- Headless Ardour has no import, so the region is written into the saved session file.
local dir, input = arg[1], arg[2]
assert(dir and input, "usage: render-session.lua SESSION_DIR INPUT.wav [NAME=VALUE ...]")
local kClassId = "74B2ACC7E68B4A59B9E0443D4CC1C54A"
local kSuperclocksPerSecond = 282240000 -- Ardour 7's time unit, from its tempo map

-- The rate, channel count and length of a RIFF WAVE file, from its fmt and data chunks.
local function wav_shape(path)
    local f = assert(io.open(path, "rb"), "cannot open " .. path)
    local bytes = f:read("a")
    f:close()
    assert(bytes:sub(1, 4) == "RIFF" and bytes:sub(9, 12) == "WAVE", path .. " is not a WAV file")
    local pos, channels, rate, bits = 13, nil, nil, nil
    while pos + 8 <= #bytes do
        local id, size = bytes:sub(pos, pos + 3), string.unpack("<I4", bytes, pos + 4)
        if id == "fmt " then
            channels, rate = string.unpack("<I2I4", bytes, pos + 10)
            bits = string.unpack("<I2", bytes, pos + 22)
        elseif id == "data" and channels then
            return rate, channels, size // (channels * bits // 8)
        end
        pos = pos + 8 + size + size % 2
    end
    error(path .. " has no fmt chunk before its data")
end

local rate, channels, frames = wav_shape(input)
assert(channels == 1 or channels == 2, "Crescenda takes mono or stereo, not " .. channels .. " channels")
local name = input:match("([^/]+)$")

-- Ardour joins a new track's inputs to the physical inputs from a thread of its own, which a save
-- may or may not have waited for; under load it can come after any check. Switched off, it never does.
ARDOUR.config():set_input_auto_connect(0)
AudioEngine:set_backend("None (Dummy)", "", "")
create_session(dir, "session", rate)
Session:new_audio_track(2, 2, nil, 1, "swell", ARDOUR.PresentationInfo.max_order,
    ARDOUR.TrackMode.Normal, true)
Session:save_state("", false, false, false, false, false)
close_session()

-- Ardour 7 writes times as "a" + superclocks, and lengths as distance "@" position.
local length = "a" .. (frames * (kSuperclocksPerSecond // rate))
local source = '<Source name="%s" type="audio" flags="" id="%d" captured-for="" take-id="" ' ..
    'channel="%d" origin="" gain="1"/>'
local sources = "<Sources>" .. source:format(name, 900001, 0) ..
    source:format(name, 900002, channels - 1) .. "</Sources>"
-- No fades and unity gain: the region plays the file's samples as they are.
local region = '<Region name="input" muted="0" opaque="1" locked="0" video-locked="0" ' ..
    'automatic="0" whole-file="%d" import="0" external="0" sync-marked="0" left-of-split="0" ' ..
    'right-of-split="0" hidden="0" position-locked="0" valid-transients="0" start="a0" length="' ..
    length .. '@a0" position="a0" sync-position="a0" ancestral-start="a0" ' ..
    'ancestral-length="a0@a0" stretch="1" shift="1" layering-index="0" envelope-active="0" ' ..
    'default-fade-in="0" default-fade-out="0" fade-in-active="0" fade-out-active="0" ' ..
    'scale-amplitude="1" id="%d" type="audio" first-edit="nothing" source-0="900001" ' ..
    'source-1="900002" master-source-0="900001" master-source-1="900002" channels="2"/>'
local range = '<Locations><Location id="900005" name="session" start="a0" end="' .. length ..
    '" flags="IsSessionRange" locked="0" timestamp="0" cue="0"/></Locations>'

local path = dir .. "/session.ardour"
local f = assert(io.open(path, "rb"))
local xml = f:read("a")
f:close()
local edits = 0
local function edit(pattern, replacement)
    local n
    xml, n = xml:gsub(pattern, function(...) return replacement:format(...) end, 1)
    edits = edits + n
end
edit("<Sources/>", sources)
edit("<Regions/>", "<Regions>" .. region:format(1, 900003) .. "</Regions>")
edit('(<Playlist [^>]*name="swell"[^>]*)/>', "%s>" .. region:format(0, 900004) .. "</Playlist>")
edit("<Locations/>", range)
assert(edits == 4, "the new session's file has an unexpected shape")
f = assert(io.open(path, "wb"))
f:write(xml)
f:close()
local copy = assert(io.open(dir .. "/interchange/session/audiofiles/" .. name, "wb"))
local original = assert(io.open(input, "rb"))
copy:write(original:read("a"))
copy:close()
original:close()

AudioEngine:set_backend("None (Dummy)", "", "")
load_session(dir, "session")
local track = Session:route_by_name("swell"):to_track()
assert(track:playlist():region_list():size() == 1, "Ardour did not load the region")
-- The outputs go to the master bus, the inputs to nothing: an input on a physical port would shift
-- the export by its latency. Auto-connect is off, so no thread of Ardour's joins them later.
for c = 0, 1 do
    local input, output = track:input():audio(c), track:output():audio(c)
    input:disconnect_all()
    output:disconnect_all()
    assert(output:connect(Session:master_out():input():audio(c):name()) == 0,
        "cannot connect the track to the master bus")
end
local processor = ARDOUR.LuaAPI.new_plugin(Session, kClassId, ARDOUR.PluginType.VST3, "")
assert(not processor:isnil(), "Ardour could not make the plug-in")
assert(track:add_processor_by_index(processor, 0, nil, true) == 0, "the track refused it")
local plugin = processor:to_insert():plugin(0)
for i = 3, #arg do
    local name, value = arg[i]:match("^([^=]+)=(.+)$")
    local index
    for p = 0, plugin:parameter_count() - 1 do
        if plugin:parameter_label(p) == name then index = p end
    end
    assert(index and tonumber(value), "not a parameter setting: " .. arg[i])
    assert(ARDOUR.LuaAPI.set_processor_param(processor, index, tonumber(value)), arg[i])
end
for c = 0, 1 do
    assert(not track:input():audio(c):connected(), "Ardour joined the track's inputs")
end
print(string.format("session: %s, %d Hz, %d frames through %s", name, rate, frames, plugin:name()))
Session:save_state("", false, false, false, false, false)
close_session()
