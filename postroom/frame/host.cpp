#include "frame/host.h"

#include <cstring>
#include <new>
#include <vector>

namespace postroom::host {

namespace {
HostCallback g_callback = nullptr;
}

void SetCallback(HostCallback cb)
{
    g_callback = cb;
}

HostCallback Callback()
{
    return g_callback;
}

std::int32_t Call(std::uint32_t code, HostArg p, HostArg q, HostArg b, HostArg c)
{
    if (!g_callback)
        return -1;
    return g_callback(code & 0xFFFFu, p, q, b, c);
}

void TerminateWithin(char* buffer, std::size_t size)
{
    if (buffer && size > 0)
        buffer[size - 1] = '\0';
}

bool DecodeWords(std::string_view text, std::string& out)
{
    try {
        if (!g_callback || text.find("=?") == std::string_view::npos) {
            out.assign(text);
        } else {
            // The decoded text is never longer than the raw one, bar the slack
            // the host is promised.  The buffer starts zeroed, so the last
            // non-zero byte marks the end of what the host wrote, even when a
            // decoded word held a NUL.
            const std::string raw(text);
            const std::size_t size = raw.size() + 20;
            std::vector<char> buffer(size, '\0');
            const std::int32_t r = Call(HC_DECODE_HEADER, Arg(buffer.data()), Arg(raw.c_str()),
                                        static_cast<HostArg>(size), 1);
            (void)r;
            TerminateWithin(buffer.data(), size);
            std::size_t end = size - 1;
            while (end > 0 && buffer[end - 1] == '\0')
                --end;
            out.assign(buffer.data(), end);
        }
        for (char& ch : out)
            if (ch == '\r' || ch == '\n' || ch == '\0')
                ch = ' ';
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace postroom::host
