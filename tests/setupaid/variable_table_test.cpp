// The installer's variables as setupaid reads and writes them.
#include "variable_table.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <ostream>
#include <string>

#include "setup_table.h"

namespace {

const std::string kLongestName(setupaid::kMaxNameLength, 'N');
const std::string kTooLongName(setupaid::kMaxNameLength + 1, 'N');

struct GetCase {
  const char* what;
  std::string name;
  bool found;
  std::string value;
};

// Failures name the case rather than dump its bytes.
void PrintTo(const GetCase& c, std::ostream* out) { *out << c.what; }

class VariableTableTest : public ::testing::TestWithParam<GetCase> {};

TEST_P(VariableTableTest, GetFindsExactNamesOnly) {
  SetupTable table;
  ASSERT_TRUE(table.Add("INSTDIR", "C:\\Kovra"));
  ASSERT_TRUE(table.Add("instdir", "lower"));
  ASSERT_TRUE(table.Add("EMPTY", ""));
  ASSERT_TRUE(table.Add(kLongestName, "longest"));
  ASSERT_TRUE(table.Add(kTooLongName, "too long"));
  const GetCase& c = GetParam();
  std::string value = "left over";
  EXPECT_EQ(setupaid::GetVariable(table.Record(""), c.name.c_str(), value), c.found);
  EXPECT_EQ(value, c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Names, VariableTableTest,
    ::testing::Values(GetCase{"exact", "INSTDIR", true, "C:\\Kovra"},
                      GetCase{"other case is another variable", "instdir", true, "lower"},
                      GetCase{"mixed case is unknown", "InstDir", false, ""},
                      GetCase{"prefix is unknown", "INST", false, ""},
                      GetCase{"empty value", "EMPTY", true, ""},
                      GetCase{"missing", "NOSUCH", false, ""},
                      GetCase{"29 characters fit the key", kLongestName, true, "longest"},
                      // Stored by the installer, but its key would overflow
                      // our buffer: it must read as absent.
                      GetCase{"30 characters do not", kTooLongName, false, ""}),
    [](const ::testing::TestParamInfo<GetCase>& caseInfo) {
      std::string name = caseInfo.param.what;
      for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
      return name;
    });

TEST(SetVariable, OverwritesAnExistingSlot) {
  SetupTable table;
  ASSERT_TRUE(table.Add("A", "one"));
  ASSERT_TRUE(table.Add("B", "two"));
  EXPECT_TRUE(setupaid::SetVariable(table.Record(""), "A", "uno"));
  EXPECT_EQ(table.Count(), 2);
  EXPECT_EQ(table.NameAt(0), "%A%");
  EXPECT_EQ(table.ValueAt(0), "uno");
  EXPECT_EQ(table.ValueAt(1), "two");
}

TEST(SetVariable, AddsANewVariableAtTheEnd) {
  SetupTable table;
  ASSERT_TRUE(table.Add("A", "one"));
  EXPECT_TRUE(setupaid::SetVariable(table.Record(""), "NEW", "value"));
  EXPECT_EQ(table.Count(), 2);
  EXPECT_EQ(table.NameAt(1), "%NEW%");
  EXPECT_EQ(table.ValueAt(1), "value");
}

TEST(SetVariable, DoesNothingWhenTheTableIsFull) {
  SetupTable table(2);
  ASSERT_TRUE(table.Add("A", "one"));
  ASSERT_TRUE(table.Add("B", "two"));
  EXPECT_FALSE(setupaid::SetVariable(table.Record(""), "C", "three"));
  EXPECT_EQ(table.Count(), 2);
  EXPECT_TRUE(setupaid::SetVariable(table.Record(""), "B", "still settable"));
  EXPECT_EQ(table.ValueAt(1), "still settable");
}

TEST(SetVariable, NeverWritesANameThatDoesNotFitTheKey) {
  SetupTable table;
  ASSERT_TRUE(table.Add(kTooLongName, "old"));
  EXPECT_FALSE(setupaid::SetVariable(table.Record(""), kTooLongName.c_str(), "new"));
  EXPECT_FALSE(setupaid::SetVariable(table.Record(""), (kTooLongName + "XYZ").c_str(), "new"));
  EXPECT_EQ(table.Count(), 1);
  EXPECT_EQ(table.ValueAt(0), "old");
  EXPECT_TRUE(setupaid::SetVariable(table.Record(""), kLongestName.c_str(), "fits"));
  EXPECT_EQ(table.NameAt(1), "%" + kLongestName + "%");
}

TEST(SetVariable, CutsValuesToTheSlotWidth) {
  SetupTable table(4, 64, 8);
  EXPECT_TRUE(setupaid::SetVariable(table.Record(""), "V", "0123456789"));
  EXPECT_EQ(table.ValueAt(0), "0123456");
}

TEST(SetVariable, RefusesKeysWiderThanANameSlot) {
  SetupTable table(4, 6, 16);
  EXPECT_FALSE(setupaid::SetVariable(table.Record(""), "LONG", "x"));  // "%LONG%" needs 7 bytes
  EXPECT_TRUE(setupaid::SetVariable(table.Record(""), "ABC", "x"));
  EXPECT_EQ(table.Count(), 1);
  EXPECT_EQ(table.NameAt(0), "%ABC%");
}

TEST(GetVariable, StaysInsideAnUnterminatedSlot) {
  SetupTable table(4, 64, 8);
  ASSERT_TRUE(table.Add("V", ""));
  ASSERT_TRUE(table.Add("W", "next"));
  // The installer filled V's slot to the brim, without a terminator.
  SetupCallRecord& record = table.Record("");
  std::memcpy(record.values, "ABCDEFGH", 8);
  std::string value;
  EXPECT_TRUE(setupaid::GetVariable(record, "V", value));
  EXPECT_EQ(value, "ABCDEFGH");
}

TEST(GetVariable, IgnoresACountBeyondTheTable) {
  SetupTable table(2);
  ASSERT_TRUE(table.Add("A", "one"));
  SetupCallRecord& record = table.Record("");
  record.variableCount = 50;
  std::string value;
  EXPECT_TRUE(setupaid::GetVariable(record, "A", value));
  EXPECT_FALSE(setupaid::GetVariable(record, "Z", value));
  EXPECT_FALSE(setupaid::SetVariable(record, "Z", "new"));
}

}  // namespace
