// AddFilenameToToolbarHistory: the history file is a count line and then
// one entry a line, newest first, at most 100 entries, CR LF line ends.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

using setupaid_test::ReadBytes;
using setupaid_test::WriteBytes;

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// "count" followed by entries first .. first+count-1, named "entry N".
std::vector<std::string> History(int count, int first = 1) {
  std::vector<std::string> lines{std::to_string(count)};
  for (int i = first; i < first + count; ++i) lines.push_back("entry " + std::to_string(i));
  return lines;
}

struct HistoryCase {
  const char* what;
  std::string before;  // file contents, or "<missing>" for no file
  std::string after;
};

// Failures name the case rather than dump its bytes.
void PrintTo(const HistoryCase& c, std::ostream* out) { *out << c.what; }

const std::string kMissing = "<missing>";

std::vector<HistoryCase> Cases() {
  std::vector<std::string> cap = History(99);
  cap.insert(cap.begin() + 1, "new.htm");
  cap[0] = "100";
  std::vector<std::string> fullAfter = History(99);
  fullAfter.insert(fullAfter.begin() + 1, "new.htm");
  fullAfter[0] = "100";
  const std::string longEntry(1500, 'x');
  return {
      {"missing file", kMissing, Lines({"1", "new.htm"})},
      // The old entry used to be dropped here.
      {"one entry", Lines({"1", "old.htm"}), Lines({"2", "new.htm", "old.htm"})},
      {"small file keeps its order", Lines({"3", "c.htm", "b.htm", "a.htm"}),
       Lines({"4", "new.htm", "c.htm", "b.htm", "a.htm"})},
      {"99 entries grow to 100", Lines(History(99)), Lines(cap)},
      {"at the cap the oldest goes", Lines(History(100)), Lines(fullAfter)},
      {"far beyond the cap", Lines(History(150)), Lines(fullAfter)},
      {"a repeated entry stays", Lines({"1", "new.htm"}), Lines({"2", "new.htm", "new.htm"})},
      {"blank lines and spaces go", "\r\n2\r\n\r\n   \t\r\n  b.htm  \r\n\r\n\ta.htm\r\n\r\n",
       Lines({"3", "new.htm", "b.htm", "a.htm"})},
      {"bare line feeds", "2\nb.htm\na.htm", Lines({"3", "new.htm", "b.htm", "a.htm"})},
      // An over-long line keeps its first 1023 characters; the rest of it
      // is not mistaken for another entry.
      {"over-long line", Lines({"2", longEntry, "a.htm"}),
       Lines({"3", "new.htm", longEntry.substr(0, 1023), "a.htm"})},
      {"empty file", "", Lines({"1", "new.htm"})},
  };
}

class ToolbarHistoryTest : public ::testing::TestWithParam<HistoryCase> {
 protected:
  setupaid_test::SetupAidLibrary library_;
  setupaid_test::ScratchFolder folder_;
};

TEST_P(ToolbarHistoryTest, PutsTheNewEntryFirst) {
  ASSERT_TRUE(library_.Loaded());
  const HistoryCase& c = GetParam();
  const std::string path = folder_.File("history.txt");
  if (c.before != kMissing) WriteBytes(path, c.before);
  SetupTable table;
  const std::string parameter = path + ";new.htm";
  EXPECT_EQ(library_.Call("AddFilenameToToolbarHistory", table, parameter.c_str()), 1);
  EXPECT_EQ(ReadBytes(path), c.after);
  EXPECT_EQ(table.Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Files, ToolbarHistoryTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<HistoryCase>& caseInfo) {
                           std::string name = caseInfo.param.what;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

TEST(ToolbarHistory, RejectsParametersWithoutPathAndEntry) {
  setupaid_test::SetupAidLibrary library;
  ASSERT_TRUE(library.Loaded());
  setupaid_test::ScratchFolder folder;
  const std::string path = folder.File("history.txt");
  SetupTable table;
  for (const std::string& parameter : {path, path + ";", std::string(";entry"), std::string("")}) {
    EXPECT_EQ(library.Call("AddFilenameToToolbarHistory", table, parameter.c_str()), 0)
        << parameter;
  }
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(library.Find("AddFilenameToToolbarHistory")(nullptr), 0);
}

TEST(ToolbarHistory, SplitsAtTheFirstSemicolon) {
  setupaid_test::SetupAidLibrary library;
  ASSERT_TRUE(library.Loaded());
  setupaid_test::ScratchFolder folder;
  const std::string path = folder.File("history.txt");
  SetupTable table;
  const std::string parameter = path + ";a;b.htm";
  EXPECT_EQ(library.Call("AddFilenameToToolbarHistory", table, parameter.c_str()), 1);
  EXPECT_EQ(ReadBytes(path), Lines({"1", "a;b.htm"}));
}

TEST(ToolbarHistory, ReportsAFileThatCannotBeWritten) {
  setupaid_test::SetupAidLibrary library;
  ASSERT_TRUE(library.Loaded());
  setupaid_test::ScratchFolder folder;
  // A folder where the file should be: it can be neither read nor written.
  const std::string parameter = folder.Path().string() + ";new.htm";
  SetupTable table;
  EXPECT_EQ(library.Call("AddFilenameToToolbarHistory", table, parameter.c_str()), 0);
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path()));
}

}  // namespace
