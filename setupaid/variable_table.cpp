#include "variable_table.h"

#include <algorithm>
#include <cstring>

namespace setupaid {
namespace {

// Builds "%name%" into key; false when the name does not fit the buffer.
bool BuildKey(const char* name, char (&key)[kKeyBufferSize]) {
  if (name == nullptr) return false;
  const std::size_t length = std::strlen(name);
  if (length > static_cast<std::size_t>(kMaxNameLength)) return false;
  key[0] = '%';
  std::memcpy(key + 1, name, length);
  key[length + 1] = '%';
  key[length + 2] = '\0';
  return true;
}

bool TableUsable(const SetupCallRecord& record) {
  return record.names != nullptr && record.values != nullptr &&
         record.nameWidth > 0 && record.valueWidth > 0 && record.maxVariables >= 0;
}

// Slots in use, never more than the table holds, whatever the record says.
int SlotsInUse(const SetupCallRecord& record) {
  return std::clamp(record.variableCount, 0, record.maxVariables);
}

char* NameSlot(const SetupCallRecord& record, int slot) {
  return record.names + static_cast<std::size_t>(slot) * static_cast<std::size_t>(record.nameWidth);
}

char* ValueSlot(const SetupCallRecord& record, int slot) {
  return record.values + static_cast<std::size_t>(slot) * static_cast<std::size_t>(record.valueWidth);
}

// A slot's text may fill its whole width without a terminator; never read
// past the slot.
std::size_t SlotTextLength(const char* slot, int width) {
  const void* end = std::memchr(slot, '\0', static_cast<std::size_t>(width));
  return end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - slot)
                        : static_cast<std::size_t>(width);
}

int FindSlot(const SetupCallRecord& record, const char* key) {
  const std::size_t keyLength = std::strlen(key);
  const int count = SlotsInUse(record);
  for (int slot = 0; slot < count; ++slot) {
    const char* slotName = NameSlot(record, slot);
    if (SlotTextLength(slotName, record.nameWidth) == keyLength &&
        std::memcmp(slotName, key, keyLength) == 0)
      return slot;
  }
  return -1;
}

void WriteSlot(char* slot, int width, const char* text) {
  const std::size_t length =
      std::min(std::strlen(text), static_cast<std::size_t>(width) - 1);
  std::memcpy(slot, text, length);
  slot[length] = '\0';
}

}  // namespace

bool GetVariable(const SetupCallRecord& record, const char* name, std::string& value) {
  value.clear();
  char key[kKeyBufferSize];
  if (!TableUsable(record) || !BuildKey(name, key)) return false;
  const int slot = FindSlot(record, key);
  if (slot < 0) return false;
  const char* text = ValueSlot(record, slot);
  value.assign(text, SlotTextLength(text, record.valueWidth));
  return true;
}

bool SetVariable(SetupCallRecord& record, const char* name, const char* value) {
  char key[kKeyBufferSize];
  if (value == nullptr || !TableUsable(record) || !BuildKey(name, key)) return false;
  int slot = FindSlot(record, key);
  if (slot < 0) {
    // A key wider than a name slot could never be found again.
    if (std::strlen(key) >= static_cast<std::size_t>(record.nameWidth)) return false;
    slot = SlotsInUse(record);
    if (slot >= record.maxVariables) return false;
    WriteSlot(NameSlot(record, slot), record.nameWidth, key);
    record.variableCount = slot + 1;
  }
  WriteSlot(ValueSlot(record, slot), record.valueWidth, value);
  return true;
}

}  // namespace setupaid
