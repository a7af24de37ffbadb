# Compiler settings shared by every target of the project's own code.
#
# The audio arithmetic is specified in single precision, operation by operation:
# no contraction into fused multiply-adds and never fast-math, so the native and
# the Windows builds produce the same bits.

set(QUORVEL_WARNINGS
  -Wall -Wextra -Wpedantic -Werror
  -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wconversion
  -Wcast-qual -Wformat=2 -Wimplicit-fallthrough)
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # clang's -Wconversion also covers signedness, gcc's does not: keep one warning set
  # for every compiler, so code that builds clean with gcc also does with clang.
  list(APPEND QUORVEL_WARNINGS -Wno-sign-conversion)
endif()

set(QUORVEL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

# Applies to every target (ours and third-party alike) so that sanitizer runtimes match.
add_compile_options(-ffp-contract=off -fno-fast-math)
if(QUORVEL_SANITIZE)
  add_compile_options(${QUORVEL_SANITIZER_FLAGS})
  add_link_options(${QUORVEL_SANITIZER_FLAGS})
endif()

if(QUORVEL_THREAD_SANITIZE)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

if(QUORVEL_FUZZ)
  # Coverage feedback for libFuzzer from all of the project's code, not only the fuzz entry points.
  # Optimised a little, as libFuzzer advises: many more runs per second, still debuggable.
  add_compile_options(-fsanitize=fuzzer-no-link -O1)
endif()

if(WIN32)
  # Static runtime: the DLL and every test executable import only system DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()

if(CMAKE_CROSSCOMPILING AND WIN32)
  # Every cross-built program that ctest or a build step runs goes through Wine,
  # with a throw-away prefix inside the build tree.
  set(QUORVEL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
                 @ONLY)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()

function(quorvel_project_options target)
  target_compile_options(${target} PRIVATE ${QUORVEL_WARNINGS})
endfunction()
