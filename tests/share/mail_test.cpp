#include "share/mail.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/fake/recording_shell.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "share/mail_text.h"
#include "tests/support/env_guard.h"
#include "tests/support/required_tool.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using Commands = std::vector<std::vector<std::string>>;

std::vector<uint8_t> Utf16Le(std::u16string_view text) {
  std::vector<uint8_t> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  return bytes;
}

// General table, two licence blocks, German and English; neither language
// has ids 60 and 61, like the shipped archive.
std::unique_ptr<lang::StringArchive> Strings(std::u16string_view english240) {
  const std::u16string text =
      u"\uFEFF##\r\n19=Morvandel.Gauge 2.33\r\n##\r\nL\r\n##\r\nL\r\n"
      u"##=German\tDeutsch\r\n240=Juhuuuu ich habe #AP# gefunden!\r\n"
      u"##=Englisch\tEnglish\r\n240=" +
      std::u16string(english240) + u"\r\n##\r\n";
  auto archive = std::make_unique<lang::StringArchive>();
  lang::BuildStringArchive(*archive, Utf16Le(text));
  return archive;
}

std::string PercentDecode(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// The names in an "unzip -l" listing: the last column of the lines between
// the two dashed rules.
std::vector<std::string> ListedNames(const std::string& listing) {
  std::vector<std::string> names;
  std::istringstream lines(listing);
  int rules = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("---------")) {
      ++rules;
    } else if (rules == 1) {
      std::istringstream fields(line);
      std::string length, date, time, name;
      fields >> length >> date >> time;
      std::getline(fields >> std::ws, name);
      names.push_back(name);
    }
  }
  return names;
}

TEST(MailTextTest, NoteTextEscapesAndPlaceholders) {
  struct Case {
    std::u16string text;
    std::u16string expanded;
  } cases[] = {
      {u"Hello,\\r\\n I found #AP# .\\r\\n website: #IN#",
       u"Hello,\r\n I found Morvandel.Gauge .\r\n website: http://h/eu"},
      {u"#AP##IN##AP#", u"Morvandel.Gaugehttp://h/euMorvandel.Gauge"},
      // Only backslash-r and backslash-n are escapes; partial markers stay.
      {u"a\\tb \\ #IN #AP \\", u"a\\tb \\ #IN #AP \\"},
      {u"\\\\n", u"\\\n"},
      {u"", u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(share::ExpandNoteText(c.text, u"http://h/eu"), c.expanded);
  }
  // Inserted text is not expanded again.
  EXPECT_EQ(share::ExpandNoteText(u"#IN#", u"x#AP#\\n"), u"x#AP#\\n");
}

TEST(MailTextTest, MailtoAddressIsPercentEncodedUtf8) {
  EXPECT_EQ(share::MailtoAddress(u"Gr\u00fc\u00dfe \u65e5\u672c", u"a&b=c\r\n"),
            "mailto:?subject=Gr%C3%BC%C3%9Fe%20%E6%97%A5%E6%9C%AC&body=a%26b%3Dc%0D%0A");
  // A lone surrogate half cannot be sent as UTF-8: it becomes U+FFFD.
  EXPECT_EQ(share::MailtoAddress(u"\xD800", u""), "mailto:?subject=%EF%BF%BD&body=");
}

TEST(MailTextTest, DraftsOfTheTwoMailCommands) {
  const auto strings = Strings(u"Juhuuuu I found #AP#!");
  const share::MailDraft recommend = share::RecommendationMail(*strings);
  EXPECT_EQ(recommend.subject, u"Juhuuuu I found #AP#! :Morvandel.Gauge");
  EXPECT_EQ(recommend.noteText, u"Juhuuuu I found #AP#!");
  EXPECT_FALSE(recommend.attachProgram);
  strings->uiLanguage = 0;
  EXPECT_EQ(share::RecommendationMail(*strings).subject,
            u"Juhuuuu ich habe #AP# gefunden! :Morvandel.Gauge");
  // Ids 60 and 61 exist in no language.
  const share::MailDraft program = share::ProgramMail(*strings);
  EXPECT_EQ(program.subject, u" :Morvandel.Gauge");
  EXPECT_EQ(program.noteText, u"");
  EXPECT_TRUE(program.attachProgram);
}

class MailTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    setenv("TMPDIR", scratch_.path().c_str(), 1);
    program_ = scratch_.path() / "morvandel-gauge";
    test_support::WriteBytes(program_,
                             "\x7f"
                             "ELF program bytes");
  }
  fs::path MailZip() const {
    return platform::PrivateTempDirPath() / "Brackenfold_tmp" / "Morvandel.Gauge.zip";
  }

  test_support::EnvGuard env_{"TZ", "TMPDIR", "PATH", "MG_MAIL_HOOK_OUT"};
  test_support::ScratchFolder scratch_;
  fs::path program_;
};

