#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/paths.h"
#include "platform/text_codec.h"
#include "tests/support/env_guard.h"
#include "tests/support/test_files.h"

namespace platform {
namespace {

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;
namespace fs = std::filesystem;

size_t Entries(const fs::path& folder) {
  return static_cast<size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(TextFileTest, DecodesEveryEncodingTheFileMayHave) {
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
    EXPECT_EQ(DecodeTextFile(c.bytes), c.text) << c.name;
  }
  EXPECT_EQ(EncodeUtf16LeWithBom(u"k=\u20AC"), std::string("\xFF\xFEk\0=\0\xAC\x20", 8));
}

TEST(FileIoTest, ReadReportsWhyAFileWasNotRead) {
  constexpr size_t kCap = 1u << 20;
  ScratchFolder dir;
  const fs::path file = dir.path() / "s.ini";
  WriteBytes(file, "[A]\nk=1\n");
  const fs::path link = dir.path() / "link.ini";
  fs::create_symlink(file, link);
  const fs::path fifo = dir.path() / "fifo.ini";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const fs::path huge = dir.path() / "huge.ini";
  WriteBytes(huge, "");
  fs::resize_file(huge, kCap + 1);  // sparse: costs no disk space

  EXPECT_EQ(ReadFile(file, kCap, LinkPolicy::Refuse).bytes, "[A]\nk=1\n");
  EXPECT_EQ(ReadFile(file, 7).status, ReadStatus::TooLarge);
  EXPECT_EQ(ReadFile(file, 8).status, ReadStatus::Ok);
  const struct {
    fs::path path;
    LinkPolicy links;
    ReadStatus status;
  } cases[] = {
      {dir.path() / "none", LinkPolicy::Refuse, ReadStatus::Missing},
      {dir.path() / "s.ini" / "below", LinkPolicy::Follow, ReadStatus::Missing},
      {link, LinkPolicy::Refuse, ReadStatus::NotRegularFile},
      {link, LinkPolicy::Follow, ReadStatus::Ok},
      {fifo, LinkPolicy::Follow, ReadStatus::NotRegularFile},
      {dir.path(), LinkPolicy::Follow, ReadStatus::NotRegularFile},
      {huge, LinkPolicy::Follow, ReadStatus::TooLarge},
  };
  for (const auto& c : cases) {
    const FileBytes read = ReadFile(c.path, kCap, c.links);
    EXPECT_EQ(read.status, c.status) << c.path;
    if (c.status != ReadStatus::Ok) {
      EXPECT_TRUE(read.bytes.empty()) << c.path;
    }
  }
}

TEST(FileIoTest, ReplaceSwapsInANewFileKeepingPermissions) {
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
  EXPECT_EQ(Entries(dir.path()), 1u);
}

TEST(FileIoTest, ReplaceNeverGoesThroughALinkOrLeavesAHalfFile) {
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
  EXPECT_EQ(Entries(dir.path()), 3u);
}

// The check made before a benchmark run agrees with the replace itself and
// leaves nothing behind.
TEST(FileIoTest, ReplaceProblemIsFoundBeforehandAndNamed) {
  ScratchFolder dir;
  const fs::path target = dir.path() / "elsewhere.txt";
  WriteBytes(target, "keep me");
  fs::create_symlink(target, dir.path() / "link.json");
  fs::create_directory(dir.path() / "folder");
  WriteBytes(dir.path() / "old.json", "old");
  const struct {
    fs::path path;
    const char* problem;  // empty: it can be written
  } cases[] = {
      {dir.path() / "new.json", ""},
      {dir.path() / "old.json", ""},
      {dir.path() / "missing" / "run.json", "its folder does not exist"},
      {dir.path() / "folder", "it is a folder"},
      {dir.path() / "link.json", "it is a symbolic link"},
      {dir.path() / "old.json" / "run.json", "its folder is not a folder"},
      {"/proc/self/mem", "its folder cannot be written"},
  };
  for (const auto& c : cases) {
    const std::string problem = platform::ReplaceFileProblem(c.path);
    EXPECT_EQ(problem.substr(0, std::string(c.problem).size()), c.problem) << c.path;
    EXPECT_EQ(problem.empty(), std::string(c.problem).empty()) << c.path << ": " << problem;
  }
  EXPECT_EQ(Entries(dir.path()), 4u) << "no trial file stays behind, no new file appears";
  EXPECT_EQ(ReadBytes(dir.path() / "old.json"), "old");
}

// A process killed between creating its temporary file and the rename
// leaves that file behind: it must hold nothing for others to read, and the
// next clean-up removes it while files that merely look alike stay.
TEST(FileIoTest, TempFileOfAKilledWriteIsPrivateAndRemovedLater) {
  ScratchFolder dir;
  const fs::path file = dir.path() / "s.ini";
  WriteBytes(file, "old");
  ASSERT_EQ(chmod(file.c_str(), 0644), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Killed by SIGXFSZ in the middle of writing, as by any kill.
    signal(SIGXFSZ, SIG_DFL);
    rlimit small{16, 16};
    setrlimit(RLIMIT_FSIZE, &small);
    ReplaceFileAtomically(file, std::string(4096, 'x'));
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));

