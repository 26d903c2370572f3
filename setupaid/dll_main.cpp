#include <windows.h>

// setupaid keeps no state, so there is nothing to set up or tear down.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
