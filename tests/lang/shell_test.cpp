#include "platform/shell.h"

#include <gtest/gtest.h>

#include "platform/fake/recording_shell.h"

namespace {

TEST(ShellTest, RunsProgramsWithoutAShell) {
  // The argument reaches the program as one word, quotes and all.
  const platform::CommandResult echoed =
      platform::RunCommand({{"printf", "%s", "a b; $(x) 'c'"}, true, -1});
  EXPECT_TRUE(echoed.started);
  EXPECT_EQ(echoed.exitCode, 0);
  EXPECT_EQ(echoed.output, "a b; $(x) 'c'");

  EXPECT_EQ(platform::RunCommand({{"false"}, false, -1}).exitCode, 1);
  EXPECT_FALSE(platform::RunCommand({{"mg-no-such-program"}, false, -1}).started);
  const platform::CommandResult slow = platform::RunCommand({{"sleep", "0.5"}, false, 20});
  EXPECT_TRUE(slow.started);
  EXPECT_TRUE(slow.stillRunning);
}

TEST(ShellTest, OpensWithXdgOpenAndRefusesOptionLikeTargets) {
  platform::fake::RecordingShell shell;
  EXPECT_TRUE(platform::OpenWithDefaultHandler("/tmp/a b.txt"));
  EXPECT_FALSE(platform::OpenWithDefaultHandler("--help"));
  EXPECT_FALSE(platform::OpenWithDefaultHandler(""));
  shell.FailOpening();
  EXPECT_FALSE(platform::OpenWithDefaultHandler("/tmp/x.txt"));
  const std::vector<std::vector<std::string>> expected = {{"xdg-open", "/tmp/a b.txt"},
                                                          {"xdg-open", "/tmp/x.txt"}};
  EXPECT_EQ(shell.commands(), expected);
}

}  // namespace
