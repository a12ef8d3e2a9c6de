// The menu's commands against their effects: the settings file, the window,
// the pages, the selection sound, the outside programs started and the boxes
// shown.
#include "app/menu_commands.h"

#include <algorithm>
#include <fstream>
#include <optional>

#include "app/main_window.h"
#include "lang/language.h"
#include "platform/fake/fixed_system_info.h"
#include "platform/fake/recording_message_box.h"
#include "platform/fake/recording_shell.h"
#include "platform/paths.h"
#include "platform/text_codec.h"
#include "sound/interface_sounds.h"
#include "tests/app/app_test_records.h"
#include "tests/lang/lang_test_support.h"
#include "tests/support/env_guard.h"
#include "tests/support/test_files.h"

namespace {

using Argv = std::vector<std::string>;
using gui::CommandKind;
using gui::Do;
using gui::Link;

std::string Name(const gui::Command& command) {
  return platform::Utf16ToUtf8(gui::CommandText(command));
}

class MenuCommandsTest : public apptest::AppRecordsTest {
 protected:
  void SetUp() override {
    apptest::AppRecordsTest::SetUp();
    // Links choose the homepage variant by time zone: UTC keeps one time all
    // year, which gives the international variant.
    setenv("TZ", "UTC0", 1);
    setenv("TMPDIR", (root_ / "tmp").c_str(), 1);
    std::filesystem::create_directories(root_ / "tmp");
    // German, English, French and the closing unnamed language: 0..3.
    saved_ = std::move(lang::ProgramStrings());
    lang::ProgramStrings() = lang::StringArchive{};
    lang::BuildStringArchive(lang::ProgramStrings(),
                             lang::testing::Utf16Le(lang::testing::kSmallArchive));
    lang::SetUiLanguage(1);

    ASSERT_TRUE(app::CreateMainWindow(windows_, a_.win, a_.app, "", 1024, 768, true));
    sound::CreateInterfaceSounds(audio_, a_.sounds);
    // Each click sound has ended before the next one.
    a_.menu.hooks.playSelectionSound = [this] {
      sound::PlayClickSound(audio_, a_.sounds);
      for (const platform::AudioBufferId buffer : a_.sounds.click.buffers) {
        audio_.SetPlaying(buffer, false);
      }
    };
    a_.settings.homepageUrl.value = u"https://home.example";
    a_.settings.menuShown.value = 1;
    a_.menu.page = 3;
    a_.menu.dirty = false;
    audio_.ClearLog();
    windows_.ClearLog();
  }
  void TearDown() override {
    lang::ProgramStrings() = std::move(saved_);
    apptest::AppRecordsTest::TearDown();
  }

