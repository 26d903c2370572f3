// The operating system as postroom sees it: files, directories, time, beeps
// and message boxes.  One implementation per platform (POSIX for the native
// builds and tests, Win32 for the DLL); nothing else in postroom includes a
// system header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace postroom::platform {

// The platform's path separator.
char PathSeparator();

// Reads a whole file.  False when it cannot be opened or read, or memory ran
// out; out is then empty.
bool ReadWholeFile(const char* path, std::string& out);

// Replaces the file at path with data so that a crash or a full disk never
// leaves it half written: the data goes to a temporary file beside the target,
// every write and the close are checked, and only then is the temporary file
// renamed over the target.  False (target untouched) on any failure.
bool ReplaceFile(const char* path, std::string_view data);

bool IsDirectory(const char* path);
bool FileExists(const char* path);
// Creates one directory level.  True when the directory exists afterwards.
bool MakeDirectory(const char* path);
bool RemoveFile(const char* path);

// Seconds since 1970-01-01 00:00 UTC.
std::int64_t NowSeconds();
// Milliseconds from an arbitrary start, for timers.
std::uint32_t TickMilliseconds();

// The local date and time of a UTC seconds value as the user's locale writes
// them, date and time joined by one blank.  False when the value cannot be
// shown (out of the platform's range).
bool LocalDateTimeText(std::int64_t utcSeconds, std::string& out);

// The number of a registered window message; the same name gives the same
// number in every module of the session.  0 on failure.
std::uint32_t RegisterMessageName(const char* name);

// The system beep.
void Beep(unsigned frequency, unsigned duration);

}  // namespace postroom::platform
