// Every export called from outside, the way the installer calls them: the
// stand-in installer process loads setupaid.dll, finds the export by name,
// hands it a call record and prints what came back.
#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace {

using setupaid_test::ProgramFolder;
using setupaid_test::Quoted;
using setupaid_test::ReadBytes;
using setupaid_test::RunProcess;
using setupaid_test::ScratchFolder;
using setupaid_test::WriteBytes;

setupaid_test::ProcessResult RunStandIn(const std::string& arguments) {
  std::string commandLine = Quoted(ProgramFolder() / "setup_standin.exe");
  commandLine += ' ';
  commandLine += arguments;
  setupaid_test::ProcessResult run = RunProcess(commandLine);
  EXPECT_TRUE(run.started);
  EXPECT_TRUE(run.finished);
  return run;
}

TEST(StandInInstaller, CallsDummyTest) {
  const auto run = RunStandIn("--set A=1 DummyTest");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.output, "result=1\r\n%A%=1\r\n");
}

TEST(StandInInstaller, CallsAddFilenameToToolbarHistory) {
  ScratchFolder folder;
  const std::string path = folder.File("history.txt");
  WriteBytes(path, "1\r\nold.htm\r\n");
  const auto run = RunStandIn("AddFilenameToToolbarHistory " + Quoted(path + ";new.htm"));
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.output, "result=1\r\n");
  EXPECT_EQ(ReadBytes(path), "2\r\nnew.htm\r\nold.htm\r\n");
}

TEST(StandInInstaller, CallsChangeBackslashToSlashgrantCodeBase) {
  ScratchFolder folder;
  const std::string path = folder.File("java.policy");
  WriteBytes(path, "grant codeBase \"file:/C:\\Kovra\\-\" {\r\n};\r\n");
  const auto run = RunStandIn("ChangeBackslashToSlashgrantCodeBase " + Quoted(path));
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.output, "result=0\r\n");
  EXPECT_EQ(ReadBytes(path), "grant codeBase \"file:/C:/Kovra/-\" {\r\n};\r\n");
}

TEST(StandInInstaller, CallsShellExecuteProgram) {
  ScratchFolder folder;
  const auto run = RunStandIn("ShellExecuteProgram " + Quoted(folder.Path() / "NOSUCH.EXE"));
  EXPECT_EQ(run.exitCode, 0u);
  const int result = std::stoi(run.output.substr(run.output.find('=') + 1));
  EXPECT_LE(result, 32);
  EXPECT_EQ(run.output, "result=" + std::to_string(result) + "\r\n");
}

// CheckIfKovraIsRunning and GetUninstRegKeyName go through the stand-in in
// their own tests; here, the stand-in's own failures.
TEST(StandInInstaller, ReportsAnUnknownExport) {
  const auto run = RunStandIn("NoSuchFunction");
  EXPECT_EQ(run.exitCode, 3u);
  EXPECT_EQ(run.output, "");
}

TEST(StandInInstaller, ReportsBadUsage) {
  for (const char* arguments : {"", "--set NOEQUALS DummyTest", "--slots 0 DummyTest",
                                "DummyTest one two"}) {
    const auto run = RunStandIn(arguments);
    EXPECT_EQ(run.exitCode, 2u) << arguments;
    EXPECT_EQ(run.output, "") << arguments;
  }
}

}  // namespace