  void Run(const gui::Command& command) { app::ExecuteCommand(a_, command, system_); }
  std::optional<std::u16string> Stored(std::u16string_view key) {
    return app::ReadRawSetting(a_.store, a_.store.productSection, key);
  }
  std::string SettingsFile() { return test_support::ReadBytes(a_.store.settingsPath); }
  int Sounds() const {
    const auto& log = audio_.log();
    return static_cast<int>(std::count_if(
        log.begin(), log.end(), [](const std::string& e) { return e.rfind("play ", 0) == 0; }));
  }
  bool WindowLogHas(std::string_view prefix) const {
    const auto log = windows_.log();
    return std::any_of(log.begin(), log.end(),
                       [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
  }

  test_support::EnvGuard env_{"TZ", "TMPDIR"};
  platform::fake::RecordingShell shell_;
  platform::fake::RecordingMessageBox boxes_;
  platform::fake::FixedSystemInfo system_;
  lang::StringArchive saved_;
};

TEST(AntialiasLabelTest, TheSampleCountIsReadBackFromItsLabel) {
  for (const int samples : {0, 2, 4, 16}) {
    EXPECT_EQ(app::AntialiasSamples(app::AntialiasLabel(samples)), samples);
  }
  for (const std::u16string_view other : {u"Aus", u"MSAA: X", u"MSAA: -4 X", u""}) {
    EXPECT_EQ(app::AntialiasSamples(other), 0) << platform::Utf16ToUtf8(other);
  }
}

TEST_F(MenuCommandsTest, LinksOpenTheirAddressesInTheBrowser) {
  const std::string intl = "https://home.example/int";
  const std::string product = "/?seite=Freeware/Morvandel.Gauge";
  const struct {
    Link link;
    int language;
    std::string address;
  } cases[] = {
      {Link::Faq, 1, intl + "/?seite=faq-Morvandel.Gauge&faq=0"},
      {Link::Homepage, 1, intl + product},
      {Link::More, 1, intl},
      {Link::Results, 1, "https://home.example/eu/?seite=MorvandelGauge"},
      {Link::Results, 0, "https://home.example/eu/?seite=MorvandelGauge"},
      {Link::Donate, 1, intl + "/?seite=PayPal&Program=Morvandel.Gauge"},
      {Link::History, 1, intl + product + "/History"},
      {Link::Thanks, 1, intl + product + "/Thanks"},
      {Link::Thanks, 0, "https://home.example/de" + product + "/Danke"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Name(gui::OpenLink(c.link)));
    lang::SetUiLanguage(c.language);
    const size_t before = shell_.commands().size();
    Run(gui::OpenLink(c.link));
    ASSERT_EQ(shell_.commands().size(), before + 1);
    EXPECT_EQ(shell_.commands().back(), (Argv{"xdg-open", c.address}));
  }
  EXPECT_TRUE(boxes_.boxes().empty());
  EXPECT_EQ(Sounds(), 0);
}

TEST_F(MenuCommandsTest, MailCommandsOpenTheComposerTheSecondWithTheProgramZipped) {
  Run(Do(CommandKind::MailRecommendation));
  ASSERT_EQ(shell_.commands().size(), 1u);
  const Argv recommend = shell_.commands()[0];
  ASSERT_EQ(recommend.size(), 3u);
  EXPECT_EQ(recommend[0], "xdg-email");
  EXPECT_EQ(recommend[2].rfind("mailto:?subject=", 0), 0u) << recommend[2];

  Run(Do(CommandKind::MailProgram));
  ASSERT_EQ(shell_.commands().size(), 2u);
  const Argv send = shell_.commands()[1];
  ASSERT_EQ(send.size(), 5u);
  EXPECT_EQ(send[0], "xdg-email");
  EXPECT_EQ(send[2], "--attach");
  EXPECT_EQ(std::filesystem::path(send[3]).filename(), "Morvandel.Gauge.zip");
  EXPECT_TRUE(std::filesystem::exists(send[3]));
}

TEST_F(MenuCommandsTest, SettingChoicesAreKeptAndWrittenAtOnce) {
  const struct {
    gui::Command command;
    std::u16string_view key;
    std::u16string_view stored;
    bool sound;
  } cases[] = {
      {Do(CommandKind::ChooseQuality, 0), u"render_type", u"0", true},
      {Do(CommandKind::ChooseQuality, 2), u"render_type", u"2", true},
      {Do(CommandKind::ChooseScreen, 1), u"m_screen_type", u"1", true},
      {Do(CommandKind::ChooseScreen, 3), u"m_screen_type", u"3", true},
      {Do(CommandKind::ChooseBrightness, -30), u"m_global_gama", u"0.700000", false},
      {Do(CommandKind::ChooseBrightness, 30), u"m_global_gama", u"1.300000", false},
      {Do(CommandKind::ChooseBrightness, 0), u"m_global_gama", u"1.000000", false},
      {Do(CommandKind::ChooseLanguage, 0), u"m_lang_id", u"0", true},
      {Do(CommandKind::ChooseLanguage, 2), u"m_lang_id", u"2", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Name(c.command));
    const int sounds = Sounds();
    a_.menu.dirty = false;
    Run(c.command);
    EXPECT_EQ(Stored(c.key), std::u16string(c.stored));
    EXPECT_EQ(Sounds(), sounds + (c.sound ? 1 : 0));
    EXPECT_TRUE(a_.menu.dirty);
  }
  // What the program uses is what was stored.
  EXPECT_EQ(a_.settings.quality.value, 2);
  EXPECT_EQ(a_.settings.screenChoice.value, 3);
  EXPECT_FLOAT_EQ(a_.settings.brightness.value, 1.0f);
  EXPECT_EQ(a_.settings.languageId.value, 2);
  EXPECT_EQ(lang::UiLanguage(), 2);
  EXPECT_EQ(a_.menu.page, 0) << "a language choice returns to the main page";
  // 1920 x 1080 centred on the 1280 x 1024 screen.
  EXPECT_NE(windows_.Find("place -320,-28,1600,1052"), -1);
}

TEST_F(MenuCommandsTest, TheSelectedChoiceAgainStoresNothingButAnswers) {
  // Defaults: render quality 1, screen type 0, language 1.
  for (const gui::Command command :
       {Do(CommandKind::ChooseQuality, 1), Do(CommandKind::ChooseScreen, 0),
        Do(CommandKind::ChooseLanguage, 1)}) {
    SCOPED_TRACE(Name(command));
    const int sounds = Sounds();
    a_.menu.dirty = false;
    Run(command);
    EXPECT_EQ(Sounds(), sounds + 1);
    EXPECT_TRUE(a_.menu.dirty);
  }
  EXPECT_FALSE(Stored(u"render_type"));
  EXPECT_FALSE(Stored(u"m_screen_type"));
  EXPECT_FALSE(Stored(u"m_lang_id"));
  EXPECT_TRUE(WindowLogHas("borderless")) << "screen type 0 is applied again";

  // A windowed size chosen again is placed again.
  a_.settings.screenChoice.value = 2;
  windows_.ClearLog();
  Run(Do(CommandKind::ChooseScreen, 2));
  EXPECT_FALSE(Stored(u"m_screen_type"));
  EXPECT_TRUE(WindowLogHas("place "));
}

TEST_F(MenuCommandsTest, AntialiasingChoiceAsksForANewContextAndReturnsToTheMainPage) {
  const struct {
    int asked;
    int samples;
  } cases[] = {{4, 4}, {0, 0}, {16, 16}, {-4, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.asked);
    a_.win.sampleCount = 2;
    a_.win.pixelFormatPending = false;
    a_.menu.page = 2;
    const int sounds = Sounds();
    Run(Do(CommandKind::ChooseAntialiasing, c.asked));
    EXPECT_EQ(a_.win.sampleCount, c.samples);
    EXPECT_TRUE(a_.win.pixelFormatPending);
    EXPECT_EQ(a_.menu.page, 0);
    EXPECT_EQ(Sounds(), sounds + 1);
  }
}

TEST_F(MenuCommandsTest, PageCommandsShowTheirPagesAndBackReturns) {
  const struct {
    gui::Command command;
    int page;
  } cases[] = {{Do(CommandKind::ShowPage, 2), 2},
               {Do(CommandKind::ShowPage, 1), 1},
               {Do(CommandKind::ShowPage, 5), 5},
               {Do(CommandKind::ShowPage, 3), 3},
               {Do(CommandKind::Back), 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(Name(c.command));
    const int sounds = Sounds();
    Run(c.command);
    EXPECT_EQ(a_.menu.page, c.page);
    EXPECT_EQ(Sounds(), sounds + 1);
  }
  EXPECT_EQ(a_.settings.menuShown.value, 1) << "back from a sub-page keeps the menu";
}

TEST_F(MenuCommandsTest, LanguagesOutsideTheArchiveAskAndChangeNothing) {
  Run(Do(CommandKind::ChooseQuality, 0));
  const std::string settings = SettingsFile();
  audio_.ClearLog();
  a_.menu.dirty = false;
  const int languages[] = {4, -1, 2147483647};
  for (const int language : languages) Run(Do(CommandKind::ChooseLanguage, language));
  Run({});  // an item without a command
  ASSERT_EQ(boxes_.boxes().size(), std::size(languages));
  for (size_t i = 0; i < std::size(languages); ++i) {
    EXPECT_EQ(boxes_.boxes()[i].text, u"#LNG:" + platform::FormatInt(languages[i]));
    EXPECT_EQ(boxes_.boxes()[i].caption, u"command?");
  }
  EXPECT_EQ(SettingsFile(), settings);
  EXPECT_EQ(lang::UiLanguage(), 1);
  EXPECT_EQ(a_.menu.page, 3);
  EXPECT_FALSE(a_.menu.dirty);
  EXPECT_EQ(Sounds(), 0);
  EXPECT_TRUE(shell_.commands().empty());
}

TEST_F(MenuCommandsTest, StartCommandsHideTheMenuAndRunOrFly) {
  // Without a camera path no run starts and the menu stays.
  Run(Do(CommandKind::StartRun));
  EXPECT_FALSE(a_.player.playing);
  EXPECT_EQ(a_.settings.menuShown.value, 1);
  EXPECT_EQ(Stored(u"show_info2"), u"1");

  a_.player.keyframes = {{0, 300, 0, 0, 0, 0, 0.0}, {0, 300, -1, 0, 0, 0, 1000.0}};
  Run(Do(CommandKind::StartRun));
  EXPECT_TRUE(a_.player.playing);
  EXPECT_EQ(a_.settings.menuShown.value, 0);
  EXPECT_EQ(Stored(u"show_info2"), u"0");

  a_.settings.menuShown.value = 1;
  Run(Do(CommandKind::StartAutopilot));
  EXPECT_EQ(a_.settings.menuShown.value, 0);
  EXPECT_EQ(Stored(u"show_info2"), u"0");
  EXPECT_EQ(a_.settings.autopilotOn.value, 1);
  EXPECT_FALSE(Stored(u"m_autopilot"));

  Run(Do(CommandKind::Exit));
  EXPECT_NE(windows_.Find("post quit 0"), -1);
}

TEST_F(MenuCommandsTest, TranslationCommandsWriteTheTemplateAndLoadAFile) {
  Run(Do(CommandKind::ExportTranslation));
  ASSERT_EQ(shell_.commands().size(), 1u);
  const Argv opened = shell_.commands()[0];
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], "xdg-open");
  EXPECT_EQ(opened[1],
            (platform::PrivateTempDirPath() / "Morvandel.Gauge_2.33_translate.txt").string());
  EXPECT_TRUE(std::filesystem::exists(opened[1]));

  const std::filesystem::path mine = root_ / "mine.txt";
  std::ofstream(mine) << "12=Mine\n";
  shell_.ChooseFile(mine);
  a_.menu.dirty = false;
  Run(Do(CommandKind::LoadTranslation));
  EXPECT_EQ(std::u16string(lang::GetString(12)), u"Mine");
  EXPECT_TRUE(a_.menu.dirty) << "the menu is drawn again in the loaded texts";
}

TEST_F(MenuCommandsTest, ResultsPageCommandsExportTheResultAndAskForAScreenshot) {
  a_.settings.compareUrl.value = u"https://example.org";
  Run(Do(CommandKind::Compare));
  ASSERT_EQ(shell_.commands().size(), 1u);
  const Argv opened = shell_.commands()[0];
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], "xdg-open");
  EXPECT_NE(test_support::ReadBytes(opened[1]).find("https://example.org"), std::string::npos);
  EXPECT_GT(system_.queries, 0);

  EXPECT_FALSE(a_.app.screenshotPending);
  Run(Do(CommandKind::Screenshot));
  EXPECT_TRUE(a_.app.screenshotPending);
}

}  // namespace
