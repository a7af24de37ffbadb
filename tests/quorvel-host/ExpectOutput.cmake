# Runs a command and checks its exit status and what it prints (standard output
# and error together) against a regular expression.
#   cmake -DCOMMAND=<arg|arg|...> -DEXPECT_STATUS=<n> [-DEXPECT_OUTPUT=<regex>] [-DREJECT_OUTPUT=<regex>] -P ExpectOutput.cmake
string(REPLACE "|" ";" command "${COMMAND}")
execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(output "${out}${err}")
message("${output}")
if(NOT status STREQUAL EXPECT_STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${EXPECT_STATUS}")
endif()
if(DEFINED EXPECT_OUTPUT AND NOT output MATCHES "${EXPECT_OUTPUT}")
  message(FATAL_ERROR "output does not match: ${EXPECT_OUTPUT}")
endif()
if(DEFINED REJECT_OUTPUT AND output MATCHES "${REJECT_OUTPUT}")
  message(FATAL_ERROR "output matches what it must not: ${REJECT_OUTPUT}")
endif()
