# The Windows installer, made by cpack beside the zip, as a musician and an
# administrator meet it under Wine: a 64-bit program; a silent installation puts each
# format where 64-bit hosts look (nothing under Program Files (x86)), and the Windows
# quorvel-host loads each module from there; Apps lists it;
# the silent uninstallation leaves the folders and the registry as they were.
# -DBUILD_DIR -DCPACK -DSCRATCH -DVERSION -DVENDOR_VERSION -DWINE=<wine-run> -DHOST=<quorvel-host.exe>
# -DOBJDUMP=<x86_64-w64-mingw32-objdump>
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/PackageChecks.cmake)
file(REMOVE_RECURSE ${SCRATCH})
check_run(output ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -B ${SCRATCH})
set(top QuorvelDelay-${VERSION}-windows-x64)
set(setup ${SCRATCH}/${top}-setup.exe)
check_run(header ${OBJDUMP} -f ${setup})
check_matches("${header}" "the installer's header" "file format pei-x86-64")

function(unix_path out windows_path)
  check_run(path ${WINE} winepath.exe -u "${windows_path}")
  string(STRIP "${path}" path)
  set(${out} "${path}" PARENT_SCOPE)
endfunction()
unix_path(program_files "C:\\Program Files")
unix_path(program_files_x86 "C:\\Program Files (x86)")
set(key "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorvelDelay")
set(common "C:\\Program Files\\Common Files")

# Every file and folder under both Program Files folders, relative to the drive.
function(snapshot out)
  set(entries "")
  foreach(root ${program_files} ${program_files_x86})
    if(EXISTS ${root})
      file(GLOB_RECURSE found LIST_DIRECTORIES true ${root}/*)
      list(APPEND entries ${found})
    endif()
  endforeach()
  list(SORT entries)
  set(${out} "${entries}" PARENT_SCOPE)
endfunction()

# What an earlier, interrupted run may have left in this prefix goes first.
execute_process(COMMAND ${WINE} reg.exe delete ${key} /f OUTPUT_QUIET ERROR_QUIET)
file(REMOVE_RECURSE "${program_files}/Common Files/VST3/QuorvelDelay.vst3" "${program_files}/Quorvel Delay")
file(REMOVE "${program_files}/Common Files/CLAP/QuorvelDelay.clap" "${program_files}/Common Files/VST2/QuorvelDelay.dll")
# As in a fresh prefix, the shared folders do not exist unless something else is in
# them: the installer creates them, and its uninstaller must remove them again.
foreach(folder VST2 VST3 CLAP)
  file(GLOB inside "${program_files}/Common Files/${folder}/*")
  if(NOT inside)
    file(REMOVE_RECURSE "${program_files}/Common Files/${folder}")
  endif()
endforeach()
snapshot(before)

check_run(output ${WINE} ${setup} /S)
snapshot(after)
set(added ${after})
list(REMOVE_ITEM added ${before})
foreach(entry IN LISTS added)
  string(FIND "${entry}" "${program_files_x86}/" at)
  if(at EQUAL 0)
    message(FATAL_ERROR "the installer wrote into Program Files (x86): ${entry}")
  endif()
endforeach()
set(files "")
foreach(entry IN LISTS added)
  if(NOT IS_DIRECTORY "${entry}")
    string(REPLACE "${program_files}/" "" entry "${entry}")
    list(APPEND files "${entry}")
  endif()
endforeach()
set(expected "Common Files/CLAP/QuorvelDelay.clap" "Common Files/VST2/QuorvelDelay.dll"
    "Common Files/VST3/QuorvelDelay.vst3/Contents/Resources/moduleinfo.json"
    "Common Files/VST3/QuorvelDelay.vst3/Contents/x86_64-win/QuorvelDelay.vst3"
    "Quorvel Delay/LICENSE.txt" "Quorvel Delay/README.txt" "Quorvel Delay/uninstall.exe")
if(NOT files STREQUAL expected)
  message(FATAL_ERROR "the installer added\n  ${files}\ninstead of\n  ${expected}")
endif()

check_run(info ${WINE} ${HOST} info "${common}\\VST2\\QuorvelDelay.dll")
check_matches("${info}" "quorvel-host info on the installed VST2 module"
              "effect name: +Quorvel Delay" "vendor version: ${VENDOR_VERSION}\r?\n")
check_run(info ${WINE} ${HOST} info "${common}\\VST3\\QuorvelDelay.vst3")
check_matches("${info}" "quorvel-host info on the installed VST3 bundle"
              "56535451446C7971756F7276656C2064 +Quorvel Delay .*version ${VERSION}")
check_run(info ${WINE} ${HOST} info "${common}\\CLAP\\QuorvelDelay.clap")
check_matches("${info}" "quorvel-host info on the installed CLAP module" "id: +com.quorvel.delay")

check_run(registration ${WINE} reg.exe query ${key})
string(REPLACE "\\" "/" registration "${registration}")
check_matches("${registration}" "the Apps registration"
              "DisplayName +REG_SZ +Quorvel Delay\r?\n" "DisplayVersion +REG_SZ +${VERSION}\r?\n"
              "Publisher +REG_SZ +Quorvel Sound Design\r?\n"
              "UninstallString +REG_SZ +\"C:/Program Files/Quorvel Delay/uninstall.exe\"\r?\n"
              "QuietUninstallString +REG_SZ +\"C:/Program Files/Quorvel Delay/uninstall.exe\" /S\r?\n"
              "InstallLocation +REG_SZ +C:/Program Files/Quorvel Delay\r?\n"
              "EstimatedSize +REG_DWORD +0x[0-9a-f]*[1-9a-f]" "NoModify +REG_DWORD +0x1\r?\n" "NoRepair +REG_DWORD +0x1\r?\n")

# The uninstaller runs from a copy of itself in the temporary folder, so the command
# returns before the work is done: wait for it.
check_run(output ${WINE} "C:\\Program Files\\Quorvel Delay\\uninstall.exe" /S)
foreach(attempt RANGE 60)
  execute_process(COMMAND ${WINE} reg.exe query ${key} RESULT_VARIABLE registered OUTPUT_QUIET ERROR_QUIET)
  snapshot(left)
  if(NOT registered EQUAL 0 AND left STREQUAL before)
    return()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.5)
endforeach()
message(FATAL_ERROR "after the uninstallation (key query status ${registered}) the folders hold\n  ${left}\ninstead of\n  ${before}")
