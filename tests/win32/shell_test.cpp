// Outside programs on Windows: argument vectors reach the started program's
// C runtime intact (no cmd in between), output, exit codes, time-outs and
// detached starts. Nothing here opens a real browser or mail program.
#include "platform/shell.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <thread>

#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using platform::CommandRequest;
using platform::CommandResult;
using platform::RunCommand;

TEST(Win32ShellTest, ArgumentsArriveAsTheyWereGiven) {
  const std::vector<std::string> arguments = {
      "plain",
      "",
      "two words",
      "\"quoted\"",
      "C:\\Program Files\\",
      "a\\\\\"b",
      "%PATH% & | < > ^ !",
      "\xE6\x97\xA5\xE6\x9C\xAC \xD8\xB9\xD8\xB1\xD8\xA8\xD9\x8A"};
  CommandRequest request;
  request.argv = {MG_ARGS_ECHO};
  request.argv.insert(request.argv.end(), arguments.begin(), arguments.end());
  request.captureOutput = true;
  const CommandResult result = RunCommand(request);
  ASSERT_TRUE(result.started);
  EXPECT_FALSE(result.stillRunning);
  EXPECT_EQ(result.exitCode, static_cast<int>(arguments.size()));
  std::string expected;
  for (const std::string& argument : arguments) expected += argument + "\n";
  EXPECT_EQ(result.output, expected);
}

TEST(Win32ShellTest, MissingProgramsSlowOnesAndUnsayableArgumentsAreReported) {
  EXPECT_FALSE(RunCommand({{"no-such-program-here"}}).started);
  EXPECT_FALSE(RunCommand({{}}).started);
  EXPECT_FALSE(RunCommand({{MG_ARGS_ECHO, std::string("a\0b", 3)}}).started);

  const auto start = std::chrono::steady_clock::now();
  const CommandResult slow = RunCommand({{MG_ARGS_ECHO, "--sleep", "5000"}, false, 200});
  EXPECT_TRUE(slow.started);
  EXPECT_TRUE(slow.stillRunning);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

TEST(Win32ShellTest, DetachedProgramsRunOnTheirOwn) {
  const test_support::ScratchFolder dir;
  const fs::path file = dir.path() / "written.txt";
  ASSERT_TRUE(platform::StartDetached({MG_ARGS_ECHO, "--write", file.string(), "done"}));
  for (int i = 0; i < 100 && test_support::ReadBytes(file) != "done"; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_EQ(test_support::ReadBytes(file), "done");
  EXPECT_FALSE(platform::StartDetached({"no-such-program-here"}));
}

TEST(Win32ShellTest, WhatIsNoAddressOrMailIsRefusedBeforeTheShellSeesIt) {
  EXPECT_FALSE(platform::OpenWithDefaultHandler(""));
  EXPECT_FALSE(platform::OpenWithDefaultHandler("-h"));
  EXPECT_FALSE(platform::ComposeMail("https://example.org/", {}));
}

}  // namespace
