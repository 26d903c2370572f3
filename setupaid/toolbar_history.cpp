// AddFilenameToToolbarHistory: puts an entry at the head of a history file.
// The file is a count line followed by one entry a line, newest first.
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "setupaid.h"

namespace {

constexpr int kMaxEntries = 100;
constexpr int kLineBufferSize = 1024;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string Trimmed(const char* text) {
  const char* begin = text;
  while (*begin != '\0' && IsBlank(*begin)) ++begin;
  const char* end = begin + std::strlen(begin);
  while (end > begin && IsBlank(end[-1])) --end;
  return std::string(begin, end);
}

// Reads the non-blank lines of the history file, at most `limit` of them.
// Characters past the line buffer are dropped with the rest of their line.
std::vector<std::string> ReadHistoryLines(const char* path, std::size_t limit) {
  std::vector<std::string> lines;
  std::FILE* file = std::fopen(path, "r");
  if (file == nullptr) return lines;
  char buffer[kLineBufferSize];
  try {
    while (lines.size() < limit && std::fgets(buffer, sizeof buffer, file) != nullptr) {
      const std::size_t length = std::strlen(buffer);
      if (length > 0 && buffer[length - 1] == '\n') {
        buffer[length - 1] = '\0';
      } else {
        int c;
        while ((c = std::fgetc(file)) != EOF && c != '\n') {
        }
      }
      std::string line = Trimmed(buffer);
      if (!line.empty()) lines.push_back(std::move(line));
    }
  } catch (...) {
    std::fclose(file);
    throw;
  }
  std::fclose(file);
  return lines;
}

bool WriteHistory(const char* path, const std::string& newEntry,
                  const std::vector<std::string>& oldEntries) {
  std::FILE* file = std::fopen(path, "w");
  if (file == nullptr) return false;
  std::fprintf(file, "%i\n", static_cast<int>(oldEntries.size() + 1));
  std::fprintf(file, "%s\n", newEntry.c_str());
  for (const std::string& entry : oldEntries) std::fprintf(file, "%s\n", entry.c_str());
  return std::fclose(file) == 0;
}

}  // namespace

extern "C" SETUPAID_API int SETUPAID_CALL AddFilenameToToolbarHistory(SetupCallRecord* record) {
  if (record == nullptr || record->parameter == nullptr) return 0;
  const char* separator = std::strchr(record->parameter, ';');
  if (separator == nullptr || separator == record->parameter || separator[1] == '\0') return 0;
  try {
    const std::string path(record->parameter, separator);
    const std::string newEntry(separator + 1);
    // The first line held is last time's count line.  Reading stops at
    // 100 lines, so at most 99 old entries join the new one.
    std::vector<std::string> lines = ReadHistoryLines(path.c_str(), kMaxEntries);
    if (!lines.empty()) lines.erase(lines.begin());
    return WriteHistory(path.c_str(), newEntry, lines) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
