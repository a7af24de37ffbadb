-- Ardour, headless, loads the LV2 bundle as it does for a session: a new session on the
-- dummy audio engine, a stereo audio track, the plug-in inserted on it and run for a
-- moment, its parameters as Ardour lists them. Run with the bundle's folder in LV2_PATH:
--   LV2_PATH=<folder holding quorvel-delay.lv2> ardour7-lua tools/lv2-ardour-check.lua <scratch folder>
local folder = assert(arg[1], "usage: ardour7-lua lv2-ardour-check.lua <new session folder>")
AudioEngine:set_backend("None (Dummy)", "", "")
AudioEngine:start(false)
local session = create_session(folder, "check", 48000)
assert(session, "no session")
local tracks = session:new_audio_track(2, 2, nil, 1, "Delay", ARDOUR.PresentationInfo.max_order,
                                       ARDOUR.TrackMode.Normal, true)
local track = tracks:front()
local plugin = ARDOUR.LuaAPI.new_plugin(session, "https://quorvel.example/delay/lv2", ARDOUR.PluginType.LV2, "")
assert(not plugin:isnil(), "Ardour does not find the LV2 plug-in")
assert(track:add_processor_by_index(plugin, 0, nil, true) == 0, "Ardour does not insert the plug-in")
local insert = plugin:to_insert()
print("plug-in: " .. insert:plugin(0):name())
print("ports: " .. insert:plugin(0):parameter_count())
-- The controls read in their units: the ninth, Cutoff Freq, in hertz; the seventh, Feedback
-- Level, a gain: its default, then a value Ardour sets.
print(string.format("cutoff: %g", ARDOUR.LuaAPI.get_plugin_insert_param(insert, 8, false)))
print(string.format("feedback: %g", ARDOUR.LuaAPI.get_plugin_insert_param(insert, 6, false)))
assert(ARDOUR.LuaAPI.set_plugin_insert_param(insert, 6, 0.25), "Ardour cannot set the parameter")
print(string.format("feedback: %g", ARDOUR.LuaAPI.get_plugin_insert_param(insert, 6, false)))
-- The dummy engine runs the track's plug-ins for a moment, then the session is saved,
-- the plug-in's state with it.
ARDOUR.LuaAPI.usleep(500000)
assert(session:save_state("", false, false, false, false, false) == 0, "Ardour cannot save the session")
print("saved")
close_session()
