#include <cstdarg>
#include <cstring>

#include "frame/connection.h"
#include "kovra_host.h"

namespace kovra {

Host* g_host = nullptr;

void Host::Log(const char* format, ...)
{
    if (!log)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(log, format, args);
    va_end(args);
    std::fputc('\n', log);
    std::fflush(log);
}

namespace {

// The words the module gives the host room for; kept for the host's use.
std::uint32_t* g_hostArea = nullptr;

void CopyBounded(char* out, std::size_t size, const char* text)
{
    if (!out || size == 0)
        return;
    std::size_t n = std::strlen(text);
    if (n >= size)
        n = size - 1;
    std::memcpy(out, text, n);
    out[n] = '\0';
}

}  // namespace

std::int32_t POSTROOM_STDCALL HostCallback(std::uint32_t code, postroom::HostArg p, postroom::HostArg q,
                                           postroom::HostArg b, postroom::HostArg c)
{
    Host* h = g_host;
    if (!h)
        return -1;
    switch (code) {
    case postroom::HC_STARTUP_DIRECTORY:
        h->Log("callback 12");
        return 0;
    case postroom::HC_HOST_AREA:
        h->Log("callback 18");
        g_hostArea = reinterpret_cast<std::uint32_t*>(p);
        if (g_hostArea)
            g_hostArea[0] = 0x4B4F5652;  // the host's mark
        return 0;
    case postroom::HC_DECODE_HEADER:
        // No charset conversion here: the raw text stands.
        CopyBounded(reinterpret_cast<char*>(p), static_cast<std::size_t>(b), reinterpret_cast<const char*>(q));
        return 0;
    case postroom::HC_CREATE_CONNECTION: {
        auto* request = reinterpret_cast<postroom::ConnectionRequest*>(p);
        h->Log("callback 39 %s %d", q ? reinterpret_cast<const char*>(q) : "(null)", static_cast<int>(b));
        if (request)
            request->connection = CreateConnection(reinterpret_cast<const char*>(q), static_cast<int>(b),
                                                   reinterpret_cast<postroom::HostConnection*>(c));
        return 0;
    }
    case postroom::HC_RELEASE_CONNECTION:
        h->Log("callback 40");
        ReleaseConnection(reinterpret_cast<postroom::HostConnection*>(p));
        return 0;
    case postroom::HC_POST_EVENT:
        // Never from inside this call: through the message loop.
        h->Log("callback 41");
        ++h->pendingEvents;
        PostMessageA(h->frame, WM_KOVRA_DELIVER, 0, static_cast<LPARAM>(p));
        return 0;
    case postroom::HC_POST_EVENT_DELAYED: {
        h->Log("callback 42 %d", static_cast<int>(q));
        ++h->pendingEvents;
        const UINT_PTR id = h->nextTimer++;
        h->delayed[id] = reinterpret_cast<void*>(p);
        SetTimer(h->frame, id, static_cast<UINT>(q), nullptr);
        return 0;
    }
    case postroom::HC_LOCALISED_TEXT:
        // The host has no texts of its own: the module's table answers.
        return 1;
    case postroom::HC_SHOW_MESSAGE:
        h->Log("callback 78 %s", p ? reinterpret_cast<const char*>(p) : "");
        return 0;
    case postroom::HC_MAIL_DIRECTORY:
        h->Log("callback 84");
        if (p)
            *reinterpret_cast<const char**>(p) = h->options.mailDir.empty() ? nullptr : h->options.mailDir.c_str();
        return 0;
    case postroom::HC_SHUTTING_DOWN:
        h->Log("callback 85 %s", p ? reinterpret_cast<const char*>(p) : "(null)");
        return 0;
    case postroom::HC_DEFAULT_ACCOUNT:
        h->Log("callback 86");
        if (p)
            *reinterpret_cast<const char**>(p) = h->options.account.empty() ? nullptr : h->options.account.c_str();
        return 0;
    default:
        h->Log("callback %u", static_cast<unsigned>(code));
        return 0;
    }
}

}  // namespace kovra
