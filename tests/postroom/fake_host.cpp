#include "fake_host.h"

#include <cstring>

namespace postroom::testing {

namespace {

FakeHost* g_current = nullptr;

bool SameNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

int Base64Value(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

// One encoded word's payload; false when it is malformed.
bool DecodeWord(std::string_view charset, char encoding, std::string_view text, std::string& out)
{
    if (!SameNoCase(charset, "us-ascii") && !SameNoCase(charset, "iso-8859-1") &&
        !SameNoCase(charset, "utf-8"))
        return false;
    if (encoding == 'Q' || encoding == 'q') {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '_') {
                out += ' ';
            } else if (text[i] == '=') {
                if (i + 2 >= text.size())
                    return false;
                const int hi = HexValue(text[i + 1]), lo = HexValue(text[i + 2]);
                if (hi < 0 || lo < 0)
                    return false;
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
            } else {
                out += text[i];
            }
        }
        return true;
    }
    if (encoding == 'B' || encoding == 'b') {
        unsigned acc = 0;
        int bits = 0;
        for (char c : text) {
            if (c == '=')
                break;
            const int v = Base64Value(c);
            if (v < 0)
                return false;
            acc = (acc << 6) | static_cast<unsigned>(v);
            bits += 6;
            if (bits >= 8) {
                bits -= 8;
                out += static_cast<char>((acc >> bits) & 0xFF);
            }
        }
        return true;
    }
    return false;
}

}  // namespace

std::string DecodeEncodedWords(std::string_view raw)
{
    std::string out;
    std::size_t i = 0;
    bool lastWasWord = false;
    std::size_t pendingBlanks = 0;
    while (i < raw.size()) {
        if (raw.compare(i, 2, "=?") == 0) {
            const std::size_t q1 = raw.find('?', i + 2);
            const std::size_t q2 = q1 == std::string_view::npos ? q1 : raw.find('?', q1 + 1);
            const std::size_t end = q2 == std::string_view::npos ? q2 : raw.find("?=", q2 + 1);
            if (end != std::string_view::npos && q2 == q1 + 2) {
                std::string decoded;
                if (DecodeWord(raw.substr(i + 2, q1 - i - 2), raw[q1 + 1], raw.substr(q2 + 1, end - q2 - 1),
                               decoded)) {
                    // Blanks between two encoded words are dropped.
                    if (!lastWasWord)
                        out.append(pendingBlanks, ' ');
                    pendingBlanks = 0;
                    out += decoded;
                    lastWasWord = true;
                    i = end + 2;
                    continue;
                }
            }
        }
        if (raw[i] == ' ' || raw[i] == '\t') {
            ++pendingBlanks;
            ++i;
            continue;
        }
        out.append(pendingBlanks, ' ');
        pendingBlanks = 0;
        out += raw[i++];
        lastWasWord = false;
    }
    out.append(pendingBlanks, ' ');
    return out;
}

FakeHost::FakeHost() : previous_(host::Callback())
{
    g_current = this;
    host::SetCallback(&FakeHost::Callback);
}

FakeHost::~FakeHost()
{
    g_current = nullptr;
    host::SetCallback(previous_);
}

std::vector<std::uint32_t> FakeHost::Codes() const
{
    std::vector<std::uint32_t> codes;
    for (const HostCall& c : calls)
        codes.push_back(c.code);
    return codes;
}

std::int32_t POSTROOM_STDCALL FakeHost::Callback(std::uint32_t code, HostArg p, HostArg q, HostArg b,
                                                 HostArg c)
{
    FakeHost* self = g_current;
    if (!self)
        return -1;
    const HostCall call {code, p, q, b, c};
    self->calls.push_back(call);
    std::int32_t result = 0;
    if (self->answer && self->answer(call, &result))
        return result;
    if (code == HC_DECODE_HEADER) {
        char* buffer = reinterpret_cast<char*>(p);
        const std::string decoded = DecodeEncodedWords(reinterpret_cast<const char*>(q));
        const std::size_t size = static_cast<std::size_t>(b);
        const std::size_t n = decoded.size() < size ? decoded.size() : size - 1;
        std::memcpy(buffer, decoded.data(), n);
        buffer[n] = '\0';
        return 0;
    }
    return -1;
}

}  // namespace postroom::testing
