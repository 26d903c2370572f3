// GetUninstRegKeyName against uninstall entries written into the Wine
// prefix's registry by the test itself.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

using setupaid_test::SetupAidLibrary;

constexpr char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Uninstall entries that exist only while a test runs.  Their names and
// commands carry the process id, so that nothing else in the prefix matches.
class UninstallEntries {
 public:
  UninstallEntries() : tag_("KovraTest" + std::to_string(GetCurrentProcessId())) {}
  ~UninstallEntries() {
    for (const std::string& key : created_)
      RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kUninstall) + "\\" + key).c_str());
  }
  UninstallEntries(const UninstallEntries&) = delete;
  UninstallEntries& operator=(const UninstallEntries&) = delete;

  std::string Name(const std::string& suffix) const { return tag_ + suffix; }
  std::string Command(const std::string& suffix) const {
    return "C:\\Program Files\\" + tag_ + "\\uninst" + suffix + ".exe";
  }

  // Adds an entry "tag+suffix" with the given uninstall command (or none).
  void Add(const std::string& suffix, const char* command) {
    const std::string key = std::string(kUninstall) + "\\" + Name(suffix);
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    created_.push_back(Name(suffix));
    if (command != nullptr) {
      ASSERT_EQ(RegSetValueExA(handle, "UninstallString", 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(command),
                               static_cast<DWORD>(std::strlen(command) + 1)),
                ERROR_SUCCESS);
    }
    RegCloseKey(handle);
  }

 private:
  std::string tag_;
  std::vector<std::string> created_;
};

class GetUninstRegKeyNameTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(library_.Loaded()); }

  int Call(SetupTable& table, const char* variable) {
    return library_.Call("GetUninstRegKeyName", table, variable);
  }

  SetupAidLibrary library_;
  UninstallEntries entries_;
};

TEST_F(GetUninstRegKeyNameTest, FindsTheEntryWhoseCommandMatchesInAnyCase) {
  entries_.Add("Other", entries_.Command("Other").c_str());
  entries_.Add("NoCommand", nullptr);
  entries_.Add("Product", entries_.Command("Product").c_str());
  std::string target = entries_.Command("Product");
  for (char& c : target) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  SetupTable table;
  ASSERT_TRUE(table.Add("BEFORE", "kept"));
  ASSERT_TRUE(table.Add("UNINST", target));
  EXPECT_EQ(Call(table, "UNINST"), 1);
  std::string value;
  EXPECT_TRUE(table.Find("UNINST", value));
  EXPECT_EQ(value, entries_.Name("Product"));
  EXPECT_EQ(table.Count(), 2);
  EXPECT_EQ(table.ValueAt(0), "kept");
}

TEST_F(GetUninstRegKeyNameTest, MatchesACommandThatBeginsWithTheTarget) {
  entries_.Add("Longer", (entries_.Command("Longer") + " /S /remove").c_str());
  SetupTable table;
  ASSERT_TRUE(table.Add("UNINST", entries_.Command("Longer")));
  EXPECT_EQ(Call(table, "UNINST"), 1);
  EXPECT_EQ(table.ValueAt(0), entries_.Name("Longer"));
}

TEST_F(GetUninstRegKeyNameTest, ACommandShorterThanTheTargetNeverMatches) {
  const std::string command = entries_.Command("Short");
  entries_.Add("Short", command.c_str());
  SetupTable table;
  ASSERT_TRUE(table.Add("UNINST", command + " /S"));
  EXPECT_EQ(Call(table, "UNINST"), 0);
  // Not found: the installer is told so with an empty variable.
  EXPECT_EQ(table.Count(), 1);
  EXPECT_EQ(table.ValueAt(0), "");
}

TEST_F(GetUninstRegKeyNameTest, AMissingVariableLeavesTheTableAlone) {
  entries_.Add("Product", entries_.Command("Product").c_str());
  SetupTable table;
  ASSERT_TRUE(table.Add("OTHER", entries_.Command("Product")));
  EXPECT_EQ(Call(table, "UNINST"), 0);
  EXPECT_EQ(table.Count(), 1);
  EXPECT_EQ(table.NameAt(0), "%OTHER%");
  EXPECT_EQ(table.ValueAt(0), entries_.Command("Product"));
}

