// Free functions over single header values, shared by the message record and
// the mailbox: the address splitter, the date parser and the priority.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace postroom {

struct SplitAddressResult {
    std::optional<std::string> name;     // raw, not decoded
    std::optional<std::string> address;  // raw; never taken from a decoded word
};

// Splits an address header value into name and address.  Quoted strings are
// skipped when looking for "<" and "(", so a name holding them splits right.
SplitAddressResult SplitAddress(std::string_view value);

// Parses a Date header value into seconds since 1970 in UTC (the written time
// minus its zone offset).  nullopt when the text is no date this parser knows
// or the time lies outside 1970..2038 (the stored value is 32 bits).
std::optional<std::int32_t> ParseDate(std::string_view value);

// The priority of an X-Priority value: 1 highest .. 5 lowest, or -1 when the
// value names none.
int PriorityOf(std::string_view value);

}  // namespace postroom
