// ChangeBackslashToSlashgrantCodeBase: a Java policy file wants URLs with
// forward slashes, but the installer writes Windows paths into its
// "grant codeBase" lines.  Turn the backslashes of those lines around.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "setupaid.h"

namespace {

constexpr char kGrantCodeBase[] = "grant codeBase";
// Each line is handled in a working buffer of this size (with its NUL); a
// longer line is left as it is rather than cut.
constexpr std::size_t kWorkingBufferSize = 4096;

bool IsGrantCodeBaseLine(const char* line, std::size_t length) {
  std::size_t start = 0;
  while (start < length && line[start] == ' ') ++start;  // spaces only, not tabs
  const std::size_t keyLength = sizeof kGrantCodeBase - 1;
  return length - start >= keyLength && std::memcmp(line + start, kGrantCodeBase, keyLength) == 0;
}

// Rewrites the grant lines of data in place.  A final line without a line
// feed is not looked at.
void ConvertGrantLines(char* data, std::size_t length) {
  std::size_t lineStart = 0;
  while (lineStart < length) {
    char* feed = static_cast<char*>(std::memchr(data + lineStart, '\n', length - lineStart));
    if (feed == nullptr) break;
    char* line = data + lineStart;
    const std::size_t lineLength = static_cast<std::size_t>(feed - line);
    if (lineLength < kWorkingBufferSize && IsGrantCodeBaseLine(line, lineLength)) {
      for (std::size_t i = 0; i < lineLength; ++i) {
        if (line[i] == '\\') line[i] = '/';
      }
    }
    lineStart += lineLength + 1;
  }
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

extern "C" SETUPAID_API int SETUPAID_CALL ChangeBackslashToSlashgrantCodeBase(SetupCallRecord* record) {
  if (record == nullptr || record->parameter == nullptr) return 0;
  const char* path = record->parameter;
  struct _stat info {};
  if (_stat(path, &info) != 0 || info.st_size <= 0) return 0;
  // Text mode: lines end in a bare line feed here, and CR LF again on disk.
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path, "r+"));
  if (!file) return 0;
  const std::size_t size = static_cast<std::size_t>(info.st_size);
  std::unique_ptr<char[]> data(new (std::nothrow) char[size]);
  if (!data) return 0;
  const std::size_t length = std::fread(data.get(), 1, size, file.get());
  ConvertGrantLines(data.get(), length);
  // Converted lines keep their length, so the text fits its old place.
  if (std::fseek(file.get(), 0, SEEK_SET) == 0) std::fwrite(data.get(), 1, length, file.get());
  return 0;
}
