# Helpers of the packaging checks.

# check_run(<output variable> <command...>): runs the command, fails the check on a
# non-zero status, and returns its standard output and error together.
function(check_run out)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command}: status ${status}\n${output}")
  endif()
  set(${out} "${output}" PARENT_SCOPE)
endfunction()

# check_files(<root> <relative paths...>): the folder holds exactly these files.
function(check_files root)
  file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
  set(expected ${ARGN})
  list(SORT found)
  list(SORT expected)
  if(NOT found STREQUAL expected)
    message(FATAL_ERROR "${root} holds\n  ${found}\ninstead of\n  ${expected}")
  endif()
endfunction()

# check_matches(<text> <what> <regex...>): each regular expression matches the text.
function(check_matches text what)
  foreach(regex ${ARGN})
    if(NOT text MATCHES "${regex}")
      message(FATAL_ERROR "${what} does not match '${regex}':\n${text}")
    endif()
  endforeach()
endfunction()
