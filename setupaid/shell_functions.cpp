// The exports that talk to the system rather than to files: the test call,
// the single-instance check and the shell's "open".
#include <windows.h>

#include "setupaid.h"

extern "C" SETUPAID_API int SETUPAID_CALL DummyTest(SetupCallRecord*) { return 1; }

// Owns the named mutex for the rest of the installer's life, so that a
// second installer or the browser can see that this one is running.
extern "C" SETUPAID_API int SETUPAID_CALL CheckIfKovraIsRunning(SetupCallRecord* record) {
  // Without a name there is nothing to hold: report it as not creatable.
  if (record == nullptr || record->parameter == nullptr || record->parameter[0] == '\0') return 1;
  HANDLE mutex = CreateMutexA(nullptr, TRUE, record->parameter);
  if (mutex == nullptr) return 1;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    // This handle owns nothing; the first holder keeps the mutex alive.
    CloseHandle(mutex);
    return 1;
  }
  return 0;
}

extern "C" SETUPAID_API int SETUPAID_CALL ShellExecuteProgram(SetupCallRecord* record) {
  if (record == nullptr || record->parameter == nullptr) return SE_ERR_FNF;
  const HINSTANCE result =
      ShellExecuteA(nullptr, "open", record->parameter, nullptr, nullptr, SW_SHOWNORMAL);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}
