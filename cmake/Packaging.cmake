# The release packages, made by CPack from the install rules:
#   QuorvelDelay-<version>-windows-x64.zip   (windows preset)
#   QuorvelDelay-<version>-linux-x86_64.tar.gz and quorvel-delay_<version>_amd64.deb (native presets)
# tools/release.sh builds all three into dist/.

set(CPACK_PACKAGE_NAME QuorvelDelay)
set(CPACK_PACKAGE_VENDOR "Quorvel Sound Design")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "stereo delay VST 2.4 and VST3 plug-in with tempo sync and MIDI learn")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quorvel.example/delay")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-x64)
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
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Quorvel Delay is a stereo delay for VST 2.4 and VST3 hosts: two delay lines of
up to one second each, free or locked to the host's tempo in note values from
1/32 to 1/2, feedback through a soft saturator and a low- or high-pass filter,
crossed ping-pong feedback, a wet/dry mix, 32 programs and MIDI learn for
every parameter. The VST2 plug-in is installed in /usr/lib/vst and the VST3
bundle in /usr/lib/vst3, where Linux hosts look for plug-ins, and the LV2
bundle in /usr/lib/lv2 for LV2 hosts; hosts that read
a VST3's compatibility information open old projects with the VST3 in place
of the VST2 plug-in. The CLAP plug-in, QuorvelDelay.clap, is installed in
/usr/lib/clap.
.
The package also holds quorvel-host, a command-line VST2 and VST3 host that
shows a plug-in's identity, renders audio files through it, runs a battery of
host checks on it and measures its cost.]=])

include(CPack)
