cmake_minimum_required(VERSION 3.25)
# Checks that each export of the 32-bit setupaid.dll is a standard-call
# function taking one 4-byte argument: its symbol is "_Name@4".
#   cmake -DOBJDUMP=... -DLIBRARY=setupaid.dll -P check_stdcall.cmake
set(exports
  AddFilenameToToolbarHistory ChangeBackslashToSlashgrantCodeBase
  CheckIfKovraIsRunning DummyTest GetUninstRegKeyName ShellExecuteProgram)
execute_process(COMMAND ${OBJDUMP} -t ${LIBRARY}
  OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump -t ${LIBRARY} failed")
endif()
foreach(name IN LISTS exports)
  if(NOT symbols MATCHES " _${name}@4\n")
    message(FATAL_ERROR "${name} is not a standard-call function of one pointer (_${name}@4)")
  endif()
endforeach()
message(STATUS "${LIBRARY}: all six exports are _Name@4")
