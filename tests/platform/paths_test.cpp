#include "platform/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/support/env_guard.h"

namespace {

namespace fs = std::filesystem;

class PathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/mg-paths-XXXXXX";
    root_ = mkdtemp(pattern);
    setenv("TMPDIR", root_.c_str(), 1);
  }
  void TearDown() override { fs::remove_all(root_); }
  test_support::EnvGuard env_{"TMPDIR"};
  fs::path root_;
};

TEST_F(PathsTest, PrivateTempFolderIsCreatedWithMode0700) {
  const fs::path dir = platform::PrivateTempDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.parent_path(), root_);
  struct stat st {};
  ASSERT_EQ(lstat(dir.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(platform::PrivateTempDir(), dir);
}

TEST_F(PathsTest, PlantedLinkIsRefusedAndLooseModeIsTightened) {
  const fs::path expected = root_ / ("Morvandel.Gauge-" + std::to_string(getuid()));
  fs::create_directory(root_ / "elsewhere");
  fs::create_directory_symlink(root_ / "elsewhere", expected);
  EXPECT_TRUE(platform::PrivateTempDir().empty());

  fs::remove(expected);
  fs::create_directory(expected);
  chmod(expected.c_str(), 0777);
  EXPECT_EQ(platform::PrivateTempDir(), expected);
  struct stat st {};
  ASSERT_EQ(stat(expected.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(PathsTest, SubfolderIsCreatedOnceAndALinkInItsPlaceIsRefused) {
  const fs::path sub = platform::PrivateTempSubdir("mail");
  ASSERT_FALSE(sub.empty());
  EXPECT_EQ(sub, platform::PrivateTempDir() / "mail");
  EXPECT_EQ(platform::PrivateTempSubdir("mail"), sub);
  struct stat st {};
  ASSERT_EQ(lstat(sub.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  fs::create_directory(root_ / "elsewhere");
  fs::create_directory_symlink(root_ / "elsewhere", platform::PrivateTempDir() / "planted");
  EXPECT_TRUE(platform::PrivateTempSubdir("planted").empty());
}

TEST(AppDataTest, XdgConfigHomeOrDotConfig) {
  const test_support::EnvGuard env{"XDG_CONFIG_HOME", "HOME"};
  setenv("XDG_CONFIG_HOME", "/somewhere/config", 1);
  EXPECT_EQ(platform::AppDataDir(), fs::path("/somewhere/config"));
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", "/home/tester", 1);
  EXPECT_EQ(platform::AppDataDir(), fs::path("/home/tester/.config"));
}

}  // namespace

TEST(DataDirTest, TakenFromTheExecutablesFolder) {
  EXPECT_EQ(platform::DataDirBeside("/opt/mg/bin/morvandel-gauge", "../share/morvandel-gauge"),
            fs::path("/opt/mg/share/morvandel-gauge"));
  EXPECT_EQ(platform::DataDirBeside("/usr/bin/morvandel-gauge", "../share/morvandel-gauge"),
            fs::path("/usr/share/morvandel-gauge"));
  // An unknown executable gives no folder rather than one relative to the
  // working folder.
  EXPECT_TRUE(platform::DataDirBeside("", "../share/morvandel-gauge").empty());
}

// The working folder comes first, then the installed data folder; a folder
// named like the file does not count.
TEST_F(PathsTest, DataFileIsLookedForInTheWorkingFolderThenInTheDataFolder) {
  const fs::path relative = "obj/rock.obj";
  const fs::path working = root_ / "work", data = root_ / "data";
  auto put = [](const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "v 0 0 0\n";
  };
  EXPECT_TRUE(platform::FindDataFile(relative, working, data).empty());
  fs::create_directories(working / relative);
  EXPECT_TRUE(platform::FindDataFile(relative, working, data).empty());
  put(data / relative);
  EXPECT_EQ(platform::FindDataFile(relative, working, data), data / relative);
  EXPECT_TRUE(platform::FindDataFile(relative, working, "").empty());
  fs::remove(working / relative);
  put(working / relative);
  EXPECT_EQ(platform::FindDataFile(relative, working, data), relative);
}
