// Any bytes as a stored message, read in steps chosen by the first byte: the
// parse ends with defined values, no stored text holds a line break, and the
// body starts inside the message.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fake_host.h"
#include "memory_source.h"
#include "messages/header_fields.h"
#include "messages/message_record.h"

namespace {

void CheckText(const char* t)
{
    if (t && (std::strchr(t, '\r') || std::strchr(t, '\n')))
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static postroom::testing::FakeHost* host = new postroom::testing::FakeHost;
    host->calls.clear();
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::int32_t step = 1 + data[0] % 64;
    const std::string_view message = all.substr(1);

    postroom::ParseDate(message);
    postroom::SplitAddress(message);
    postroom::PriorityOf(message);

    postroom::testing::MemorySource box;
    box.maxStep = data[0] & 0x80 ? step : 1 << 30;
    const int index = box.Add(std::string(message));
    postroom::MessageRecord record(nullptr, &box, index);
    if (record.BodyStart() < 0 || record.BodyStart() > record.Size())
        __builtin_trap();
    for (const char* t : {record.Subject(), record.FromName(), record.FromAddress(), record.ToName(),
                          record.ToAddress(), record.Cc(), record.Bcc(), record.ReplyTo(),
                          record.Organization(), record.ContentType(), record.DateText()})
        CheckText(t);
    const int p = record.Priority();
    if (p != -1 && (p < 1 || p > 5))
        __builtin_trap();
    CheckText(record.InfoBlock());
    return 0;
}
