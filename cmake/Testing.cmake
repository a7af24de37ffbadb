# GoogleTest for both targets: Debian's packaged library natively, and the same
# sources built with the cross toolchain for Windows.
include(CTest)
include(GoogleTest)

if(BUILD_TESTING)
  if(CMAKE_CROSSCOMPILING)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()

# quorvel_add_test(<name> SOURCES <files...> LIBRARIES <targets...> [LABELS <labels...>]
#                  [ENVIRONMENT <VAR=value...>] [SERIAL])
# Builds one GoogleTest executable and registers each of its test cases with ctest.
# SERIAL cases run alone (they share the display's one pointer and keyboard).
function(quorvel_add_test name)
  cmake_parse_arguments(ARG "SERIAL" "" "SOURCES;LIBRARIES;LABELS;ENVIRONMENT" ${ARGN})
  set(serial FALSE)
  if(ARG_SERIAL)
    set(serial TRUE)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  quorvel_project_options(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${ARG_LABELS}" ENVIRONMENT "${ARG_ENVIRONMENT}" RUN_SERIAL ${serial})
endfunction()
