#include "app/settings/settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <functional>
#include <limits>
#include <optional>

#include "tests/settings/settings_test_util.h"

namespace app {
namespace {

using namespace settings_test;

struct Layout {
  ScratchFolder root;
  fs::path bin = root.path() / "bin";
  fs::path temp = root.path() / "tmp";
  fs::path appData = root.path() / "config";
  fs::path userFile = appData / "Morvandel.Gauge" / "Morvandel.Gauge.ini";

  Layout() {
    fs::create_directories(bin);
    fs::create_directories(temp);
  }
  SettingsLocationInput Input(const fs::path& exe) const { return {exe, temp, appData}; }
};

std::u16string FileText(const fs::path& path) { return platform::DecodeTextFile(ReadBytes(path)); }

TEST(SettingsStoreTest, LocationRules) {
  const std::string kHandMade = Utf16File(u"[Program]\r\nTestIni=x\r\n");
  struct Case {
    const char* name;
    const char* exeName;
    bool inTemp;
    std::function<void(const fs::path& beside)> setup;
    bool expectBeside;
    int expectPortable;
  };
  const auto none = [](const fs::path&) {};
  const auto file = [&](const fs::path& p) { WriteBytes(p, kHandMade); };
  const Case cases[] = {
      {"nothing beside", "gauge", false, none, false, 0},
      {"writable file beside", "gauge", false, file, true, 0},
      {"portable creates beside", "gauge_portable", false, none, true, 1},
      {"portable, any case", "Gauge_P.bin", false, none, true, 1},
      {"marker at start does not count", "_pgauge", false, none, false, 0},
      {"from temp folder", "gauge", true, file, false, 0},
      {"read-only beside", "gauge", false,
       [&](const fs::path& p) {
         file(p);
         chmod(p.c_str(), 0444);
       },
       false, 0},
      {"folder beside", "gauge", false, [](const fs::path& p) { fs::create_directory(p); }, false,
       0},
      {"link beside", "gauge", false,
       [&](const fs::path& p) {
         file(p.parent_path() / "real.ini");
         fs::create_symlink("real.ini", p);
       },
       false, 0},
      {"huge file beside", "gauge", false,
       [](const fs::path& p) {
         WriteBytes(p, "");
         fs::resize_file(p, 100u << 20);
       },
       false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Layout at;
    const fs::path exeFolder = c.inTemp ? at.temp / "unpacked" : at.bin;
    fs::create_directories(exeFolder);
    const fs::path beside = exeFolder / "Morvandel.Gauge.ini";
    c.setup(beside);
    const FileState before = StateOf(beside);
    // The temporary folder as the environment may spell it.
    const SettingsLocationInput in{exeFolder / c.exeName, at.temp.string() + "//", at.appData};

    SettingsStore store;
    ASSERT_EQ(LocateSettingsFile(store, in), 1);

    EXPECT_EQ(store.portableMode, c.expectPortable);
    EXPECT_FALSE(store.memoryOnly);
    EXPECT_EQ(store.settingsPath, c.expectBeside ? beside : at.userFile);
    EXPECT_EQ(ReadRawSetting(store, kProgramSection, u"TestIni"), u"eeee");
    if (!c.expectBeside) {
      struct stat st {};
      ASSERT_EQ(stat(at.userFile.parent_path().c_str(), &st), 0);
      EXPECT_EQ(st.st_mode & 0777, 0700u);
      // Whatever was beside the executable is left exactly as it was.
      EXPECT_EQ(StateOf(beside), before);
    }
  }
}

TEST(SettingsStoreTest, BadSettingsFilesNeverStopTheProgramNorLoseTheFile) {
  const std::u16string kValid = u"[Morvandel.Gauge]\r\nrender_type=2\r\n";
  enum class Expect { Converted, KeptInMemory };
  struct Case {
    const char* name;
    std::function<void(const fs::path& file)> setup;
    Expect expect;
    int renderType;  // as read after start-up; 1 is the default
  };
  const Case cases[] = {
      {"empty", [](const fs::path& p) { WriteBytes(p, ""); }, Expect::Converted, 1},
      {"bom only", [](const fs::path& p) { WriteBytes(p, "\xFF\xFE"); }, Expect::Converted, 1},
      {"binary", [](const fs::path& p) { WriteBytes(p, std::string("\0\x01\x9D\xFE\xC3", 5)); },
       Expect::Converted, 1},
      {"odd byte count", [&](const fs::path& p) { WriteBytes(p, Utf16File(kValid) + "r"); },
       Expect::Converted, 2},
      {"100 MB",
       [](const fs::path& p) {
         WriteBytes(p, "");
         fs::resize_file(p, 100u << 20);
       },
       Expect::KeptInMemory, 1},
      {"read-only",
       [&](const fs::path& p) {
         WriteBytes(p, Utf16File(kValid));
         chmod(p.c_str(), 0444);
       },
       Expect::KeptInMemory, 2},
      {"folder", [](const fs::path& p) { fs::create_directories(p); }, Expect::KeptInMemory, 1},
      {"link to another file",
       [&](const fs::path& p) {
         WriteBytes(p.parent_path() / "dotfiles.ini", Utf16File(kValid));
         fs::create_symlink("dotfiles.ini", p);
       },
       Expect::KeptInMemory, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Layout at;
    fs::create_directories(at.userFile.parent_path());
    c.setup(at.userFile);
    const FileState before = StateOf(at.userFile);

    SettingsStore store;
    ASSERT_EQ(LocateSettingsFile(store, at.Input(at.bin / "gauge")), 1);
    const FileState afterStart = StateOf(at.userFile);
    EXPECT_EQ(ReadIntSetting(store, store.productSection, u"render_type", 1, -1, -1), c.renderType);
    EXPECT_TRUE(WriteIntSetting(store, store.productSection, u"render_type", 0));
    EXPECT_EQ(ReadIntSetting(store, store.productSection, u"render_type", 1, -1, -1), 0);

    if (c.expect == Expect::KeptInMemory) {
      EXPECT_TRUE(store.memoryOnly);
      EXPECT_EQ(StateOf(at.userFile), before);
    } else {
      EXPECT_FALSE(store.memoryOnly);
      EXPECT_TRUE(afterStart.bytes.starts_with("\xFF\xFE"));
      // Everything readable before is still there, first in the file.
      const std::u16string old = platform::DecodeTextFile(before.bytes);
      EXPECT_EQ(platform::DecodeTextFile(afterStart.bytes).substr(0, old.size()), old);
    }
  }
}

// A write killed before its rename leaves ".<name>.tmp-<pid>-<n>-<k>"
// beside the settings file. The next start removes such leftovers of
// processes that are gone, and nothing else.
TEST(SettingsStoreTest, StartRemovesTemporaryFilesOfKilledWrites) {
  Layout layout;
  WriteBytes(layout.userFile, Utf16File(u"[Morvandel.Gauge]\r\nm_p_x=7\r\n"));
  const pid_t gone = fork();
  ASSERT_GE(gone, 0);
  if (gone == 0) _exit(0);
  ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
  const fs::path folder = layout.userFile.parent_path();
  const fs::path stale = folder / (".Morvandel.Gauge.ini.tmp-" + std::to_string(gone) + "-42-0");
  const fs::path lookAlike = folder / ("Morvandel.Gauge.ini.tmp-" + std::to_string(gone) + "-42-0");
  const fs::path userNote = folder / ".Morvandel.Gauge.ini.tmp-notes";
  for (const fs::path& path : {stale, lookAlike, userNote}) WriteBytes(path, "half");

  SettingsStore store;
  LocateSettingsFile(store, layout.Input(layout.bin / "gauge"));
  ASSERT_EQ(store.settingsPath, layout.userFile);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_EQ(ReadBytes(lookAlike), "half");
  EXPECT_EQ(ReadBytes(userNote), "half");
  EXPECT_EQ(ReadIntSetting(store, store.productSection, u"m_p_x", 0, -1, -1), 7);
}

TEST(SettingsStoreTest, AnsiFileFromEarlierVersionBecomesUtf16WithItsContent) {
  Layout at;
  WriteBytes(at.userFile, "[Morvandel.Gauge]\r\nname=M\xFCller\r\nfuture_key=1\r\n");
  SettingsStore store;
  LocateSettingsFile(store, at.Input(at.bin / "gauge"));
  EXPECT_EQ(ReadBytes(at.userFile).substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(FileText(at.userFile),
            u"[Morvandel.Gauge]\r\nname=M\u00FCller\r\nfuture_key=1\r\n\r\n"
            u"[Program]\r\nTestIni=eeee\r\n");
}

TEST(SettingsStoreTest, ReadIntSettingParsesLeadingDigitsAndClamps) {
  struct Case {
    std::optional<std::u16string> stored;
    int min;
    int max;
    int expected;
  };
  const Case cases[] = {
      {u"12abc", -1, -1, 12},     {u"abc", -1, -1, 0},   {u"", -1, -1, 42},
      {std::nullopt, -1, -1, 42}, {u" -7 ", -1, -1, -7}, {u"99999999999", -1, -1, INT_MAX},
      {u"-5", 0, -1, -5},         {u"7", 0, 2, 2},       {u"-3", 0, 2, 0},
      {std::nullopt, 0, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "min " << c.min << " max " << c.max << " expected " << c.expected);
    SettingsStore store;
    store.memoryOnly = true;
    if (c.stored) store.memory.Set(kProductName, u"k", *c.stored);
    EXPECT_EQ(ReadIntSetting(store, kProductName, u"k", 42, c.min, c.max), c.expected);
  }
}

TEST(SettingsStoreTest, FloatsAndTextReadAndWriteInFixedForms) {
  Layout at;
  SettingsStore store;
  LocateSettingsFile(store, at.Input(at.bin / "gauge"));
  const std::u16string s = store.productSection;

  EXPECT_EQ(ReadFloatSetting(store, s, u"missing", 0.1234567f), 0.123457f);
  WriteFloatSetting(store, s, u"WaterHeight", 131.5f);
  WriteStringSetting(store, s, u"t", u"3.25xyz");
  WriteStringSetting(store, s, u"a", u"abc");
  WriteStringSetting(store, s, u"big", u"1e39");
  EXPECT_EQ(ReadRawSetting(store, s, u"WaterHeight"), u"131.500000");
  EXPECT_EQ(ReadFloatSetting(store, s, u"t", 9.0f), 3.25f);
  EXPECT_EQ(ReadFloatSetting(store, s, u"a", 9.0f), 0.0f);
  EXPECT_EQ(ReadFloatSetting(store, s, u"big", 9.0f), std::numeric_limits<float>::infinity());

  WriteStringSetting(store, s, u"long", std::u16string(2000, u'x'));
  std::u16string buffer = u"default";
  ReadStringSetting(store, s, u"long", buffer);
  EXPECT_EQ(buffer.size(), kMaxSettingText);
  buffer = u"default";
  ReadStringSetting(store, s, u"missing", buffer);
  EXPECT_EQ(buffer, u"default");
}

TEST(SettingsStoreTest, WritesKeepUnknownKeysAndReadsSeeEditsMadeMeanwhile) {
  Layout at;
  WriteBytes(at.userFile,
             Utf16File(u"; mine\r\n[Morvandel.Gauge]\r\nfuture_key=1\r\nrender_type=1\r\n"));
  SettingsStore store;
  LocateSettingsFile(store, at.Input(at.bin / "gauge"));
  WriteIntSetting(store, store.productSection, u"render_type", 2);
  WriteIntSetting(store, store.productSection, u"m_screen_type", 3);
  EXPECT_EQ(FileText(at.userFile),
            u"; mine\r\n[Morvandel.Gauge]\r\nfuture_key=1\r\nrender_type=2\r\nm_screen_type=3\r\n"
            u"\r\n[Program]\r\nTestIni=eeee\r\n");

  WriteBytes(at.userFile, Utf16File(u"[Morvandel.Gauge]\r\nrender_type=0\r\n"));
  EXPECT_EQ(ReadIntSetting(store, store.productSection, u"render_type", 1, -1, -1), 0);
}

}  // namespace
}  // namespace app
