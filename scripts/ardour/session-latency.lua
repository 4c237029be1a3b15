-- Prints the plug-in on the "swell" track of a session and the latency Ardour gives it on load,
-- which is what an export of the session compensates (run by ardour7-lua):
--   ardour7-lua session-latency.lua SESSION_DIR
local dir = arg[1]
assert(dir, "usage: session-latency.lua SESSION_DIR")
AudioEngine:set_backend("None (Dummy)", "", "")
load_session(dir, "session")
local insert = Session:route_by_name("swell"):to_track():nth_plugin(0):to_insert()
print(string.format("loaded: %s latency: %d", insert:plugin(0):name(), insert:signal_latency()))
close_session()
