// Messages held in memory, read the way a mailbox serves them.  The step
// size lets a test feed the reader a few bytes at a time.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "messages/message_source.h"

namespace postroom::testing {

class MemorySource : public MessageSource {
public:
    std::vector<std::string> messages;
    std::vector<std::uint32_t> flags;
    std::int32_t maxStep = 1 << 30;
    int reads = 0;

    int Add(std::string text, std::uint32_t f = MF_UNREAD)
    {
        messages.push_back(std::move(text));
        flags.push_back(f);
        return static_cast<int>(messages.size()) - 1;
    }

    int GetFlags(int index, std::uint32_t* out) override
    {
        if (!Valid(index))
            return 1;
        *out = flags[static_cast<std::size_t>(index)];
        return 0;
    }
    int ClearFlags(int index, std::uint32_t bits) override
    {
        if (!Valid(index))
            return 1;
        flags[static_cast<std::size_t>(index)] &= ~bits;
        return 0;
    }
    int GetMessageSize(int index, std::int32_t* size) override
    {
        if (!Valid(index))
            return 32;
        *size = static_cast<std::int32_t>(messages[static_cast<std::size_t>(index)].size());
        return 0;
    }
    int ReadMessage(int index, std::int32_t offset, char* buffer, std::int32_t length,
                    std::int32_t* got) override
    {
        ++reads;
        *got = 0;
        if (!Valid(index))
            return 1;
        const std::string& m = messages[static_cast<std::size_t>(index)];
        if (offset < 0 || static_cast<std::size_t>(offset) >= m.size())
            return 1;
        std::size_t n = m.size() - static_cast<std::size_t>(offset);
        if (n > static_cast<std::size_t>(length))
            n = static_cast<std::size_t>(length);
        if (n > static_cast<std::size_t>(maxStep))
            n = static_cast<std::size_t>(maxStep);
        std::memcpy(buffer, m.data() + offset, n);
        *got = static_cast<std::int32_t>(n);
        return 0;
    }

private:
    bool Valid(int index) const { return index >= 0 && static_cast<std::size_t>(index) < messages.size(); }
};

}  // namespace postroom::testing
