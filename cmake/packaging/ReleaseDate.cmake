# The release's date for the packaging scripts: SOURCE_DATE_EPOCH when cpack runs
# with it (tools/release.sh), else the date the build tree was configured with.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  set(epoch ${CPACK_QUORVEL_SOURCE_DATE_EPOCH})
endif()
