// A host for the tests: it records every callback and answers the ones the
// tests need.  Callback 36 decodes RFC 2047 words in us-ascii, iso-8859-1 and
// utf-8 (bytes are passed on unchanged); words in other charsets stay as they
// are.  Installing one makes it the module's host until it is destroyed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "frame/host.h"

namespace postroom::testing {

struct HostCall {
    std::uint32_t code;
    HostArg p, q, b, c;
};

// Decodes the encoded words of raw as callback 36 would.
std::string DecodeEncodedWords(std::string_view raw);

class FakeHost {
public:
    FakeHost();
    ~FakeHost();
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    std::vector<HostCall> calls;
    std::vector<std::uint32_t> Codes() const;

    // Called for every code; when it returns true its result is taken.
    std::function<bool(const HostCall&, std::int32_t*)> answer;

    static std::int32_t POSTROOM_STDCALL Callback(std::uint32_t code, HostArg p, HostArg q, HostArg b,
                                                  HostArg c);

private:
    HostCallback previous_;
};

}  // namespace postroom::testing