  fs::path stale;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    if (entry.path() != file) stale = entry.path();
  }
  ASSERT_FALSE(stale.empty());
  struct stat st {};
  ASSERT_EQ(stat(stale.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  // Names beside the stale one that are not ours, or belong to a writer that
  // still runs (this process), or are no regular file.
  const std::string prefix = ".s.ini.tmp-";
  const std::string running = std::to_string(getpid());
  const fs::path keep[] = {
      dir.path() / (prefix + running + "-5-0"),  // writer still running
      dir.path() / (prefix + "123-5"),           // too few numbers
      dir.path() / (prefix + "123-5-0.bak"),     // more after the numbers
      dir.path() / ".other.ini.tmp-123-5-0",     // another file's temporary
      dir.path() / "s.ini.tmp-123-5-0",          // no leading dot
      dir.path() / (prefix + "x-5-0"),           // not a number
  };
  for (const fs::path& path : keep) WriteBytes(path, "keep");
  const fs::path folderLookAlike = stale.string() + "0";
  fs::create_directory(folderLookAlike);

  EXPECT_EQ(RemoveStaleReplaceFiles(file), 1);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_EQ(ReadBytes(file), "old");
  for (const fs::path& path : keep) EXPECT_EQ(ReadBytes(path), "keep") << path;
  EXPECT_TRUE(fs::is_directory(folderLookAlike));
}

TEST(FileIoTest, NewFileIsCreatedWithTheUsualMode) {
  ScratchFolder dir;
  const mode_t old = umask(027);
  const bool replaced = ReplaceFileAtomically(dir.path() / "new.ini", "x");
  umask(old);
  ASSERT_TRUE(replaced);
  struct stat st {};
  ASSERT_EQ(stat((dir.path() / "new.ini").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(FileIoTest, PrivateFilesNeverFollowALinkAndNameTheirPath) {
  ScratchFolder dir;
  test_support::EnvGuard env({"TMPDIR"});
  setenv("TMPDIR", dir.path().c_str(), 1);

  const PrivateFile written = WritePrivateTempFile("a.txt", "one");
  ASSERT_TRUE(written.written);
  EXPECT_EQ(written.path, PrivateTempDirPath() / "a.txt");
  const fs::path victim = dir.path() / "victim";
  WriteBytes(victim, "keep");
  fs::remove(written.path);
  fs::create_symlink(victim, written.path);
  EXPECT_TRUE(WritePrivateTempFile("a.txt", "two").written);
  EXPECT_EQ(ReadBytes(victim), "keep");
  EXPECT_EQ(ReadBytes(written.path), "two");
  struct stat st {};
  ASSERT_EQ(lstat(written.path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  // A private folder that is refused (someone else's link in its place)
  // still names where the file was meant to go.
  fs::remove_all(PrivateTempDirPath());
  fs::create_directory_symlink(dir.path(), PrivateTempDirPath());
  const PrivateFile refused = WritePrivateTempFile("b.txt", "three");
  EXPECT_FALSE(refused.written);
  EXPECT_EQ(refused.path, PrivateTempDirPath() / "b.txt");
  EXPECT_FALSE(fs::exists(dir.path() / "b.txt"));
}

}  // namespace
}  // namespace platform
