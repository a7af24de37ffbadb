# Read by cpack once per generator. The Debian package installs under /usr and
# adds Debian's own documents; the archives hold the plain install tree.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_INSTALL_CMAKE_PROJECTS
      "${CPACK_QUORVEL_BUILD_DIR};QuorvelDelay;ALL;/"
      "${CPACK_QUORVEL_BUILD_DIR};QuorvelDelay;debian;/")
endif()

# The tools cpack runs (strip writes a time stamp into a DLL's header) take the
# release's date from the environment; a cpack run by hand gets the build's.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} ${CPACK_QUORVEL_SOURCE_DATE_EPOCH})
endif()
