# Runs after cpack has written the packages. CPack's archives list their entries
# in the order the file system returns them and put the time of packing into the
# gzip header, so the tarball and the zip are written again from the same staged
# tree: entries sorted by name, dated by the release, owned by root, no extra
# attributes. The Debian package is reproducible as cpack writes it. Beside the zip,
# the Windows installer is made from the same staged tree (QuorvelDelay.nsi).
include(${CMAKE_CURRENT_LIST_DIR}/ReleaseDate.cmake)
get_filename_component(stage_parent ${CPACK_TEMPORARY_DIRECTORY} DIRECTORY)
get_filename_component(top ${CPACK_TEMPORARY_DIRECTORY} NAME)

function(check_status what)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "could not write ${what} again")
  endif()
endfunction()

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.tar\\.gz$")
    execute_process(COMMAND tar --sort=name --format=gnu --mtime=@${epoch} --owner=0 --group=0 --numeric-owner
                            -C ${stage_parent} -cf - ${top}
                    COMMAND gzip -9n
                    OUTPUT_FILE ${package} RESULT_VARIABLE status)
    check_status(${package})
  elseif(package MATCHES "\\.zip$")
    file(GLOB_RECURSE entries LIST_DIRECTORIES false RELATIVE ${stage_parent} ${stage_parent}/${top}/*)
    list(SORT entries)
    list(JOIN entries "\n" listing)
    file(WRITE ${stage_parent}/zip-entries "${listing}\n")
    file(REMOVE ${package})
    # zip stores local times: UTC makes them the release's date everywhere.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -q -X -9 -D ${package} -@
                    WORKING_DIRECTORY ${stage_parent} INPUT_FILE ${stage_parent}/zip-entries RESULT_VARIABLE status)
    check_status(${package})
    # The packages are still in cpack's staging area here; the installer goes
    # straight to where cpack copies them.
    set(out_dir ${CPACK_PACKAGE_DIRECTORY})
    execute_process(COMMAND ${CPACK_QUORVEL_MAKENSIS} -V2 -WX -DVERSION=${CPACK_PACKAGE_VERSION}
                            -DSTAGE=${stage_parent}/${top} -DOUTFILE=${out_dir}/${top}-setup.exe
                            ${CMAKE_CURRENT_LIST_DIR}/QuorvelDelay.nsi
                    OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "could not make the installer:\n${output}")
    endif()
  endif()
endforeach()
