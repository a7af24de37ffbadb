# Two builds of one commit give the same bytes: no build paths in the objects, no
# time stamps in the DLL, and one date for whatever must carry a date (the manual
# page, the Debian changelog, the archive entries): SOURCE_DATE_EPOCH when the
# caller sets it, else the time of the last commit.

if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(QUORVEL_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  find_program(QUORVEL_GIT git)
  if(QUORVEL_GIT)
    execute_process(COMMAND ${QUORVEL_GIT} log -1 --format=%ct
                    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                    OUTPUT_VARIABLE QUORVEL_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                    ERROR_QUIET)
  endif()
  if(NOT QUORVEL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    string(TIMESTAMP QUORVEL_SOURCE_DATE_EPOCH "%s" UTC)
  endif()
  # string(TIMESTAMP) and the packaging tools read it from the environment.
  set(ENV{SOURCE_DATE_EPOCH} ${QUORVEL_SOURCE_DATE_EPOCH})
endif()

# Sources and generated files are named relative to the project, wherever it lies.
add_compile_options(
  $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>
  $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>)

if(WIN32)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
