// ChangeBackslashToSlashgrantCodeBase on policy files: only "grant codeBase"
// lines get forward slashes; everything else stays byte for byte.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <ostream>
#include <string>

#include "test_support.h"

namespace {

using setupaid_test::ReadBytes;
using setupaid_test::WriteBytes;

const std::string kGrant = "    grant codeBase \"file:/C:\\Program Files\\Kovra\\java\\-\" {";
const std::string kGrantConverted = "    grant codeBase \"file:/C:/Program Files/Kovra/java/-\" {";

// A grant line of exactly `length` characters, made long by its path.
std::string LongGrant(std::size_t length, char separator) {
  std::string line = "grant codeBase \"file:/C:";
  while (line.size() + 2 < length) line += separator == '\\' ? "\\d" : "/d";
  line.resize(length - 1, 'x');
  return line + "\"";
}

struct PolicyCase {
  const char* what;
  std::string before;
  std::string after;
};

// Failures name the case rather than dump its bytes.
void PrintTo(const PolicyCase& c, std::ostream* out) { *out << c.what; }

std::vector<PolicyCase> Cases() {
  std::string tabGrant = "\t";
  tabGrant += kGrant.substr(4);
  const std::string permission = "  permission java.io.FilePermission \"C:\\Temp\\-\", \"read\";";
  return {
      {"grant line with leading spaces", kGrant + "\r\n", kGrantConverted + "\r\n"},
      {"no leading spaces", "grant codeBase \"a\\b\"\r\n", "grant codeBase \"a/b\"\r\n"},
      {"other lines keep their backslashes",
       kGrant + "\r\n" + permission + "\r\n};\r\n" + kGrant + "\r\n",
       kGrantConverted + "\r\n" + permission + "\r\n};\r\n" + kGrantConverted + "\r\n"},
      {"a tab is not a space", tabGrant + "\r\n", tabGrant + "\r\n"},
      {"capital G", "    Grant codeBase \"a\\b\"\r\n", "    Grant codeBase \"a\\b\"\r\n"},
      {"grant without codeBase", "grant {\r\n  \"a\\b\"\r\n", "grant {\r\n  \"a\\b\"\r\n"},
      {"final line without a line feed is not examined", kGrant + "\r\n" + kGrant,
       kGrantConverted + "\r\n" + kGrant},
      {"longest line that fits the working buffer", LongGrant(4095, '\\') + "\r\nnext\r\n",
       LongGrant(4095, '/') + "\r\nnext\r\n"},
      // Too long for the working buffer: left exactly as it was, and the
      // lines after it are still handled.
      {"over-long line is left alone",
       LongGrant(4096, '\\') + "\r\n" + LongGrant(9000, '\\') + "\r\n" + kGrant + "\r\n",
       LongGrant(4096, '\\') + "\r\n" + LongGrant(9000, '\\') + "\r\n" + kGrantConverted + "\r\n"},
  };
}

class PolicyFileTest : public ::testing::TestWithParam<PolicyCase> {
 protected:
  setupaid_test::SetupAidLibrary library_;
  setupaid_test::ScratchFolder folder_;
};

TEST_P(PolicyFileTest, ConvertsOnlyGrantCodeBaseLines) {
  ASSERT_TRUE(library_.Loaded());
  const PolicyCase& c = GetParam();
  const std::string path = folder_.File("java.policy");
  WriteBytes(path, c.before);
  SetupTable table;
  EXPECT_EQ(library_.Call("ChangeBackslashToSlashgrantCodeBase", table, path.c_str()), 0);
  EXPECT_EQ(ReadBytes(path), c.after);
}

INSTANTIATE_TEST_SUITE_P(Files, PolicyFileTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<PolicyCase>& caseInfo) {
                           std::string name = caseInfo.param.what;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

TEST(PolicyFile, AMissingFileStaysMissing) {
  setupaid_test::SetupAidLibrary library;
  ASSERT_TRUE(library.Loaded());
  setupaid_test::ScratchFolder folder;
  const std::string path = folder.File("java.policy");
  SetupTable table;
  EXPECT_EQ(library.Call("ChangeBackslashToSlashgrantCodeBase", table, path.c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(library.Find("ChangeBackslashToSlashgrantCodeBase")(nullptr), 0);
}

}  // namespace