TEST_F(MailTest, RecommendationHandsSubjectAndTextToXdgEmail) {
  platform::fake::RecordingShell shell;
  const auto strings = Strings(u"Juhu #AP#!\\r\\nSee #IN#");
  EXPECT_TRUE(share::SendRecommendationMail(*strings, u"http://h.example"));
  const Commands expected = {
      {"xdg-email", "--utf8",
       // The subject is used as it is: escapes and placeholders stay.
       "mailto:?subject=Juhu%20%23AP%23%21%5Cr%5CnSee%20%23IN%23%20%3AMorvandel.Gauge"
       "&body=Juhu%20Morvandel.Gauge%21%0D%0ASee%20http%3A%2F%2Fh.example%2Feu"}};
  EXPECT_EQ(shell.commands(), expected);
  EXPECT_FALSE(fs::exists(MailZip()));
}

TEST_F(MailTest, ProgramMailAttachesTheZippedProgram) {
  platform::fake::RecordingShell shell;
  const auto strings = Strings(u"Juhu");
  EXPECT_TRUE(share::SendProgramMail(*strings, u"http://h.example", program_));
  // A program that cannot be zipped is attached as it is.
  EXPECT_TRUE(share::SendProgramMail(*strings, u"http://h.example", scratch_.path() / "gone"));
  const std::string mailto = "mailto:?subject=%20%3AMorvandel.Gauge&body=";
  const Commands expected = {
      {"xdg-email", "--utf8", "--attach", MailZip().string(), mailto},
      {"xdg-email", "--utf8", "--attach", (scratch_.path() / "gone").string(), mailto}};
  EXPECT_EQ(shell.commands(), expected);
  EXPECT_TRUE(fs::is_regular_file(MailZip()));
}

TEST_F(MailTest, FalseWhenTheComposerFailsOrIsMissing) {
  platform::fake::RecordingShell shell;
  const auto strings = Strings(u"Juhu");
  shell.FailMail();
  EXPECT_FALSE(share::SendRecommendationMail(*strings, u""));
  shell.NoMailProgram();
  EXPECT_FALSE(share::SendRecommendationMail(*strings, u""));
  EXPECT_FALSE(platform::ComposeMail("https://example.org", ""));
  EXPECT_EQ(shell.commands().size(), 2u);
}

TEST_F(MailTest, ZipForMailHoldsTheProgramAndLeavesNothingOnFailure) {
  const std::optional<fs::path> zip = share::ZipForMail(program_);
  ASSERT_TRUE(zip);
  EXPECT_EQ(*zip, MailZip());
  if (access("/usr/bin/unzip", X_OK) == 0) {
    // Read back by another zip implementation: one entry, the program's
    // file name without folders, holding the program's bytes.
    const platform::CommandResult listing =
        platform::RunCommand({{"unzip", "-l", zip->string()}, true});
    ASSERT_EQ(listing.exitCode, 0) << listing.output;
    EXPECT_EQ(ListedNames(listing.output), std::vector<std::string>{"morvandel-gauge"})
        << listing.output;
    const platform::CommandResult content =
        platform::RunCommand({{"unzip", "-p", zip->string(), "morvandel-gauge"}, true});
    EXPECT_EQ(content.exitCode, 0);
    EXPECT_EQ(content.output, test_support::ReadBytes(program_));
  } else {
    ADD_FAILURE() << "unzip is not installed (scripts/deps.sh installs it)";
  }

  fs::remove(*zip);
  EXPECT_FALSE(share::ZipForMail(scratch_.path() / "gone"));
  EXPECT_TRUE(fs::is_empty(MailZip().parent_path()));
}

// The real xdg-email, with its hook script standing in for the desktop's
// mail program: what the hook receives is what a mail program would get.
TEST_F(MailTest, RealXdgEmailPassesTextAndAttachmentIntact) {
  MG_REQUIRE_INSTALLED(access("/usr/bin/xdg-email", X_OK) == 0, "xdg-email (package xdg-utils)");
  const fs::path bin = scratch_.path() / "bin";
  const fs::path received = scratch_.path() / "received";
  test_support::WriteBytes(bin / "xdg-email-hook.sh",
                           "#!/bin/sh\nprintf '%s' \"$1\" > \"$MG_MAIL_HOOK_OUT\"\n");
  chmod((bin / "xdg-email-hook.sh").c_str(), 0755);
  setenv("PATH", (bin.string() + ":" + getenv("PATH")).c_str(), 1);
  setenv("MG_MAIL_HOOK_OUT", received.c_str(), 1);

  const std::u16string subject = u"Gr\u00fc\u00dfe \\n $HOME `id` 'q' \"\u65e5\u672c\"";
  const std::u16string note = u"L\u00f6we\\r\\n\\tzwei";
  ASSERT_TRUE(share::SendMail(note, program_, subject, u"http://h/eu"));

  const std::string mail = test_support::ReadBytes(received);
  const std::string mailto = share::MailtoAddress(subject, share::ExpandNoteText(note, u""));
  ASSERT_EQ(mail.substr(0, mailto.size()), mailto);
  EXPECT_EQ(PercentDecode(mail.substr(16, mail.find("&body=") - 16)),
            "Gr\u00fc\u00dfe \\n $HOME `id` 'q' \"\u65e5\u672c\"");
  EXPECT_EQ(mail.substr(mailto.size(), 8), "&attach=");
  EXPECT_EQ(PercentDecode(mail.substr(mailto.size() + 8)), MailZip().string());
}

}  // namespace
