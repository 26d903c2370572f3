// setupaid.dll: six functions that the browser's installer calls while it
// installs or removes the browser.  Each takes the installer's call record
// and returns a 32-bit result that the installer script tests.
#pragma once

#include <cstdint>

#define SETUPAID_CALL __stdcall
#ifdef SETUPAID_BUILDING
#define SETUPAID_API __declspec(dllexport)
#else
#define SETUPAID_API
#endif

// The installer owns this record; setupaid reads and writes through it only
// during one call.  Every field is 32 bits wide in the shipped 32-bit build.
struct SetupCallRecord {
  std::int32_t recordSize;     // not read
  void* window;                // installer window handle, not read
  std::int32_t maxVariables;   // slots in each block
  std::int32_t nameWidth;      // bytes per name slot
  std::int32_t valueWidth;     // bytes per value slot
  std::int32_t variableCount;  // slots in use
  char* names;                 // maxVariables slots of "%NAME%\0"
  char* values;                // maxVariables slots of "value\0"
  std::int32_t runMode;        // not read
  void* logFile;               // not read
  const char* parameter;       // this call's NUL-terminated parameter text
};

#if defined(_WIN32) && !defined(_WIN64)
#include <cstddef>
// The installer lays the record out as eleven 32-bit fields.
static_assert(sizeof(SetupCallRecord) == 44);
static_assert(offsetof(SetupCallRecord, recordSize) == 0);
static_assert(offsetof(SetupCallRecord, window) == 4);
static_assert(offsetof(SetupCallRecord, maxVariables) == 8);
static_assert(offsetof(SetupCallRecord, nameWidth) == 12);
static_assert(offsetof(SetupCallRecord, valueWidth) == 16);
static_assert(offsetof(SetupCallRecord, variableCount) == 20);
static_assert(offsetof(SetupCallRecord, names) == 24);
static_assert(offsetof(SetupCallRecord, values) == 28);
static_assert(offsetof(SetupCallRecord, runMode) == 32);
static_assert(offsetof(SetupCallRecord, logFile) == 36);
static_assert(offsetof(SetupCallRecord, parameter) == 40);
#endif

// The signature of every export; installers find them by name.
using SetupAidFunction = int(SETUPAID_CALL*)(SetupCallRecord*);

extern "C" {
SETUPAID_API int SETUPAID_CALL DummyTest(SetupCallRecord* record);
SETUPAID_API int SETUPAID_CALL GetUninstRegKeyName(SetupCallRecord* record);
SETUPAID_API int SETUPAID_CALL AddFilenameToToolbarHistory(SetupCallRecord* record);
SETUPAID_API int SETUPAID_CALL ChangeBackslashToSlashgrantCodeBase(SetupCallRecord* record);
SETUPAID_API int SETUPAID_CALL CheckIfKovraIsRunning(SetupCallRecord* record);
SETUPAID_API int SETUPAID_CALL ShellExecuteProgram(SetupCallRecord* record);
}
