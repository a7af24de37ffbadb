# Read by cpack once per generator. The Debian package installs under /usr and
# adds Debian's own documents; the archives hold the plain install tree.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_INSTALL_CMAKE_PROJECTS
      "${CPACK_QUORVEL_BUILD_DIR};QuorvelDelay;ALL;/"
      "${CPACK_QUORVEL_BUILD_DIR};QuorvelDelay;debian;/")
endif()
