cmake_minimum_required(VERSION 3.25)
# Checks setupaid.dll's export table with objdump: exactly the six exports,
# under their plain names.  In the 32-bit build each must also be the
# standard-call function with one 4-byte argument ("_Name@4" in the symbols).
#   cmake -DOBJDUMP=... -DLIBRARY=setupaid.dll -DPOINTER_SIZE=4|8 -P check_exports.cmake
set(expected
  AddFilenameToToolbarHistory ChangeBackslashToSlashgrantCodeBase
  CheckIfKovraIsRunning DummyTest GetUninstRegKeyName ShellExecuteProgram)

execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY}
  OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump -p ${LIBRARY} failed")
endif()

# The names follow the "[Ordinal/Name Pointer] Table" line, one per line.
string(FIND "${headers}" "[Ordinal/Name Pointer] Table" start)
if(start LESS 0)
  message(FATAL_ERROR "${LIBRARY} has no export name table")
endif()
string(SUBSTRING "${headers}" ${start} -1 table)
string(REGEX MATCHALL "\n\t\\[ *[0-9]+\\] [^\n]*" rows "${table}")
set(names)
foreach(row IN LISTS rows)
  string(REGEX REPLACE "^\n\t\\[ *[0-9]+\\] " "" name "${row}")
  list(APPEND names "${name}")
endforeach()
list(SORT names)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "exports of ${LIBRARY} are\n  ${names}\nexpected\n  ${expected}")
endif()

if(POINTER_SIZE EQUAL 4)
  execute_process(COMMAND ${OBJDUMP} -t ${LIBRARY} OUTPUT_VARIABLE symbols)
  foreach(name IN LISTS expected)
    if(NOT symbols MATCHES " _${name}@4\n")
      message(FATAL_ERROR "${name} is not a standard-call function of one pointer (_${name}@4)")
    endif()
  endforeach()
endif()
message(STATUS "${LIBRARY}: ${names}")
