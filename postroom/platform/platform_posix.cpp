// POSIX side of the platform layer, used by the native builds and tests.
#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace postroom::platform {

char PathSeparator()
{
    return '/';
}

bool ReadWholeFile(const char* path, std::string& out)
{
    out.clear();
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = true;
    try {
        char block[65536];
        for (;;) {
            const ssize_t got = ::read(fd, block, sizeof block);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                ok = false;
                break;
            }
            if (got == 0)
                break;
            out.append(block, static_cast<std::size_t>(got));
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    ::close(fd);
    if (!ok)
        std::string().swap(out);
    return ok;
}

static bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t put = ::write(fd, data.data(), data.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

bool ReplaceFile(const char* path, std::string_view data)
{
    std::string temp;
    try {
        temp = std::string(path) + ".tmp";
    } catch (const std::bad_alloc&) {
        return false;
    }
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, data) && ::fsync(fd) == 0;
    if (::close(fd) != 0)
        ok = false;
    if (ok && ::rename(temp.c_str(), path) != 0)
        ok = false;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

bool IsDirectory(const char* path)
{
    struct stat st {};
    return ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const char* path)
{
    struct stat st {};
    return ::stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

bool MakeDirectory(const char* path)
{
    if (::mkdir(path, 0755) == 0)
        return true;
    return errno == EEXIST && IsDirectory(path);
}

bool RemoveFile(const char* path)
{
    return ::unlink(path) == 0;
}

std::int64_t NowSeconds()
{
    return static_cast<std::int64_t>(::time(nullptr));
}

std::uint32_t TickMilliseconds()
{
    timespec ts {};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint32_t>(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

bool LocalDateTimeText(std::int64_t utcSeconds, std::string& out)
{
    const time_t t = static_cast<time_t>(utcSeconds);
    tm local {};
    if (!::localtime_r(&t, &local))
        return false;
    // The C library has no locale date format that is safe for years; this
    // is the format the module falls back on anyway.
    char text[128];
    const std::size_t n = std::strftime(text, sizeof text, "%d-%b-%Y %H:%M", &local);
    if (n == 0)
        return false;
    try {
        out.assign(text, n);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

std::uint32_t RegisterMessageName(const char* name)
{
    // Numbered from 0xC000 as Windows numbers them, one number per name.
    static std::vector<std::string>* names = nullptr;
    try {
        if (!names)
            names = new std::vector<std::string>;
        for (std::size_t i = 0; i < names->size(); ++i)
            if ((*names)[i] == name)
                return static_cast<std::uint32_t>(0xC000 + i);
        names->emplace_back(name);
        return static_cast<std::uint32_t>(0xC000 + names->size() - 1);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

namespace {

struct NativeTimer {
    std::uintptr_t id;
    TimerProc proc;
    void* context;
};

std::vector<NativeTimer>* g_timers = nullptr;
std::uintptr_t g_nextTimer = 1;
int g_nativeAnswer = ANSWER_OK;

}  // namespace

std::uintptr_t StartTimer(std::uint32_t, TimerProc proc, void* context)
{
    try {
        if (!g_timers)
            g_timers = new std::vector<NativeTimer>;
        g_timers->push_back(NativeTimer {g_nextTimer, proc, context});
        return g_nextTimer++;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

void StopTimer(std::uintptr_t id)
{
    if (!g_timers)
        return;
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
    if (!g_timers)
        return;
    // A procedure may stop timers: take the list as it is now and check
    // each one again before it runs.
    const std::vector<NativeTimer> now = *g_timers;
    for (const NativeTimer& t : now) {
        bool still = false;
        if (g_timers)
            for (const NativeTimer& u : *g_timers)
                still = still || u.id == t.id;
        if (still)
            t.proc(t.context);
    }
}

int AskUser(std::intptr_t, const char*, const char*, unsigned)
{
    return g_nativeAnswer;
}

void SetNativeAnswer(int answer)
{
    g_nativeAnswer = answer;
}

void Beep(unsigned, unsigned)
{
    // No sound device in the native builds.
}

}  // namespace postroom::platform
