// The installer's side of the call record: a variable table laid out the way
// the installer keeps it, ready to hand to a setupaid export.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "setupaid.h"

class SetupTable {
 public:
  explicit SetupTable(int slots = 16, int nameWidth = 64, int valueWidth = 1024)
      : slots_(slots), nameWidth_(nameWidth), valueWidth_(valueWidth),
        names_(static_cast<std::size_t>(slots) * static_cast<std::size_t>(nameWidth)),
        values_(static_cast<std::size_t>(slots) * static_cast<std::size_t>(valueWidth)) {
    record_.recordSize = static_cast<std::int32_t>(sizeof record_);
    record_.maxVariables = slots;
    record_.nameWidth = nameWidth;
    record_.valueWidth = valueWidth;
    record_.names = names_.data();
    record_.values = values_.data();
  }

  // Stores "%name%" and its value in the next slot, as the installer does
  // when its script declares a variable.  False when the table is full or
  // the texts do not fit their slots.
  bool Add(const std::string& name, const std::string& value) {
    const std::string key = "%" + name + "%";
    const int slot = record_.variableCount;
    if (slot >= slots_ || key.size() >= static_cast<std::size_t>(nameWidth_) ||
        value.size() >= static_cast<std::size_t>(valueWidth_))
      return false;
    std::memcpy(NameSlot(slot), key.c_str(), key.size() + 1);
    std::memcpy(ValueSlot(slot), value.c_str(), value.size() + 1);
    record_.variableCount = slot + 1;
    return true;
  }

  SetupCallRecord& Record(const char* parameter) {
    record_.parameter = parameter;
    return record_;
  }

  int Count() const { return record_.variableCount; }
  std::string NameAt(int slot) const { return SlotText(NameSlot(slot), nameWidth_); }
  std::string ValueAt(int slot) const { return SlotText(ValueSlot(slot), valueWidth_); }

  // Puts the value stored under "%name%" into `value`; false when absent.
  bool Find(const std::string& name, std::string& value) const {
    const std::string key = "%" + name + "%";
    for (int slot = 0; slot < record_.variableCount; ++slot) {
      if (NameAt(slot) == key) {
        value = ValueAt(slot);
        return true;
      }
    }
    return false;
  }

 private:
  char* NameSlot(int slot) { return names_.data() + static_cast<std::size_t>(slot) * static_cast<std::size_t>(nameWidth_); }
  char* ValueSlot(int slot) { return values_.data() + static_cast<std::size_t>(slot) * static_cast<std::size_t>(valueWidth_); }
  const char* NameSlot(int slot) const { return names_.data() + static_cast<std::size_t>(slot) * static_cast<std::size_t>(nameWidth_); }
  const char* ValueSlot(int slot) const { return values_.data() + static_cast<std::size_t>(slot) * static_cast<std::size_t>(valueWidth_); }
  static std::string SlotText(const char* slot, int width) {
    const void* end = std::memchr(slot, '\0', static_cast<std::size_t>(width));
    return std::string(slot, end != nullptr ? static_cast<const char*>(end) : slot + width);
  }

  int slots_;
  int nameWidth_;
  int valueWidth_;
  std::vector<char> names_;
  std::vector<char> values_;
  SetupCallRecord record_{};
};