TEST_F(GetUninstRegKeyNameTest, AnEmptyOrMissingParameterFindsNothing) {
  entries_.Add("Product", entries_.Command("Product").c_str());
  SetupTable table;
  ASSERT_TRUE(table.Add("", entries_.Command("Product")));  // stored as "%%"
  EXPECT_EQ(Call(table, ""), 0);
  EXPECT_EQ(table.ValueAt(0), entries_.Command("Product"));
  EXPECT_EQ(library_.Find("GetUninstRegKeyName")(nullptr), 0);
}

TEST_F(GetUninstRegKeyNameTest, ANameTooLongForTheKeyIsNeitherSearchedNorWritten) {
  entries_.Add("Product", entries_.Command("Product").c_str());
  const std::string name(30, 'V');
  SetupTable table;
  ASSERT_TRUE(table.Add(name, entries_.Command("Product")));
  EXPECT_EQ(Call(table, name.c_str()), 0);
  EXPECT_EQ(table.Count(), 1);
  EXPECT_EQ(table.ValueAt(0), entries_.Command("Product"));
}

// The process sees HKEY_LOCAL_MACHINE through an empty key while this lives,
// so that the Uninstall key is missing for the library too.
class EmptyLocalMachine {
 public:
  EmptyLocalMachine() {
    RegCreateKeyExA(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
    overridden_ = key_ != nullptr && RegOverridePredefKey(HKEY_LOCAL_MACHINE, key_) == ERROR_SUCCESS;
  }
  ~EmptyLocalMachine() {
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    if (key_ != nullptr) RegCloseKey(key_);
    RegDeleteKeyA(HKEY_CURRENT_USER, kScratch);
  }
  EmptyLocalMachine(const EmptyLocalMachine&) = delete;
  EmptyLocalMachine& operator=(const EmptyLocalMachine&) = delete;
  bool Active() const { return overridden_; }

 private:
  static constexpr char kScratch[] = "Software\\KovraTestEmptyMachine";
  HKEY key_ = nullptr;
  bool overridden_ = false;
};

TEST_F(GetUninstRegKeyNameTest, AMissingUninstallKeyFindsNothing) {
  entries_.Add("Product", entries_.Command("Product").c_str());
  SetupTable table;
  ASSERT_TRUE(table.Add("UNINST", entries_.Command("Product")));
  {
    EmptyLocalMachine empty;
    ASSERT_TRUE(empty.Active());
    HKEY probe = nullptr;
    ASSERT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstall, 0, KEY_READ, &probe), ERROR_SUCCESS);
    EXPECT_EQ(Call(table, "UNINST"), 0);
  }
  EXPECT_EQ(table.ValueAt(0), "");
  // With the real key back, the same call finds the entry.
  ASSERT_TRUE(table.Add("AGAIN", entries_.Command("Product")));
  EXPECT_EQ(Call(table, "AGAIN"), 1);
}

// The same call from outside, through the stand-in installer process.
TEST_F(GetUninstRegKeyNameTest, TheStandInInstallerGetsTheKeyName) {
  entries_.Add("Product", (entries_.Command("Product") + " /uninstall").c_str());
  const std::string commandLine =
      setupaid_test::Quoted(setupaid_test::ProgramFolder() / "setup_standin.exe") +
      " --set \"UNINST=" + entries_.Command("Product") + "\" GetUninstRegKeyName UNINST";
  const setupaid_test::ProcessResult run = setupaid_test::RunProcess(commandLine);
  ASSERT_TRUE(run.started);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 0u);
  // The stand-in prints in text mode: CR LF line ends.
  EXPECT_EQ(run.output, "result=1\r\n%UNINST%=" + entries_.Name("Product") + "\r\n");
}

}  // namespace
