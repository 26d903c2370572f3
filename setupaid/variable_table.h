// Access to the installer's variables through its call record.
#pragma once

#include <string>

#include "setupaid.h"

namespace setupaid {

// The installer stores a variable as "%" + name + "%" and we build that key
// in a buffer of this size, so a bare name has at most 29 characters.  A
// longer name cannot be a variable of ours: it is never found and never
// written.
inline constexpr int kKeyBufferSize = 32;
inline constexpr int kMaxNameLength = kKeyBufferSize - 3;

// Puts the value of variable `name` into `value` and returns true, or makes
// `value` empty and returns false when there is no such variable.
[[nodiscard]] bool GetVariable(const SetupCallRecord& record, const char* name,
                               std::string& value);

// Overwrites the variable's value, or adds the variable in the next free
// slot.  Returns false (and changes nothing) when the name is unusable or
// the table is full.  Values longer than a value slot are cut to fit.
bool SetVariable(SetupCallRecord& record, const char* name, const char* value);

}  // namespace setupaid
