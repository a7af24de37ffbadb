# The release packages, made by CPack from the install rules:
#   QuorvelDelay-<version>-windows-x64.zip and QuorvelDelay-<version>-windows-x64-setup.exe
#   (windows preset; the installer is made by makensis from the zip's files)
#   QuorvelDelay-<version>-linux-x86_64.tar.gz and quorvel-delay_<version>_amd64.deb (native presets)
# tools/release.sh builds all four into dist/.

set(CPACK_PACKAGE_NAME QuorvelDelay)
set(CPACK_PACKAGE_VENDOR "Quorvel Sound Design")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "stereo delay plug-in (VST3, CLAP, VST 2.4, LV2) with tempo sync and MIDI learn")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quorvel.example/delay")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x64)
  find_program(QUORVEL_MAKENSIS makensis REQUIRED)
  set(CPACK_QUORVEL_MAKENSIS ${QUORVEL_MAKENSIS})
else()
  set(CPACK_GENERATOR TGZ DEB)
  set(CPACK_SYSTEM_NAME linux-${CMAKE_SYSTEM_PROCESSOR})
endif()

# Reproducible packages: staged files get the release's date, the archives a fixed
# order and owner (see the two scripts).
set(CPACK_QUORVEL_SOURCE_DATE_EPOCH ${QUORVEL_SOURCE_DATE_EPOCH})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/packaging/CPackPreBuild.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/packaging/CPackPostBuild.cmake)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/packaging/CPackGenerators.cmake)
set(CPACK_QUORVEL_BUILD_DIR ${CMAKE_BINARY_DIR})

set(CPACK_DEBIAN_PACKAGE_NAME quorvel-delay)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUORVEL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${CPACK_PACKAGE_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The first line of the package's description is CPACK_PACKAGE_DESCRIPTION_SUMMARY.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Quorvel Delay is a stereo delay for digital audio workstations: two delay
lines of up to one second each, free or locked to the host's tempo in note
values from 1/32 to 1/2, feedback through a soft saturator and a low- or
high-pass filter, crossed ping-pong feedback, a wet/dry mix, 32 programs and
MIDI learn for every parameter. All formats sound the same and keep the same
settings:
 - VST3, in /usr/lib/vst3 (hosts that read its compatibility information open
   projects saved with the VST2 plug-in with the VST3 one in its place);
 - CLAP, in /usr/lib/clap;
 - VST 2.4, in /usr/lib/vst;
 - LV2, in /usr/lib/lv2.
.
The package also holds quorvel-host, a command-line VST2, VST3, CLAP and LV2
host that shows a plug-in's identity, renders audio files through it, runs a
battery of host checks on it and measures its cost.]=])

include(CPack)
