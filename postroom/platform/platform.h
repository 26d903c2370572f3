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

// Repeating timers on the user-interface thread.  The procedure runs from the
// message loop (Windows) or when FireDueTimers is called (native builds,
// whose tests play the message loop).  0 on failure.
using TimerProc = void (*)(void* context);
std::uintptr_t StartTimer(std::uint32_t intervalMs, TimerProc proc, void* context);
void StopTimer(std::uintptr_t id);
// Native builds only: runs every timer once, as a tick of each would.
void FireAllTimers();

// A message box; the answer is the button pressed (the platform's IDOK,
// IDYES and so on).  Native builds answer with what the tests set.
enum MessageBoxStyle : unsigned {
    BOX_OK = 0x0,
    BOX_OK_CANCEL = 0x1,
    BOX_YES_NO = 0x4,
    BOX_YES_NO_CANCEL = 0x3,
    BOX_ERROR = 0x10,
    BOX_QUESTION = 0x20,
    BOX_WARNING = 0x30,
};
enum MessageBoxAnswer : int { ANSWER_OK = 1, ANSWER_CANCEL = 2, ANSWER_YES = 6, ANSWER_NO = 7 };
int AskUser(std::intptr_t owner, const char* text, const char* caption, unsigned style);
void SetNativeAnswer(int answer);

// The system beep.
void Beep(unsigned frequency, unsigned duration);

}  // namespace postroom::platform
