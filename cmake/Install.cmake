# What `cmake --install` lays out, and so what every release package holds.
#
# Linux: the module where hosts look for VST2 plug-ins (<prefix>/lib/vst), the VST3
# bundle where they look for VST3 ones (<prefix>/lib/vst3), the CLAP module where they
# look for CLAP ones (<prefix>/lib/clap), the LV2 bundle where LV2 hosts look
# (<prefix>/lib/lv2), the command-line host with its manual page, and the documents.
# Windows: the DLL, the bundle, the CLAP module and the documents
# alone, with Windows line endings.

if(WIN32)
  set(QUORVEL_VST_INSTALL_DIR "." CACHE STRING
      "Folder for QuorvelDelay.dll: relative to CMAKE_INSTALL_PREFIX, or absolute")
else()
  set(QUORVEL_VST_INSTALL_DIR "lib/vst" CACHE STRING
      "Folder for QuorvelDelay.so: relative to CMAKE_INSTALL_PREFIX, or absolute (for example $HOME/.vst)")
endif()

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(QUORVEL_FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

if(WIN32)
  set(QUORVEL_VST3_INSTALL_DIR "." CACHE STRING
      "Folder for QuorvelDelay.vst3: relative to CMAKE_INSTALL_PREFIX, or absolute")
  set(vst3_architecture x86_64-win)
else()
  set(QUORVEL_VST3_INSTALL_DIR "lib/vst3" CACHE STRING
      "Folder for QuorvelDelay.vst3: relative to CMAKE_INSTALL_PREFIX, or absolute (for example $HOME/.vst3)")
  set(vst3_architecture x86_64-linux)
endif()

# A host loads the module, nobody runs it.
install(TARGETS QuorvelDelay LIBRARY DESTINATION ${QUORVEL_VST_INSTALL_DIR} PERMISSIONS ${QUORVEL_FILE_PERMISSIONS})
# The bundle, laid out as in the build tree: the module for this platform and its description.
set(vst3_contents ${QUORVEL_VST3_INSTALL_DIR}/QuorvelDelay.vst3/Contents)
install(TARGETS QuorvelDelayVst3 LIBRARY DESTINATION ${vst3_contents}/${vst3_architecture}
        PERMISSIONS ${QUORVEL_FILE_PERMISSIONS})
install(FILES ${QUORVEL_VST3_BUNDLE}/Contents/Resources/moduleinfo.json DESTINATION ${vst3_contents}/Resources
        PERMISSIONS ${QUORVEL_FILE_PERMISSIONS})

# The CLAP module where Linux hosts look for CLAP plug-ins (<prefix>/lib/clap); on Windows
# beside the others.
if(WIN32)
  set(QUORVEL_CLAP_INSTALL_DIR "." CACHE STRING
      "Folder for QuorvelDelay.clap: relative to CMAKE_INSTALL_PREFIX, or absolute")
else()
  set(QUORVEL_CLAP_INSTALL_DIR "lib/clap" CACHE STRING
      "Folder for QuorvelDelay.clap: relative to CMAKE_INSTALL_PREFIX, or absolute (for example $HOME/.clap)")
endif()
install(TARGETS QuorvelDelayClap LIBRARY DESTINATION ${QUORVEL_CLAP_INSTALL_DIR} PERMISSIONS ${QUORVEL_FILE_PERMISSIONS})

if(WIN32)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/packaging/README-windows.txt.in ${CMAKE_BINARY_DIR}/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_BINARY_DIR}/LICENSE.txt DESTINATION .
          PERMISSIONS ${QUORVEL_FILE_PERMISSIONS})
  return()
endif()

# The LV2 bundle where LV2 hosts look for plug-ins: both shared objects and the Turtle.
set(QUORVEL_LV2_INSTALL_DIR "lib/lv2" CACHE STRING
    "Folder for quorvel-delay.lv2: relative to CMAKE_INSTALL_PREFIX, or absolute (for example $HOME/.lv2)")
install(TARGETS QuorvelDelayLv2 QuorvelDelayLv2Ui LIBRARY DESTINATION ${QUORVEL_LV2_INSTALL_DIR}/quorvel-delay.lv2
        PERMISSIONS ${QUORVEL_FILE_PERMISSIONS})
install(FILES ${QUORVEL_LV2_BUNDLE}/manifest.ttl ${QUORVEL_LV2_BUNDLE}/quorvel-delay.ttl
        DESTINATION ${QUORVEL_LV2_INSTALL_DIR}/quorvel-delay.lv2 PERMISSIONS ${QUORVEL_FILE_PERMISSIONS})

set(QUORVEL_DOC_DIR share/doc/quorvel-delay)
install(TARGETS quorvel-host RUNTIME DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${QUORVEL_DOC_DIR}
        PERMISSIONS ${QUORVEL_FILE_PERMISSIONS})
# The README's links lead into docs/, so the documents and pictures travel beside it.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs DESTINATION ${QUORVEL_DOC_DIR} FILE_PERMISSIONS ${QUORVEL_FILE_PERMISSIONS})

# The manual page is quorvel-host's own --help, dated by the release's commit.
find_program(QUORVEL_HELP2MAN help2man REQUIRED)
find_program(QUORVEL_GZIP gzip REQUIRED)
set(manual ${CMAKE_BINARY_DIR}/quorvel-host.1)
add_custom_command(
  OUTPUT ${manual}.gz
  COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C TZ=UTC SOURCE_DATE_EPOCH=${QUORVEL_SOURCE_DATE_EPOCH}
          ${QUORVEL_HELP2MAN} --no-info --section=1
          "--name=load, render, validate and measure VST 2.4, VST3, CLAP and LV2 plug-ins" --output=${manual} $<TARGET_FILE:quorvel-host>
  COMMAND ${QUORVEL_GZIP} -9nf ${manual}
  DEPENDS quorvel-host
  COMMENT "Writing the manual page of quorvel-host"
  VERBATIM)
add_custom_target(quorvel_host_manual ALL DEPENDS ${manual}.gz)
install(FILES ${manual}.gz DESTINATION share/man/man1 PERMISSIONS ${QUORVEL_FILE_PERMISSIONS})

# Debian's own documents: the licence under the name Debian looks for, and a
# changelog. Only the Debian package installs them.
string(TIMESTAMP QUORVEL_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.gz
  COMMAND ${QUORVEL_GZIP} -9nkf ${CMAKE_BINARY_DIR}/debian/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog
  VERBATIM)
add_custom_target(quorvel_debian_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/debian/changelog.gz DESTINATION ${QUORVEL_DOC_DIR}
        PERMISSIONS ${QUORVEL_FILE_PERMISSIONS} COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${QUORVEL_DOC_DIR} RENAME copyright
        PERMISSIONS ${QUORVEL_FILE_PERMISSIONS} COMPONENT debian EXCLUDE_FROM_ALL)
