# `cmake --install` into a scratch prefix lays out exactly the expected files.
# -DBUILD_DIR=<build tree> -DPREFIX=<scratch prefix> -DEXPECTED=<path|path|...>
include(${CMAKE_CURRENT_LIST_DIR}/PackageChecks.cmake)
file(REMOVE_RECURSE ${PREFIX})
check_run(output ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX})
string(REPLACE "|" ";" expected "${EXPECTED}")
check_files(${PREFIX} ${expected})
