// A stand-in for the browser's installer: it builds a call record with a
// variable table, loads setupaid.dll and calls one export by name, then
// prints the result and the variables as the export left them.
//
//   setup_standin [--slots N] [--name-width N] [--value-width N]
//                 [--set NAME=VALUE]... EXPORT [PARAMETER]
//
// Output: "result=N", then one "%NAME%=value" line per slot in use.
// Exit code 0 after a call, 2 for bad usage, 3 when the DLL or the export
// cannot be found.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "setup_table.h"

namespace {

constexpr int kUsage = 2;
constexpr int kNotLoaded = 3;

struct Options {
  int slots = 16;
  int nameWidth = 64;
  int valueWidth = 1024;
  std::vector<std::pair<std::string, std::string>> variables;
  const char* exportName = nullptr;
  const char* parameter = "";
};

bool ParseNumber(const char* text, int& number) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value <= 0 || value > 1 << 20) return false;
  number = static_cast<int>(value);
  return true;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  int i = 1;
  for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) return false;
    const char* argument = argv[++i];
    if (option == "--slots") {
      if (!ParseNumber(argument, options.slots)) return false;
    } else if (option == "--name-width") {
      if (!ParseNumber(argument, options.nameWidth)) return false;
    } else if (option == "--value-width") {
      if (!ParseNumber(argument, options.valueWidth)) return false;
    } else if (option == "--set") {
      const char* equals = std::strchr(argument, '=');
      if (equals == nullptr) return false;
      options.variables.emplace_back(std::string(argument, equals), std::string(equals + 1));
    } else {
      return false;
    }
  }
  if (i >= argc || argc - i > 2) return false;
  options.exportName = argv[i];
  if (i + 1 < argc) options.parameter = argv[i + 1];
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: setup_standin [--slots N] [--name-width N] [--value-width N]\n"
                 "                     [--set NAME=VALUE]... EXPORT [PARAMETER]\n");
    return kUsage;
  }
  SetupTable table(options.slots, options.nameWidth, options.valueWidth);
  for (const auto& [name, value] : options.variables) {
    if (!table.Add(name, value)) {
      std::fprintf(stderr, "setup_standin: variable %s does not fit the table\n", name.c_str());
      return kUsage;
    }
  }
  HMODULE library = LoadLibraryA("setupaid.dll");
  if (library == nullptr) {
    std::fprintf(stderr, "setup_standin: cannot load setupaid.dll (error %lu)\n", GetLastError());
    return kNotLoaded;
  }
  const auto function =
      reinterpret_cast<SetupAidFunction>(reinterpret_cast<void*>(GetProcAddress(library, options.exportName)));
  if (function == nullptr) {
    std::fprintf(stderr, "setup_standin: setupaid.dll has no export %s\n", options.exportName);
    FreeLibrary(library);
    return kNotLoaded;
  }
  const int result = function(&table.Record(options.parameter));
  std::printf("result=%d\n", result);
  for (int slot = 0; slot < table.Count(); ++slot)
    std::printf("%s=%s\n", table.NameAt(slot).c_str(), table.ValueAt(slot).c_str());
  std::fflush(stdout);
  // The library stays loaded: a mutex taken by CheckIfKovraIsRunning must
  // live as long as the installer does.
  return 0;
}
