#include "app/menu_commands.h"

#include <algorithm>

#include "app/benchmark_run.h"
#include "app/compare.h"
#include "app/main_window.h"
#include "app/screenshot.h"
#include "gui/menu_pages.h"
#include "lang/language.h"
#include "lang/translation.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/text_codec.h"
#include "share/mail.h"
#include "share/open_link.h"

namespace app {
namespace {

bool Begins(std::u16string_view command, std::u16string_view prefix) {
  return command.substr(0, prefix.size()) == prefix;
}

bool IsLink(std::u16string_view command) {
  for (std::u16string_view link :
       {u"WWW", u"More", u"Results", u"WWW1?", u"Homepage", u"# Donate", u"History", u"# THX"}) {
    if (command == link) return true;
  }
  return false;
}

void OpenLink(const Application& a, const std::u16string& command) {
  share::OpenLink(platform::Utf16ToUtf8(command), lang::UiLanguage(), a.settings.homepageUrl.value);
}

void PlaySelectionSound(Application& a) {
  if (a.menu.hooks.playSelectionSound) a.menu.hooks.playSelectionSound();
}

void ReportUnknown(const std::u16string& command) {
  platform::ShowMessageBox(command, u"command?");
}

// The language of the user interface; one the archive does not have is
// refused rather than looked up.
bool ChooseLanguage(Application& a, const std::u16string& command) {
  const int language = CommandNumber(command);
  if (language < 0 || language >= lang::ProgramStrings().languageCount) return false;
  lang::SetUiLanguage(language);
  if (language != a.settings.languageId.value) {
    a.settings.languageId.value = language;
    WriteSetting(a.store, a.settings.languageId);
  }
  gui::ShowPage(a.menu, gui::kMainPage);
  return true;
}

// The new sample count takes effect when the next frame re-creates the
// context; a count the driver cannot give falls back to "Off" there.
void ChooseAntialiasing(Application& a, const std::u16string& command) {
  a.win.sampleCount = std::max(0, CommandNumber(command));
  a.win.pixelFormatPending = true;
  gui::ShowPage(a.menu, gui::kMainPage);
}

// "Light:-30 %" gives 0.7. The scene uses brightness within [0.5, 1.5].
void ChooseBrightness(Application& a, const std::u16string& command) {
  const double percent = static_cast<double>(CommandNumber(command)) + 100.0;
  a.settings.brightness.value = ClampGamma(static_cast<float>(percent / 100.0));
  WriteSetting(a.store, a.settings.brightness);
  gui::RequestRedraw(a.menu);
}

// Choosing the selected choice again stores nothing but still answers with
// the sound.
void ChooseChoice(Application& a, SettingEntry<int>& entry, int choice) {
  if (entry.value != choice) {
    entry.value = choice;
    WriteSetting(a.store, entry);
  }
  gui::RequestRedraw(a.menu);
  PlaySelectionSound(a);
}

void ToggleMenu(Application& a) {
  a.settings.menuShown.value = a.settings.menuShown.value != 0 ? 0 : 1;
  WriteSetting(a.store, a.settings.menuShown);
}

// Without a camera path no run starts: the menu comes back rather than
// leaving the user at a hidden menu with nothing happening.
void StartBenchmarkRun(Application& a) {
  ToggleMenu(a);
  if (!StartRun(a)) ToggleMenu(a);
}

}  // namespace

int CommandNumber(std::u16string_view command) {
  const size_t colon = command.find(u':');
  if (colon == std::u16string_view::npos) return 0;
  const std::u16string_view rest = command.substr(colon + 1);
  return platform::ParseLeadingInt(rest.substr(0, rest.find(u':')));
}

void ExecuteCommand(Application& a, const std::u16string& command, platform::SystemInfo& system) {
  AppSettings& s = a.settings;
  lang::StringArchive& strings = lang::ProgramStrings();
  if (command == u"# FAQ") {
    OpenLink(a, command);
  } else if (command == u"<< BACK") {
    gui::MenuBack(a.menu);
  } else if (Begins(command, u"#LNG:")) {
    if (!ChooseLanguage(a, command)) ReportUnknown(command);
  } else if (Begins(command, u"AA--")) {
    ChooseAntialiasing(a, command);
  } else if (IsLink(command)) {
    OpenLink(a, command);
  } else if (command == u"AA") {
    gui::ShowPage(a.menu, gui::kAntialiasingPage);
  } else if (Begins(command, u"Light")) {
    ChooseBrightness(a, command);
  } else if (command == u"# LNG") {
    gui::ShowPage(a.menu, gui::kLanguagePage);
  } else if (command == u"LastFPS") {
    gui::ShowPage(a.menu, gui::kResultsPage);
  } else if (command == u"# Extras") {
    gui::ShowPage(a.menu, gui::kExtrasPage);
  } else if (command == u"GK0" || command == u"GK1" || command == u"GK2") {
    ChooseChoice(a, s.quality, command[2] - u'0');
  } else if (command == u"S0" || command == u"S1" || command == u"S2" || command == u"S3") {
    ChooseChoice(a, s.screenChoice, command[1] - u'0');
    ApplyScreenType(a.windows, a.win, s.screenChoice.value);
  } else if (command == u"Start") {
    StartBenchmarkRun(a);
  } else if (command == u"StartAP") {
    ToggleMenu(a);
    s.autopilotOn.value = 1;
  } else if (command == u"Exit") {
    a.windows.PostQuit(0);
  } else if (command == u"EMail1") {
    share::SendRecommendationMail(strings, s.homepageUrl.value);
  } else if (command == u"EMail2") {
    share::SendProgramMail(strings, s.homepageUrl.value, platform::ExecutablePath());
  } else if (command == u"Load from Unicode File") {
    lang::LoadTranslationFromDialog(strings);
    gui::RequestRedraw(a.menu);
  } else if (command == u"Translate") {
    lang::ExportTranslationTemplate(strings);
  } else if (command == u"Compare") {
    CompareResults(a, system);
  } else if (command == u"ScreenShot") {
    RequestScreenshot(a);
  } else {
    ReportUnknown(command);
  }
}

}  // namespace app
