#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "accounts/ini_file.h"
#include "temp_dir.h"

namespace postroom {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string Saved(const IniFile& ini)
{
    std::string out;
    EXPECT_TRUE(ini.Serialize(out));
    return out;
}

struct ReadCase {
    const char* what;
    std::string input;
    std::string written;
};

class IniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, ReadsAndWritesBack)
{
    IniFile ini;
    ASSERT_TRUE(ini.LoadText(GetParam().input));
    EXPECT_EQ(Saved(ini), GetParam().written);
}

const std::string kLongPath = "C:\\" + std::string(600, 'p') + "\\MAIL";

INSTANTIATE_TEST_SUITE_P(
    Cases, IniReadTest,
    ::testing::Values(
        ReadCase {"comments_and_blank_lines_are_dropped",
                  "; comment\r\n\r\n[A]\r\nx=1\r\n\r\n;more\r\ny=2\r\n", "[A]\r\nx=1\r\ny=2\r\n"},
        ReadCase {"lf_only_lines_read_like_crlf", "[A]\nx=1\nbare\n", "[A]\r\nx=1\r\nbare\r\n"},
        ReadCase {"lines_before_the_first_section_stay_unnamed", "top=1\r\n[S]\r\nk=v\r\n",
                  "top=1\r\n[S]\r\nk=v\r\n"},
        ReadCase {"section_name_runs_to_the_last_bracket", "[a]b]\r\nk=v\r\n", "[a]b]\r\nk=v\r\n"},
        ReadCase {"missing_bracket_takes_the_line_end", "[open\r\nk=v\r\n", "[open]\r\nk=v\r\n"},
        ReadCase {"blanks_around_equals_are_kept", "[S]\r\nkey = 1\r\n", "[S]\r\nkey = 1\r\n"},
        ReadCase {"only_the_first_equals_splits", "[S]\r\na=b=c\r\n", "[S]\r\na=b=c\r\n"},
        ReadCase {"long_lines_stay_one_entry", "[S]\r\nPath=" + kLongPath + "\r\n",
                  "[S]\r\nPath=" + kLongPath + "\r\n"},
        ReadCase {"nul_ends_the_line_text", std::string("[S]\r\nk=ab\0cd\r\nn=1\r\n", 20),
                  "[S]\r\nk=ab\r\nn=1\r\n"},
        ReadCase {"last_line_without_line_end", "[S]\r\nk=v", "[S]\r\nk=v\r\n"},
        ReadCase {"same_section_twice_is_kept_twice", "[S]\r\na=1\r\n[s]\r\nb=2\r\n",
                  "[S]\r\na=1\r\n[s]\r\nb=2\r\n"},
        ReadCase {"empty_file", "", ""}),
    [](const auto& tc) { return std::string(tc.param.what); });

struct IntCase {
    const char* what;
    const char* stored;  // null: no entry
    std::int32_t def;
    bool convert;
    std::int32_t expected;
    bool result;
    const char* writtenAfter;
};

class IniGetIntTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(IniGetIntTest, FollowsTheDefaultRules)
{
    const IntCase& c = GetParam();
    IniFile ini;
    if (c.stored) {
        ASSERT_TRUE(ini.SetText("S", "k", c.stored));
    }
    std::int32_t v = -12345;
    EXPECT_EQ(ini.GetInt("s", "K", &v, c.def, c.convert), c.result);
    EXPECT_EQ(v, c.expected);
    EXPECT_EQ(Saved(ini), c.writtenAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniGetIntTest,
    ::testing::Values(
        IntCase {"number_then_letters", "110abc", 7, false, 110, true, "[S]\r\nk=110abc\r\n"},
        IntCase {"letters_give_the_default", "abc", 7, false, 7, true, "[S]\r\nk=abc\r\n"},
        IntCase {"zero_text_is_zero_despite_default", "0", 7, false, 0, true, "[S]\r\nk=0\r\n"},
        IntCase {"negative_number", "-42", 7, false, -42, true, "[S]\r\nk=-42\r\n"},
        IntCase {"double_zero_gives_default", "00", 7, false, 7, true, "[S]\r\nk=00\r\n"},
        IntCase {"double_zero_converted_becomes_zero", "00", 7, true, 0, true, "[S]\r\nk=0\r\n"},
        IntCase {"too_big_clamps", "99999999999", 7, false, INT32_MAX, true, "[S]\r\nk=99999999999\r\n"},
        IntCase {"missing_gives_default", nullptr, 7, false, 7, true, ""},
        IntCase {"missing_without_default", nullptr, IniFile::kNoDefault, false, 0, false, ""}),
    [](const auto& tc) { return std::string(tc.param.what); });

TEST(IniFileTest, IntegerEntryReadAsTextOnlyWhenConverting)
{
    IniFile ini;
    ASSERT_TRUE(ini.SetInt("S", "n", 42));
    const char* t = nullptr;
    EXPECT_TRUE(ini.GetText("S", "n", &t, "dflt", false));
    EXPECT_STREQ(t, "dflt");
    EXPECT_FALSE(ini.GetText("S", "n", &t, nullptr, false));
    EXPECT_EQ(t, nullptr);
    EXPECT_TRUE(ini.GetText("S", "n", &t, nullptr, true));
    EXPECT_STREQ(t, "42");
    EXPECT_FALSE(ini.GetText("S", "missing", &t, nullptr, true));
    EXPECT_EQ(t, nullptr);
}

TEST(IniFileTest, FirstOfTwoSameNamedSectionsTakesReadsAndWrites)
{
    IniFile ini;
    ASSERT_TRUE(ini.LoadText("[S]\r\na=1\r\n[S]\r\na=2\r\n"));
    std::int32_t v = 0;
    ASSERT_TRUE(ini.GetInt("S", "a", &v, 0, false));
    EXPECT_EQ(v, 1);
    ASSERT_TRUE(ini.SetInt("s", "b", 3));
    EXPECT_EQ(Saved(ini), "[S]\r\na=1\r\nb=3\r\n[S]\r\na=2\r\n");
}

TEST(IniFileTest, BareLinesAddRemoveAndEnumerate)
{
    IniFile ini;
    ASSERT_TRUE(ini.AddLine("ACCOUNTS", "Home"));
    ASSERT_TRUE(ini.AddLine("ACCOUNTS", "Work"));
    ASSERT_TRUE(ini.AddLine("accounts", "HOME"));  // present already: unchanged
    EXPECT_EQ(Saved(ini), "[ACCOUNTS]\r\nHome\r\nWork\r\n");
    EXPECT_STREQ(ini.LineAt("ACCOUNTS", 1), "Work");
    EXPECT_EQ(ini.LineAt("ACCOUNTS", 2), nullptr);
    EXPECT_EQ(ini.LineAt("NONE", 0), nullptr);
    ini.RemoveLine("ACCOUNTS", "home");
    EXPECT_EQ(Saved(ini), "[ACCOUNTS]\r\nWork\r\n");
    ini.RemoveLine("ACCOUNTS", "absent");
    EXPECT_EQ(Saved(ini), "[ACCOUNTS]\r\nWork\r\n");
}

TEST(IniFileTest, SetTextReplacesAValueAndKeepsOrder)
{
    IniFile ini;
    ASSERT_TRUE(ini.LoadText("[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n"));
    ASSERT_TRUE(ini.SetText("a", "X", "one"));
    ASSERT_TRUE(ini.SetText("C", "w", "new"));
    EXPECT_EQ(Saved(ini), "[A]\r\nx=one\r\ny=2\r\n[B]\r\nz=3\r\n[C]\r\nw=new\r\n");
}

TEST(IniFileTest, SaveAndLoadRoundTripThroughTheFile)
{
    TempDir dir;
    const std::string path = dir.File("ACCOUNTS.INI");
    WriteBytes(path, "; c\r\n[ACCOUNTS]\r\nHome\r\n[Home]\r\nCheckInterval=10\r\n");
    IniFile ini;
    ASSERT_TRUE(ini.Load(path.c_str()));
    ASSERT_TRUE(ini.SetInt("Home", "DeleteFromServer", 1));
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadBytes(path), "[ACCOUNTS]\r\nHome\r\n[Home]\r\nCheckInterval=10\r\nDeleteFromServer=1\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    IniFile again;
    ASSERT_TRUE(again.Load(path.c_str()));
    std::int32_t v = 0;
    EXPECT_TRUE(again.GetInt("HOME", "checkinterval", &v, 0, false));
    EXPECT_EQ(v, 10);
}

TEST(IniFileTest, MissingFileLoadsEmpty)
{
    TempDir dir;
    IniFile ini;
    ASSERT_TRUE(ini.LoadText("[A]\r\nx=1\r\n"));
    EXPECT_FALSE(ini.Load(dir.File("absent.ini").c_str()));
    EXPECT_EQ(Saved(ini), "");
    EXPECT_EQ(ini.LineAt("A", 0), nullptr);
}

TEST(IniFileTest, FailedSaveReportsAndKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.File("FOLDER.INI");
    WriteBytes(path, "[FOLDERS]\r\nInbox\r\n");
    IniFile ini;
    ASSERT_TRUE(ini.Load(path.c_str()));
    ASSERT_TRUE(ini.AddLine("FOLDERS", "Sent"));
    // The temporary file cannot be created: a directory has its name.
    std::filesystem::create_directory(path + ".tmp");
    EXPECT_FALSE(ini.Save());
    EXPECT_EQ(ReadBytes(path), "[FOLDERS]\r\nInbox\r\n");
}

TEST(IniFileTest, SaveIntoAMissingDirectoryFails)
{
    TempDir dir;
    IniFile ini;
    const std::string path = dir.File("no-such-dir/ACCOUNTS.INI");
    ini.Load(path.c_str());
    ASSERT_TRUE(ini.AddLine("ACCOUNTS", "Home"));
    EXPECT_FALSE(ini.Save());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(IniFileTest, HugeFileKeepsEveryEntry)
{
    std::string text = "[WINDOWS]\r\n";
    for (int i = 0; i < 100000; ++i)
        text += "folder" + std::to_string(i) + "\r\n";
    IniFile ini;
    ASSERT_TRUE(ini.LoadText(text));
    EXPECT_STREQ(ini.LineAt("WINDOWS", 99999), "folder99999");
    EXPECT_EQ(ini.LineAt("WINDOWS", 100000), nullptr);
    EXPECT_EQ(Saved(ini), text);
}

}  // namespace
}  // namespace postroom
