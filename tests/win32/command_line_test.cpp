// The command line handed to CreateProcessW, against the documented parsing
// rules and against Windows' own parser (CommandLineToArgvW), which splits
// it as the started program's C runtime does.
#include "platform/win32/command_line.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace {

using platform::win32::BuildCommandLine;
using platform::win32::QuoteArgument;

std::vector<std::wstring> SplitAsWindowsDoes(const std::wstring& line) {
  int count = 0;
  LPWSTR* parts = CommandLineToArgvW(line.c_str(), &count);
  std::vector<std::wstring> argv(parts, parts + count);
  LocalFree(parts);
  return argv;
}

TEST(CommandLineTest, ArgumentsAreQuotedByTheRuntimesRules) {
  struct Case {
    std::wstring argument;
    std::wstring quoted;
  };
  const Case cases[] = {
      {L"plain", L"plain"},
      {L"C:\\dir\\file.txt", L"C:\\dir\\file.txt"},  // lone backslashes are literal
      {L"trailing\\", L"trailing\\"},                // unquoted: nothing to escape
      {std::wstring(), L"\"\""},
      {L"two words", L"\"two words\""},
      {L"tab\there", L"\"tab\there\""},
      {L"line\nfeed", L"\"line\nfeed\""},
      {L"say \"hi\"", L"\"say \\\"hi\\\"\""},
      {L"\"", L"\"\\\"\""},
      {L"a\\\"b", L"\"a\\\\\\\"b\""},        // a\"b: 1 backslash before a quote -> 3
      {L"a\\\\\"b", L"\"a\\\\\\\\\\\"b\""},  // a\\"b: 2 -> 5
      {L"C:\\Program Files\\", L"\"C:\\Program Files\\\\\""},  // doubled before the closing quote
      {L"end \\\\", L"\"end \\\\\\\\\""},
      {L"mid \\ dle", L"\"mid \\ dle\""},  // backslashes elsewhere stay single
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.argument));
    EXPECT_EQ(QuoteArgument(c.argument), c.quoted);
  }
}

TEST(CommandLineTest, WindowsSplitsTheLineBackIntoTheSameArguments) {
  const std::vector<std::wstring> arguments = {
      L"plain",
      std::wstring(),
      L" ",
      L"two words",
      L"\"",
      L"\"\"",
      L"\\",
      L"\\\\",
      L"\\\"",
      L"a\\\\\"b\\",
      L"C:\\Program Files\\",
      L"ends with\\\\",
      L"tab\tand\nnewline",
      L"%PATH% & | < > ^",
      L"--title=\"quoted\" text",
      L"\u65e5\u672c\u8a9e \u0627\u0644\u0639\u0631\u0628\u064a\u0629",
  };
  for (const std::wstring& program :
       {std::wstring(L"C:\\Tools\\tool.exe"), std::wstring(L"C:\\Program Files\\Tool\\tool.exe")}) {
    std::vector<std::wstring> argv = {program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const std::optional<std::wstring> line = BuildCommandLine(argv);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(SplitAsWindowsDoes(*line), argv) << testing::PrintToString(*line);
  }
}

TEST(CommandLineTest, ProgramNameIsQuotedOnlyWhereItMustBe) {
  EXPECT_EQ(BuildCommandLine({L"tool.exe", L"a b"}), L"tool.exe \"a b\"");
  EXPECT_EQ(BuildCommandLine({L"C:\\My Tools\\tool.exe"}), L"\"C:\\My Tools\\tool.exe\"");
  // A trailing backslash in the program name escapes nothing there.
  EXPECT_EQ(BuildCommandLine({L"C:\\a b\\", L"x"}), L"\"C:\\a b\\\" x");
  EXPECT_EQ(SplitAsWindowsDoes(*BuildCommandLine({L"C:\\a b\\", L"x"})),
            (std::vector<std::wstring>{L"C:\\a b\\", L"x"}));
}

TEST(CommandLineTest, WhatCannotBeSaidIsRefused) {
  EXPECT_FALSE(BuildCommandLine({}));
  EXPECT_FALSE(BuildCommandLine({L"to\"ol.exe"}));
  EXPECT_FALSE(BuildCommandLine({L"tool.exe", std::wstring(L"a\0b", 3)}));
}

}  // namespace
