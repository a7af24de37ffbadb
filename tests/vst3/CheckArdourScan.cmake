# Ardour's own VST3 scanner (Debian's ardour) loads the bundle and indexes it, as Ardour
# does before it lists a plug-in: the class ID, name, category and buses it finds.
# -DSCANNER=<ardour-vst3-scanner> -DBUNDLE=<QuorvelDelay.vst3> -DSCRATCH=<folder>
get_filename_component(libraries ${SCANNER} DIRECTORY)
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(COMMAND ${CMAKE_COMMAND} -E env HOME=${SCRATCH} LD_LIBRARY_PATH=${libraries}
                        ${SCANNER} --force --verbose ${BUNDLE}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output TIMEOUT 120)
message(STATUS "${output}")
foreach(expected "Found Plugin: Quorvel Delay" "uid=\"56535451446C7971756F7276656C2064\"" "category=\"Fx\\|Delay\""
                 "n_inputs=\"2\" n_outputs=\"2\"" "n_midi_inputs=\"1\"")
  if(NOT status EQUAL 0 OR NOT output MATCHES "${expected}")
    message(FATAL_ERROR "ardour-vst3-scanner did not accept the bundle (status ${status}): no '${expected}'")
  endif()
endforeach()
