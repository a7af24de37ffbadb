# The Windows zip, built by cpack from the build tree: its entries, and its
# documents in plain text with Windows line endings.
# -DBUILD_DIR -DCPACK -DSCRATCH -DVERSION -DVENDOR_VERSION
include(${CMAKE_CURRENT_LIST_DIR}/PackageChecks.cmake)
file(REMOVE_RECURSE ${SCRATCH})
check_run(output ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${SCRATCH})

set(top QuorvelDelay-${VERSION}-windows-x64)
check_run(entries unzip -Z1 ${SCRATCH}/${top}.zip)
check_matches("${entries}" "the zip's entries"
              "^${top}/LICENSE.txt\n${top}/QuorvelDelay.clap\n${top}/QuorvelDelay.dll\n${top}/QuorvelDelay.vst3/Contents/Resources/moduleinfo.json\n${top}/QuorvelDelay.vst3/Contents/x86_64-win/QuorvelDelay.vst3\n${top}/README.txt\n$")
file(MAKE_DIRECTORY ${SCRATCH}/unpacked)
check_run(output unzip -q ${SCRATCH}/${top}.zip -d ${SCRATCH}/unpacked)
# Byte by byte (file(READ) as text would drop the carriage returns): after every
# CR LF pair is taken out, no CR or LF is left, and the text ends in one.
foreach(document README.txt LICENSE.txt)
  file(READ ${SCRATCH}/unpacked/${top}/${document} bytes HEX)
  string(REGEX REPLACE "(..)" " \\1" bytes "${bytes}")
  string(REPLACE " 0d 0a" "" bare "${bytes}")
  if(NOT bytes MATCHES " 0d 0a$" OR bare MATCHES " 0[ad]")
    message(FATAL_ERROR "${document} has a line that does not end in CR LF")
  endif()
endforeach()
file(READ ${SCRATCH}/unpacked/${top}/README.txt readme)
check_matches("${readme}" "README.txt" "^Quorvel Delay ${VERSION} for Windows" "C:\\\\Program Files\\\\Common Files\\\\VST2"
              "C:\\\\Program Files\\\\Common Files\\\\VST3"
              "C:\\\\Program Files\\\\Common Files\\\\CLAP"
              "MIDI Learn" "MIT licence")
