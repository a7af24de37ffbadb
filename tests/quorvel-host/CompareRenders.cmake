# Renders one input through two modules with the same options and demands the same bytes.
# -DHOST=<quorvel-host> -DFIRST=<module> -DSECOND=<module> -DINPUT=<audio> -DOUT=<folder>
# -DOPTIONS=<render options, separated by |>
string(REPLACE "|" ";" options "${OPTIONS}")
foreach(which FIRST SECOND)
  execute_process(COMMAND ${HOST} render ${${which}} ${INPUT} ${OUT}/${which}.wav ${options}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "render through ${${which}} failed: ${out}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/FIRST.wav ${OUT}/SECOND.wav RESULT_VARIABLE same)
if(NOT same EQUAL 0)
  message(FATAL_ERROR "the renderings through ${FIRST} and ${SECOND} differ")
endif()
