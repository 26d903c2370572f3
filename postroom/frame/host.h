// The boundary to the browser host: the callback function it hands over at
// start-up and typed wrappers for the calls the portable code makes.  The
// callback takes five pointer-sized arguments (32-bit in the shipped DLL) and
// uses the standard-call convention on 32-bit Windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#if defined(_WIN32) && defined(__i386__)
#define POSTROOM_STDCALL __attribute__((stdcall))
#else
#define POSTROOM_STDCALL
#endif

namespace postroom {

using HostArg = std::intptr_t;
using HostCallback = std::int32_t(POSTROOM_STDCALL*)(std::uint32_t code, HostArg p, HostArg q,
                                                     HostArg b, HostArg c);

// Host callback codes the module uses.
enum HostCode : std::uint32_t {
    HC_STARTUP_DIRECTORY = 12,
    HC_HOST_AREA = 18,
    HC_DECODE_HEADER = 36,
    HC_CREATE_CONNECTION = 39,
    HC_RELEASE_CONNECTION = 40,
    HC_POST_EVENT = 41,
    HC_POST_EVENT_DELAYED = 42,
    HC_ADDRESS_BOOK = 46,
    HC_WINDOW_OPENED = 48,
    HC_MAILER_NAME = 51,
    HC_LOCALISED_TEXT = 57,
    HC_RELEASE_MEMORY = 59,
    HC_SHOW_MESSAGE = 78,
    HC_MAIL_DIRECTORY = 84,
    HC_SHUTTING_DOWN = 85,
    HC_DEFAULT_ACCOUNT = 86,
};

namespace host {

// Installed by the start-up command; never cleared while the library lives.
void SetCallback(HostCallback cb);
HostCallback Callback();

// Calls the host; -1 when there is no callback.  The code goes as a 16-bit
// value widened with zeros, unused arguments as 0.
std::int32_t Call(std::uint32_t code, HostArg p = 0, HostArg q = 0, HostArg b = 0, HostArg c = 0);

template <class T>
HostArg Arg(T* p)
{
    return reinterpret_cast<HostArg>(p);
}

// Decodes the RFC 2047 words of text through the host into out.  Without a
// host the text stays as it is.  A decoded CR, LF or NUL becomes a blank, so
// that no decoded text can start a new header line.
bool DecodeWords(std::string_view text, std::string& out);

// A text the host writes into a buffer of ours is cut within the buffer.
void TerminateWithin(char* buffer, std::size_t size);

}  // namespace host
}  // namespace postroom
