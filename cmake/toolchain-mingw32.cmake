# Cross build of the 32-bit Windows deliverables with MinGW-w64 (POSIX
# threads flavour).  The runtime libraries are linked statically so that the
# DLLs load in a clean Wine prefix, or on a Windows machine, by themselves.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KOVRA_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwCommon.cmake)
