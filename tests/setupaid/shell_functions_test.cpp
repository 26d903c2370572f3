// DummyTest, the single-instance mutex seen from this and from a second
// process, and the shell's "open".
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "test_support.h"

namespace {

using setupaid_test::ProgramFolder;
using setupaid_test::RunProcess;

TEST(DummyTest, AlwaysAnswersOne) {
  setupaid_test::SetupAidLibrary library;
  ASSERT_TRUE(library.Loaded());
  SetupTable table;
  EXPECT_EQ(library.Call("DummyTest", table, "ignored"), 1);
  EXPECT_EQ(library.Find("DummyTest")(nullptr), 1);
}

// Asks a second process, the stand-in installer, whether the mutex exists.
int ResultSeenByAnotherProcess(const std::string& mutexName) {
  const std::string commandLine = setupaid_test::Quoted(ProgramFolder() / "setup_standin.exe") +
                                  " CheckIfKovraIsRunning " + mutexName;
  const setupaid_test::ProcessResult run = RunProcess(commandLine);
  EXPECT_TRUE(run.started && run.finished);
  EXPECT_EQ(run.exitCode, 0u);
  if (run.output == "result=0\r\n") return 0;
  if (run.output == "result=1\r\n") return 1;
  ADD_FAILURE() << "unexpected output: " << run.output;
  return -1;
}

TEST(CheckIfKovraIsRunning, TheFirstHolderKeepsTheMutex) {
  setupaid_test::SetupAidLibrary library;
  ASSERT_TRUE(library.Loaded());
  const std::string name = "KovraTestInstaller" + std::to_string(GetCurrentProcessId());
  // The second process ends after its call, and the mutex with it.
  EXPECT_EQ(ResultSeenByAnotherProcess(name), 0);
  EXPECT_EQ(ResultSeenByAnotherProcess(name), 0);
  SetupTable table;
  EXPECT_EQ(library.Call("CheckIfKovraIsRunning", table, name.c_str()), 0);
  EXPECT_EQ(library.Call("CheckIfKovraIsRunning", table, name.c_str()), 1);
  EXPECT_EQ(ResultSeenByAnotherProcess(name), 1);
  EXPECT_EQ(table.Count(), 0);
}

TEST(CheckIfKovraIsRunning, AMutexThatCannotBeCreatedCountsAsRunning) {
  setupaid_test::SetupAidLibrary library;
  ASSERT_TRUE(library.Loaded());
  SetupTable table;
  // A backslash is not allowed in a mutex name outside a namespace prefix.
  EXPECT_EQ(library.Call("CheckIfKovraIsRunning", table, "NoSuchNamespace\\Kovra"), 1);
  EXPECT_EQ(library.Call("CheckIfKovraIsRunning", table, ""), 1);
  EXPECT_EQ(library.Find("CheckIfKovraIsRunning")(nullptr), 1);
}

// Waits for the stand-in browser to write its record of the run.
bool WaitForFile(const std::filesystem::path& path) {
  for (int i = 0; i < 300 && !std::filesystem::exists(path); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  return std::filesystem::exists(path);
}

TEST(ShellExecuteProgram, OpensAnExistingProgram) {
  setupaid_test::SetupAidLibrary library;
  ASSERT_TRUE(library.Loaded());
  setupaid_test::ScratchFolder folder;
  std::filesystem::copy_file(ProgramFolder() / "kovra_standin.exe", folder.Path() / "KOVRA.EXE");
  SetupTable table;
  const std::string program = folder.File("KOVRA.EXE");
  EXPECT_GT(library.Call("ShellExecuteProgram", table, program.c_str()), 32);
  ASSERT_TRUE(WaitForFile(folder.Path() / "kovra-run.txt"));
  // The record is written before the stand-in ends; let it end before the
  // scratch folder goes.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_EQ(setupaid_test::ReadBytes(folder.File("kovra-run.txt")), "ran\r\narguments=0\r\n");
}

TEST(ShellExecuteProgram, ReportsAMissingProgram) {
  setupaid_test::SetupAidLibrary library;
  ASSERT_TRUE(library.Loaded());
  setupaid_test::ScratchFolder folder;
  SetupTable table;
  const std::string program = folder.File("NOSUCH.EXE");
  const int result = library.Call("ShellExecuteProgram", table, program.c_str());
  EXPECT_LE(result, 32);
  EXPECT_GE(result, 0);
}

}  // namespace
