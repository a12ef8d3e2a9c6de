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

using gui::Command;
using gui::CommandKind;

// The name the link opener knows each link by.
std::string_view LinkName(int link) {
  static constexpr std::string_view kNames[] = {"# FAQ",   "Homepage", "More",   "# Donate",
                                                "History", "# THX",    "Results"};
  return link >= 0 && link < static_cast<int>(std::size(kNames)) ? kNames[link] : "";
}

void PlaySelectionSound(Application& a) {
  if (a.menu.hooks.playSelectionSound) a.menu.hooks.playSelectionSound();
}

// The language of the user interface; one the archive does not have is
// refused with a box that names it, and nothing changes.
void ChooseLanguage(Application& a, int language) {
  if (language < 0 || language >= lang::ProgramStrings().languageCount) {
    platform::ShowMessageBox(u"#LNG:" + platform::FormatInt(language), u"command?");
    return;
  }
  lang::SetUiLanguage(language);
  if (language != a.settings.languageId.value) {
    a.settings.languageId.value = language;
    WriteSetting(a.store, a.settings.languageId);
  }
  gui::ShowPage(a.menu, gui::kMainPage);
}

// The new sample count takes effect when the next frame re-creates the
// context; a count the driver cannot give falls back to "Off" there.
void ChooseAntialiasing(Application& a, int samples) {
  a.win.sampleCount = std::max(0, samples);
  a.win.pixelFormatPending = true;
  gui::ShowPage(a.menu, gui::kMainPage);
}

// -30 gives 0.7. The scene uses brightness within [0.5, 1.5].
void ChooseBrightness(Application& a, int percent) {
  a.settings.brightness.value = ClampGamma(static_cast<float>((percent + 100.0) / 100.0));
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

struct CommandContext {
  Application& a;
  platform::SystemInfo& system;
  int value;
};
using CommandHandler = void (*)(const CommandContext& c);

// One handler for each kind, in the order of gui::CommandKind.
constexpr CommandHandler kHandlers[gui::kCommandKinds] = {
    // None
    [](const CommandContext&) {},
    // Back
    [](const CommandContext& c) { gui::MenuBack(c.a.menu); },
    // ShowPage
    [](const CommandContext& c) { gui::ShowPage(c.a.menu, c.value); },
    // OpenLink
    [](const CommandContext& c) {
      share::OpenLink(LinkName(c.value), lang::UiLanguage(), c.a.settings.homepageUrl.value);
    },
    // ChooseLanguage
    [](const CommandContext& c) { ChooseLanguage(c.a, c.value); },
    // ChooseAntialiasing
    [](const CommandContext& c) { ChooseAntialiasing(c.a, c.value); },
    // ChooseBrightness
    [](const CommandContext& c) { ChooseBrightness(c.a, c.value); },
    // ChooseQuality
    [](const CommandContext& c) { ChooseChoice(c.a, c.a.settings.quality, c.value); },
    // ChooseScreen
    [](const CommandContext& c) {
      ChooseChoice(c.a, c.a.settings.screenChoice, c.value);
      ApplyScreenType(c.a.windows, c.a.win, c.a.settings.screenChoice.value);
    },
    // StartRun
    [](const CommandContext& c) { StartBenchmarkRun(c.a); },
    // StartAutopilot
    [](const CommandContext& c) {
      ToggleMenu(c.a);
      c.a.settings.autopilotOn.value = 1;
    },
    // Exit
    [](const CommandContext& c) { c.a.windows.PostQuit(0); },
    // MailRecommendation
    [](const CommandContext& c) {
      share::SendRecommendationMail(lang::ProgramStrings(), c.a.settings.homepageUrl.value);
    },
    // MailProgram
    [](const CommandContext& c) {
      share::SendProgramMail(lang::ProgramStrings(), c.a.settings.homepageUrl.value,
                             platform::ExecutablePath());
    },
    // LoadTranslation
    [](const CommandContext& c) {
      lang::LoadTranslationFromDialog(lang::ProgramStrings());
      gui::RequestRedraw(c.a.menu);
    },
    // ExportTranslation
    [](const CommandContext&) { lang::ExportTranslationTemplate(lang::ProgramStrings()); },
    // Compare
    [](const CommandContext& c) { CompareResults(c.a, c.system); },
    // Screenshot
    [](const CommandContext& c) { RequestScreenshot(c.a.app); },
};

}  // namespace

void ExecuteCommand(Application& a, const gui::Command& command, platform::SystemInfo& system) {
  const int kind = static_cast<int>(command.kind);
  if (kind < 0 || kind >= gui::kCommandKinds) return;
  kHandlers[kind]({a, system, command.value});
}

}  // namespace app
