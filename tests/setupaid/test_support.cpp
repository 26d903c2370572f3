#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>

namespace setupaid_test {

std::filesystem::path ProgramFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::filesystem::path(std::string(path, length)).parent_path();
}

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  std::ostringstream name;
  name << "setupaid-test-" << GetCurrentProcessId() << "-" << counter++;
  path_ = std::filesystem::temp_directory_path() / name.str();
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  std::ifstream in(path, std::ios::binary);
  char buffer[4096];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
  return bytes;
}

std::string Quoted(const std::filesystem::path& path) {
  std::string quoted = "\"";
  quoted += path.string();
  quoted += '"';
  return quoted;
}

ProcessResult RunProcess(const std::string& commandLine) {
  ProcessResult result;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return result;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  std::string mutableLine = commandLine;
  result.started = CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, 0,
                                  nullptr, nullptr, &startup, &process) != FALSE;
  CloseHandle(writeEnd);
  if (result.started) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
      result.output.append(buffer, got);
    result.finished = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(readEnd);
  return result;
}

SetupAidLibrary::SetupAidLibrary()
    : module_(LoadLibraryA((ProgramFolder() / "setupaid.dll").string().c_str())) {}

SetupAidFunction SetupAidLibrary::Find(const char* exportName) const {
  if (module_ == nullptr) return nullptr;
  return reinterpret_cast<SetupAidFunction>(
      reinterpret_cast<void*>(GetProcAddress(module_, exportName)));
}

int SetupAidLibrary::Call(const char* exportName, SetupTable& table, const char* parameter) const {
  const SetupAidFunction function = Find(exportName);
  if (function == nullptr) {
    ADD_FAILURE() << "setupaid.dll has no export " << exportName;
    return -1;
  }
  return function(&table.Record(parameter));
}

}  // namespace setupaid_test
