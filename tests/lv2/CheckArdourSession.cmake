# Ardour (Debian's ardour), headless through its Lua session tool, finds the bundle in
# LV2_PATH, inserts the plug-in on a track of a new session, reads and sets parameters in
# their units, runs it on the dummy engine and saves the session with the plug-in's state.
# -DLUA=<ardour7-lua> -DBUNDLE=<quorvel-delay.lv2> -DSCRIPT=<lv2-ardour-check.lua> -DSCRATCH=<folder>
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/lv2 ${SCRATCH}/home)
file(CREATE_LINK ${BUNDLE} ${SCRATCH}/lv2/quorvel-delay.lv2 SYMBOLIC)
execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${SCRATCH}/home LV2_PATH=${SCRATCH}/lv2
                        ${LUA} ${SCRIPT} ${SCRATCH}/session
                WORKING_DIRECTORY ${SCRATCH}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output TIMEOUT 180)
message(STATUS "${output}")
foreach(expected "plug-in: Quorvel Delay" "ports: 20" "cutoff: 2515\n" "feedback: 0\n" "feedback: 0.25\n" "saved")
  if(NOT output MATCHES "${expected}")
    message(FATAL_ERROR "Ardour did not load and run the bundle (status ${status}): no '${expected}'")
  endif()
endforeach()
file(GLOB_RECURSE states ${SCRATCH}/session/plugins/*/state.ttl)
list(LENGTH states count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "Ardour saved ${count} plug-in states, not one")
endif()
file(READ ${states} state)
if(NOT state MATCHES "<https://quorvel.example/delay/lv2#state> \"\"\"UXVvcnZlbCBEZWxheQ")
  message(FATAL_ERROR "Ardour's saved state holds no bank chunk of the plug-in:\n${state}")
endif()
