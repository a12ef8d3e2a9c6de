// Whole files on Windows: why a read fails, replacement that keeps the old
// file's attributes and leaves no temporary file, the problems named before
// a write, the temporary files of killed writers, new files.
#include "platform/file_io.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/paths.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using platform::ReadStatus;
using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Win32FileIoTest, ReadReportsWhyAFileWasNotRead) {
  const ScratchFolder dir;
  const fs::path file = dir.path() / "ten.bin";
  WriteBytes(file, "0123456789");
  struct Case {
    fs::path path;
    size_t cap;
    ReadStatus status;
  };
  const Case cases[] = {
      {file, 10, ReadStatus::Ok},
      {file, 9, ReadStatus::TooLarge},
      {dir.path() / "missing.bin", 10, ReadStatus::Missing},
      {dir.path() / "no folder" / "missing.bin", 10, ReadStatus::Missing},
      {dir.path(), 10, ReadStatus::NotRegularFile},
      {"NUL", 10, ReadStatus::NotRegularFile},  // a device never blocks a read
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.string());
    const platform::FileBytes read = platform::ReadFile(c.path, c.cap);
    EXPECT_EQ(read.status, c.status);
    EXPECT_EQ(read.bytes, c.status == ReadStatus::Ok ? "0123456789" : "");
  }
  std::string chunks;
  EXPECT_EQ(platform::ReadFileInChunks(file, 4,
                                       [&](std::span<const uint8_t> chunk) {
                                         chunks.append(chunk.begin(), chunk.end());
                                         chunks += '|';
                                         return true;
                                       }),
            ReadStatus::Ok);
  EXPECT_EQ(chunks, "0123|4567|89|");
}

// Whether ReplaceFileW carries the old file's attributes and access list
// over is Windows' promise; Wine's does not, so it is not checked here.
TEST(Win32FileIoTest, ReplaceMakesOrSwapsTheFileAndLeavesNoTemporaryFile) {
  const ScratchFolder dir;
  const fs::path file = dir.path() / L"r\u00e9glages.ini";
  ASSERT_TRUE(platform::ReplaceFileAtomically(file, "first"));
  EXPECT_EQ(ReadBytes(file), "first");
  ASSERT_TRUE(platform::ReplaceFileAtomically(file, "second"));
  EXPECT_EQ(ReadBytes(file), "second");
  EXPECT_EQ(Names(dir.path()), std::vector<std::string>{file.filename().string()});

  // A folder of that name is refused and left alone.
  const fs::path folder = dir.path() / "folder.ini";
  fs::create_directory(folder);
  EXPECT_FALSE(platform::ReplaceFileAtomically(folder, "x"));
  EXPECT_TRUE(fs::is_directory(folder));
}

TEST(Win32FileIoTest, ReplaceProblemIsFoundBeforehandAndNamed) {
  const ScratchFolder dir;
  const fs::path readOnly = dir.path() / "read-only.ini";
  WriteBytes(readOnly, "kept");
  ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  fs::create_directory(dir.path() / "folder.ini");
  struct Case {
    fs::path path;
    std::string problem;
  };
  const Case cases[] = {
      {dir.path() / "new.ini", ""},
      {fs::path(), "it names no file"},
      {dir.path() / "folder.ini", "it is a folder"},
      {readOnly, "it is read-only"},
      {dir.path() / "missing" / "new.ini", "its folder does not exist"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.string());
    EXPECT_EQ(platform::ReplaceFileProblem(c.path), c.problem);
  }
  EXPECT_FALSE(platform::ReplaceFileAtomically(readOnly, "lost"));
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadBytes(readOnly), "kept");
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"folder.ini", "read-only.ini"}));
}

TEST(Win32FileIoTest, OnlyTemporaryFilesOfEndedWritersAreRemoved) {
  const ScratchFolder dir;
  const fs::path file = dir.path() / "settings.ini";
  WriteBytes(file, "kept");
  const std::string own = std::to_string(GetCurrentProcessId());
  // Windows' process ids are multiples of 4: no process has this one.
  const std::string ended = "2147483643";
  const std::vector<std::string> names = {
      ".settings.ini.tmp-" + ended + "-5-0", ".settings.ini.tmp-" + own + "-5-0",
      ".settings.ini.tmp-x-5-0", ".other.ini.tmp-" + ended + "-5-0"};
  for (const std::string& name : names) {
    WriteBytes(dir.path() / name, "left");
  }
  fs::create_directory(dir.path() / (".settings.ini.tmp-" + ended + "-6-0"));
  EXPECT_EQ(platform::RemoveStaleReplaceFiles(file), 1);
  EXPECT_EQ(Names(dir.path()),
            (std::vector<std::string>{
                ".other.ini.tmp-" + ended + "-5-0", ".settings.ini.tmp-" + ended + "-6-0",
                ".settings.ini.tmp-" + own + "-5-0", ".settings.ini.tmp-x-5-0", "settings.ini"}));
}

TEST(Win32FileIoTest, NewFilesReplaceOldOnesButNeverAFolder) {
  const ScratchFolder dir;
  WriteBytes(dir.path() / "page.html", "old");
  const platform::PrivateFile page = platform::WriteNewFile(dir.path(), "page.html", "new");
  EXPECT_TRUE(page.written);
  EXPECT_EQ(page.path, dir.path() / "page.html");
  EXPECT_EQ(ReadBytes(page.path), "new");

  fs::create_directory(dir.path() / "taken");
  const platform::PrivateFile refused = platform::WriteNewFile(dir.path(), "taken", "x");
  EXPECT_FALSE(refused.written);
  EXPECT_EQ(refused.path, dir.path() / "taken");
  EXPECT_TRUE(fs::is_directory(refused.path));

  const platform::PrivateFile temp = platform::WritePrivateTempFile("shot.png", "png");
  EXPECT_TRUE(temp.written);
  EXPECT_EQ(temp.path, platform::PrivateTempDir() / "shot.png");
  EXPECT_EQ(ReadBytes(temp.path), "png");
  fs::remove(temp.path);
}

}  // namespace
