#include "app/settings/settings_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "tests/settings/settings_test_util.h"

namespace app {
namespace {

using namespace settings_test;

TEST(SettingsFileTest, DecodesEveryEncodingTheFileMayHave) {
  struct Case {
    const char* name;
    std::string bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"utf-16le", std::string("\xFF\xFEk\0=\0\xFC\0", 8), u"k=\u00FC"},
      {"utf-16le odd byte", std::string("\xFF\xFEk\0=\0x", 7), u"k="},
      {"utf-16be", std::string("\xFE\xFF\0k\0=\x20\xAC", 8), u"k=\u20AC"},
      {"utf-8 with bom", "\xEF\xBB\xBFk=\xE2\x82\xAC", u"k=\u20AC"},
      {"utf-8", "k=\xC3\xBC", u"k=\u00FC"},
      {"windows-1252", "k=\xFC\x80", u"k=\u00FC\u20AC"},
      {"empty", "", u""},
      {"bom only", "\xFF\xFE", u""},
      {"binary", std::string("\0\x01\xFF\n", 4), std::u16string(u"\0\x01\u00FF\n", 4)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeSettingsText(c.bytes), c.text) << c.name;
  }
  EXPECT_EQ(EncodeSettingsText(u"k=\u20AC"), std::string("\xFF\xFEk\0=\0\xAC\x20", 8));
}

TEST(SettingsFileTest, ReadRefusesWhatIsNoSettingsFile) {
  ScratchFolder dir;
  const fs::path file = dir.path() / "s.ini";
  WriteBytes(file, "[A]\nk=1\n");
  const fs::path link = dir.path() / "link.ini";
  fs::create_symlink(file, link);
  const fs::path fifo = dir.path() / "fifo.ini";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const fs::path huge = dir.path() / "huge.ini";
  WriteBytes(huge, "");
  fs::resize_file(huge, kMaxSettingsFileBytes + 1);  // sparse: costs no disk space

  EXPECT_EQ(ReadSettingsFile(file, LinkPolicy::Refuse).bytes, "[A]\nk=1\n");
  EXPECT_EQ(ReadSettingsFile(dir.path() / "none", LinkPolicy::Refuse).status, FileRead::Missing);
  EXPECT_EQ(ReadSettingsFile(link, LinkPolicy::Refuse).status, FileRead::Unreadable);
  EXPECT_EQ(ReadSettingsFile(link, LinkPolicy::Follow).status, FileRead::Ok);
  EXPECT_EQ(ReadSettingsFile(fifo, LinkPolicy::Follow).status, FileRead::Unreadable);
  EXPECT_EQ(ReadSettingsFile(dir.path(), LinkPolicy::Follow).status, FileRead::Unreadable);
  EXPECT_EQ(ReadSettingsFile(huge, LinkPolicy::Follow).status, FileRead::Unreadable);
}

TEST(SettingsFileTest, ReplaceSwapsInANewFileKeepingPermissions) {
  ScratchFolder dir;
  const fs::path file = dir.path() / "s.ini";
  WriteBytes(file, "old");
  ASSERT_EQ(chmod(file.c_str(), 0640), 0);
  struct stat before {};
  ASSERT_EQ(stat(file.c_str(), &before), 0);

  ASSERT_TRUE(ReplaceFileAtomically(file, "new content"));

  struct stat after {};
  ASSERT_EQ(stat(file.c_str(), &after), 0);
  EXPECT_EQ(ReadBytes(file), "new content");
  EXPECT_NE(after.st_ino, before.st_ino);  // renamed into place, not rewritten in place
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(SettingsFileTest, ReplaceNeverGoesThroughALinkOrLeavesAHalfFile) {
  ScratchFolder dir;
  const fs::path target = dir.path() / "elsewhere.txt";
  WriteBytes(target, "keep me");
  const fs::path link = dir.path() / "s.ini";
  fs::create_symlink(target, link);
  EXPECT_FALSE(ReplaceFileAtomically(link, "x"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(target), "keep me");
  EXPECT_FALSE(ReplaceFileAtomically(dir.path() / "missing-folder" / "s.ini", "x"));

  // A write that fails halfway, as on a full disk: the file size limit makes
  // the temporary file's write fail after 16 bytes.
  const fs::path file = dir.path() / "full.ini";
  WriteBytes(file, "the user's settings");
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool replaced = ReplaceFileAtomically(file, std::string(4096, 'x'));
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(replaced);
  EXPECT_EQ(ReadBytes(file), "the user's settings");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);
}

}  // namespace
}  // namespace app
