// Helpers for the setupaid tests under Wine: scratch folders, whole-file
// reads and writes, child processes, and the library loaded by name the way
// the installer loads it.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "setup_table.h"

namespace setupaid_test {

// The folder of the running test program, where every built program and
// library of the build lies.
std::filesystem::path ProgramFolder();

// A fresh folder under the temporary folder, removed with its contents.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// The path in double quotes, for a command line.
std::string Quoted(const std::filesystem::path& path);

// Byte-exact file access (no line-end translation).
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);

struct ProcessResult {
  bool started = false;
  bool finished = false;
  DWORD exitCode = 0;
  std::string output;  // standard output
};

// Runs a command line and waits up to a minute for it to end.
ProcessResult RunProcess(const std::string& commandLine);

// setupaid.dll, loaded from the program folder; exports are found by name.
class SetupAidLibrary {
 public:
  SetupAidLibrary();
  SetupAidLibrary(const SetupAidLibrary&) = delete;
  SetupAidLibrary& operator=(const SetupAidLibrary&) = delete;

  bool Loaded() const { return module_ != nullptr; }
  SetupAidFunction Find(const char* exportName) const;
  // Calls the export with the table's record and the given parameter.
  int Call(const char* exportName, SetupTable& table, const char* parameter) const;

 private:
  // Never freed: a mutex taken by CheckIfKovraIsRunning is meant to live
  // as long as the process, as it does in the installer.
  HMODULE module_ = nullptr;
};

}  // namespace setupaid_test
