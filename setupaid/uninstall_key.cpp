// GetUninstRegKeyName: finds the uninstall entry of a product by the start
// of its uninstall command and hands the entry's key name to the installer.
#include <windows.h>

#include <cstring>
#include <new>
#include <string>

#include "setupaid.h"
#include "variable_table.h"

namespace {

constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr DWORD kMaxKeyName = 260;
constexpr DWORD kMaxUninstallString = 260;
constexpr DWORD kLastIndex = 1024;

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// True when `text` begins with `prefix`, ignoring letter case.
bool StartsWithIgnoringCase(const char* text, const std::string& prefix) {
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (text[i] == '\0' || FoldAscii(text[i]) != FoldAscii(prefix[i])) return false;
  }
  return true;
}

// Reads the entry's "UninstallString"; false when it is absent, not text or
// longer than we read.
bool ReadUninstallString(HKEY uninstall, const char* subkeyName,
                         char (&text)[kMaxUninstallString + 1]) {
  HKEY subkey = nullptr;
  if (RegOpenKeyExA(uninstall, subkeyName, 0, KEY_READ, &subkey) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  DWORD size = kMaxUninstallString;
  const LONG status = RegQueryValueExA(subkey, "UninstallString", nullptr, &type,
                                       reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(subkey);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  text[size] = '\0';  // stored strings need not carry their terminator
  return true;
}

// Looks through the uninstall entries for one whose command begins with the
// target; on success `keyName` holds the entry's name.
bool FindUninstallEntry(const std::string& target, char (&keyName)[kMaxKeyName + 1]) {
  HKEY uninstall = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &uninstall) != ERROR_SUCCESS)
    return false;
  bool found = false;
  for (DWORD index = 0; index <= kLastIndex && !found; ++index) {
    DWORD nameLength = kMaxKeyName;
    if (RegEnumKeyExA(uninstall, index, keyName, &nameLength, nullptr, nullptr, nullptr,
                      nullptr) != ERROR_SUCCESS)
      break;
    char command[kMaxUninstallString + 1];
    found = ReadUninstallString(uninstall, keyName, command) &&
            StartsWithIgnoringCase(command, target);
  }
  RegCloseKey(uninstall);
  return found;
}

}  // namespace

extern "C" SETUPAID_API int SETUPAID_CALL GetUninstRegKeyName(SetupCallRecord* record) {
  if (record == nullptr || record->parameter == nullptr || record->parameter[0] == '\0') return 0;
  const char* variable = record->parameter;
  try {
    std::string target;
    if (!setupaid::GetVariable(*record, variable, target) || target.empty()) return 0;
    char keyName[kMaxKeyName + 1];
    if (FindUninstallEntry(target, keyName)) {
      setupaid::SetVariable(*record, variable, keyName);
      return 1;
    }
  } catch (...) {
    // Fall through: the product counts as not found.
  }
  setupaid::SetVariable(*record, variable, "");
  return 0;
}
