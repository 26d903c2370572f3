// The part of a mailbox that a message record reads through.  The mailbox
// implements it; the tests use messages held in memory.
#pragma once

#include <cstdint>

namespace postroom {

// Message flags as the mailbox index keeps them.
enum MessageFlag : std::uint32_t {
    MF_UNREAD = 0x0001,
};

class MessageSource {
public:
    virtual ~MessageSource() = default;
    // 0 on success, a small positive code otherwise.
    virtual int GetFlags(int index, std::uint32_t* flags) = 0;
    virtual int ClearFlags(int index, std::uint32_t flags) = 0;
    virtual int GetMessageSize(int index, std::int32_t* size) = 0;
    // Reads up to length bytes of message index from offset; *got receives
    // the count (0 at the end of the message).
    virtual int ReadMessage(int index, std::int32_t offset, char* buffer, std::int32_t length,
                            std::int32_t* got) = 0;
};

}  // namespace postroom
