// A stand-in for the browser: it only records, beside itself in
// "kovra-run.txt", that it ran and with which arguments.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  char self[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string record(self, length);
  record.erase(record.find_last_of('\\') + 1);
  record += "kovra-run.txt";
  // Written under another name first, so that a watcher never sees half.
  const std::string partial = record + ".part";
  std::FILE* file = std::fopen(partial.c_str(), "w");
  if (file == nullptr) return 1;
  std::fprintf(file, "ran\narguments=%d\n", argc - 1);
  for (int i = 1; i < argc; ++i) std::fprintf(file, "argument=%s\n", argv[i]);
  std::fclose(file);
  return MoveFileA(partial.c_str(), record.c_str()) ? 0 : 1;
}
