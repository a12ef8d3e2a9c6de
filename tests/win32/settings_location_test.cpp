// Where the settings file goes on Windows: the store's rules fed with the
// folders Windows gives (the temporary folder as GetTempPathW spells it, an
// 8.3 name included), the read-only attribute, names that are not ASCII.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "app/settings/settings_store.h"
#include "platform/paths.h"
#include "tests/support/test_files.h"
#include "tests/win32/temp_variables.h"

namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;
using test_support::WriteBytes;
using win32_test::TempVariables;

TEST(Win32SettingsLocationTest, BesideTheExecutableOnlyWhereItMayWriteThere) {
  const std::string kHandMade = "[Program]\r\nTestIni=x\r\n";  // 8-bit, as an older version wrote
  struct Case {
    const char* name;
    std::wstring exeName;
    bool inTemp;
    std::function<void(const fs::path& beside)> setup;
    bool expectBeside;
    int expectPortable;
  };
  const auto none = [](const fs::path&) {};
  const auto file = [&](const fs::path& p) { WriteBytes(p, kHandMade); };
  const Case cases[] = {
      {"nothing beside", L"gauge.exe", false, none, false, 0},
      {"writable file beside", L"gauge.exe", false, file, true, 0},
      {"portable creates beside", L"Gauge_Portable.exe", false, none, true, 1},
      {"portable, name not in ASCII", L"\u6e2c\u5b9a_p.exe", false, none, true, 1},
      {"from the temporary folder", L"gauge.exe", true, file, false, 0},
      {"read-only beside", L"gauge.exe", false,
       [&](const fs::path& p) {
         file(p);
         SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_READONLY);
       },
       false, 0},
      {"folder beside", L"gauge.exe", false, [](const fs::path& p) { fs::create_directory(p); },
       false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const test_support::ScratchFolder root;
    const fs::path temp = root.path() / L"Temporary files \u00e9t\u00e9";
    const fs::path appData = root.path() / "AppData";
    const fs::path userFile = appData / "Morvandel.Gauge" / "Morvandel.Gauge.ini";
    const fs::path exeFolder = c.inTemp ? temp / "unpacked" : root.path() / "bin";
    fs::create_directories(temp);
    fs::create_directories(exeFolder);
    const fs::path beside = exeFolder / "Morvandel.Gauge.ini";
    c.setup(beside);
    // The temporary folder as Windows gives it when TMP holds its short name.
    wchar_t shortName[MAX_PATH];
    ASSERT_GT(GetShortPathNameW(temp.c_str(), shortName, MAX_PATH), 0u);
    const TempVariables variables(shortName);

    app::SettingsStore store;
    ASSERT_EQ(
        app::LocateSettingsFile(store, {exeFolder / c.exeName, platform::SystemTempDir(), appData}),
        1);

    EXPECT_EQ(store.portableMode, c.expectPortable);
    EXPECT_FALSE(store.memoryOnly);
    EXPECT_EQ(store.settingsPath, c.expectBeside ? beside : userFile);
    EXPECT_EQ(app::ReadRawSetting(store, app::kProgramSection, u"TestIni"), u"eeee");
    // Whatever file is used is UTF-16 with its mark now.
    EXPECT_TRUE(ReadBytes(store.settingsPath).starts_with("\xFF\xFE"));
    if (!c.expectBeside && fs::is_regular_file(beside)) {
      SetFileAttributesW(beside.c_str(), FILE_ATTRIBUTE_NORMAL);
      EXPECT_EQ(ReadBytes(beside), kHandMade) << "left as it was";
    }
  }
}

}  // namespace
