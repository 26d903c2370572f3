// Win32 side of the platform layer, linked into postroom.dll.
#include "platform/platform.h"

#include <new>
#include <vector>
#include <windows.h>

// windows.h names one of its functions ReplaceFile, through a macro.
#undef ReplaceFile

namespace postroom::platform {

char PathSeparator()
{
    return '\\';
}

bool ReadWholeFile(const char* path, std::string& out)
{
    out.clear();
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    try {
        char block[65536];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(h, block, sizeof block, &got, nullptr)) {
                ok = false;
                break;
            }
            if (got == 0)
                break;
            out.append(block, got);
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    CloseHandle(h);
    if (!ok)
        std::string().swap(out);
    return ok;
}

bool ReplaceFile(const char* path, std::string_view data)
{
    std::string temp;
    try {
        temp = std::string(path) + ".tmp";
    } catch (const std::bad_alloc&) {
        return false;
    }
    HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    while (ok && !data.empty()) {
        const DWORD chunk = data.size() > 0x10000000u ? 0x10000000u : static_cast<DWORD>(data.size());
        DWORD put = 0;
        if (!WriteFile(h, data.data(), chunk, &put, nullptr) || put == 0)
            ok = false;
        else
            data.remove_prefix(put);
    }
    if (ok && !FlushFileBuffers(h))
        ok = false;
    if (!CloseHandle(h))
        ok = false;
    if (ok && !MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ok = false;
    if (!ok)
        DeleteFileA(temp.c_str());
    return ok;
}

bool IsDirectory(const char* path)
{
    const DWORD a = GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const char* path)
{
    const DWORD a = GetFileAttributesA(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeDirectory(const char* path)
{
    if (CreateDirectoryA(path, nullptr))
        return true;
    return GetLastError() == ERROR_ALREADY_EXISTS && IsDirectory(path);
}

bool RemoveFile(const char* path)
{
    return DeleteFileA(path) != 0;
}

// FILETIME counts 100 ns steps from 1601; this many seconds lie before 1970.
static const std::int64_t kEpochDifference = 11644473600LL;

std::int64_t NowSeconds()
{
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const std::int64_t ticks = (static_cast<std::int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return ticks / 10000000 - kEpochDifference;
}

std::uint32_t TickMilliseconds()
{
    return GetTickCount();
}

bool LocalDateTimeText(std::int64_t utcSeconds, std::string& out)
{
    if (utcSeconds < 0)
        return false;
    const std::uint64_t ticks = static_cast<std::uint64_t>(utcSeconds + kEpochDifference) * 10000000ULL;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(ticks);
    ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    SYSTEMTIME utc, local;
    if (!FileTimeToSystemTime(&ft, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return false;
    char date[64], time[64];
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, sizeof date))
        return false;
    if (!GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, time, sizeof time))
        return false;
    try {
        out.assign(date);
        out.push_back(' ');
        out.append(time);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

std::uint32_t RegisterMessageName(const char* name)
{
    return RegisterWindowMessageA(name);
}

namespace {

struct Win32Timer {
    UINT_PTR id;
    TimerProc proc;
    void* context;
};

std::vector<Win32Timer>* g_timers = nullptr;

void CALLBACK TimerThunk(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!g_timers)
        return;
    for (const Win32Timer& t : *g_timers) {
        if (t.id == id) {
            const Win32Timer copy = t;
            copy.proc(copy.context);
            return;
        }
    }
}

}  // namespace

std::uintptr_t StartTimer(std::uint32_t intervalMs, TimerProc proc, void* context)
{
    try {
        if (!g_timers)
            g_timers = new std::vector<Win32Timer>;
        g_timers->reserve(g_timers->size() + 1);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    const UINT_PTR id = SetTimer(nullptr, 0, intervalMs, TimerThunk);
    if (!id)
        return 0;
    g_timers->push_back(Win32Timer {id, proc, context});
    return id;
}

void StopTimer(std::uintptr_t id)
{
    if (!g_timers || !id)
        return;
    KillTimer(nullptr, id);
    for (auto it = g_timers->begin(); it != g_timers->end(); ++it) {
        if (it->id == id) {
            g_timers->erase(it);
            break;
        }
    }
    if (g_timers->empty()) {
        delete g_timers;
        g_timers = nullptr;
    }
}

void FireAllTimers()
{
    // The message loop fires them on Windows.
}

int AskUser(std::intptr_t owner, const char* text, const char* caption, unsigned style)
{
    return MessageBoxA(reinterpret_cast<HWND>(owner), text, caption, style);
}

void SetNativeAnswer(int)
{
}

void Beep(unsigned frequency, unsigned duration)
{
    ::Beep(frequency, duration);
}

}  // namespace postroom::platform
