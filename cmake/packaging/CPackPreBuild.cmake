# Runs after cpack has installed into its staging folder: every file and folder
# gets the release's date (the Debian package's entries take theirs from here).
include(${CMAKE_CURRENT_LIST_DIR}/ReleaseDate.cmake)
execute_process(COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -exec touch -h -d @${epoch} {} +
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "could not date the staged files")
endif()
