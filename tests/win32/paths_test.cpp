// The Windows paths: the executable, the temporary folder in its long form,
// the private folder's access list, the user's application-data folder.
#include "platform/paths.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "platform/win32/user_security.h"
#include "tests/support/test_files.h"
#include "tests/win32/temp_variables.h"

namespace {

namespace fs = std::filesystem;
using platform::win32::IsUserOnlyFolder;
using win32_test::TempVariables;

TEST(Win32PathsTest, ExecutableIsThisProgram) {
  const fs::path exe = platform::ExecutablePath();
  EXPECT_TRUE(exe.is_absolute()) << exe;
  EXPECT_EQ(exe.filename(), "Win32Test.exe");
  EXPECT_TRUE(fs::is_regular_file(exe));
  EXPECT_EQ(platform::InstalledDataDir(), exe.parent_path());
}

TEST(Win32PathsTest, TemporaryFolderComesInItsLongForm) {
  const test_support::ScratchFolder scratch;
  const fs::path longFolder = scratch.path() / L"A long folder name \u00e9t\u00e9";
  ASSERT_TRUE(fs::create_directory(longFolder));
  wchar_t shortName[MAX_PATH];
  ASSERT_GT(GetShortPathNameW(longFolder.c_str(), shortName, MAX_PATH), 0u);
  ASSERT_NE(fs::path(shortName).filename(), longFolder.filename()) << "no short names here";
  const TempVariables temp(shortName);
  EXPECT_EQ(platform::SystemTempDir(), longFolder);
}

TEST(Win32PathsTest, PrivateFolderIsTheUsersAlone) {
  const test_support::ScratchFolder scratch;
  const TempVariables temp(scratch.path().wstring());
  const fs::path expected =
      scratch.path() / (L"Morvandel.Gauge-" + platform::win32::CurrentUserSid());
  EXPECT_EQ(platform::PrivateTempDirPath(), expected);

  // A folder someone made before, with the list it inherited (everybody may
  // read): its list is made private, or it is refused where that cannot be
  // done (Wine does not change an existing folder's list).
  ASSERT_TRUE(CreateDirectoryW(expected.c_str(), nullptr));
  ASSERT_FALSE(IsUserOnlyFolder(expected.wstring()));
  const fs::path reused = platform::PrivateTempDir();
  EXPECT_TRUE(reused.empty() || (reused == expected && IsUserOnlyFolder(expected.wstring())));

  fs::remove_all(expected);
  EXPECT_EQ(platform::PrivateTempDir(), expected);
  EXPECT_TRUE(IsUserOnlyFolder(expected.wstring()));
  EXPECT_EQ(platform::PrivateTempDir(), expected) << "a second call";

  const fs::path sub = platform::PrivateTempSubdir("shots");
  EXPECT_EQ(sub, expected / "shots");
  EXPECT_TRUE(fs::is_directory(sub));
  std::ofstream(expected / "taken") << "a file";
  EXPECT_EQ(platform::PrivateTempSubdir("taken"), fs::path());

  // A file where the folder should be is not a private folder.
  fs::remove_all(expected);
  std::ofstream(expected) << "not a folder";
  EXPECT_EQ(platform::PrivateTempDir(), fs::path());
}

TEST(Win32PathsTest, ApplicationDataIsTheUsersRoamingFolder) {
  const fs::path appData = platform::AppDataDir();
  EXPECT_TRUE(appData.is_absolute()) << appData;
  EXPECT_TRUE(fs::is_directory(appData)) << appData;
  EXPECT_NE(appData, platform::UserDataDir());
}

}  // namespace
