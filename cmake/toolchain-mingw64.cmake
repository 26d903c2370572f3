# The same sources built as 64-bit Windows programs.  The shipped components
# are 32-bit; this build exists so that the Windows tests can run under Wine
# on machines whose kernel cannot execute 32-bit code (and so cannot run
# wine32).  See README.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KOVRA_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwCommon.cmake)
