#include "app/application.h"

#include "app/language_choice.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "app/menu_commands.h"
#include "app/menu_page_data.h"
#include "app/scene_setup.h"
#include "app/start_failure.h"
#include "app/wait_window.h"
#include "lang/language.h"
#include "platform/desktop_language.h"
#include "platform/message_box.h"
#include "platform/text_codec.h"
#include "sound/interface_sounds.h"

namespace app {
namespace {

int ReportWindowFailure(platform::WindowSystem& windows) {
  platform::ShowMessageBox(platform::Utf8ToUtf16(windows.LastError()), u"Error",
                           platform::MessageIcon::Error);
  return 1;
}

// The menu draws with the platform's canvas, in the current language; Escape
// on its main page hides it and lets the autopilot fly. The system
// description tells the machine to the compare command and the menu's pages.
void WireMenu(Application& a, const PlatformPieces& pieces) {
  platform::SystemInfo& system = pieces.system;
  gui::MenuHooks& hooks = a.menu.hooks;
  hooks.createCanvas = pieces.createCanvas;
  hooks.text = [](int id) {
    const char16_t* text = lang::GetString(id);
    return std::u16string(text != nullptr ? text : u"");
  };
  hooks.title = platform::Utf8ToUtf16(ProductTitle());
  WireMenuPages(a, system);
  hooks.showHandCursor = [&a](bool hand) {
    a.windows.SetCursorShape(hand ? platform::CursorShape::Hand : platform::CursorShape::Arrow);
  };
  hooks.hideMenu = [&a] {
    a.settings.menuShown.value = 1 - a.settings.menuShown.value;
    WriteSetting(a.store, a.settings.menuShown);
    a.settings.autopilotOn.value = 1;
    a.windows.SetCursorShape(platform::CursorShape::Arrow);
  };
  hooks.playSelectionSound = [&a] { sound::PlayClickSound(a.audio, a.sounds); };
  hooks.showMessage = [](std::u16string_view text, std::u16string_view caption) {
    platform::ShowMessageBox(text, caption, platform::MessageIcon::Error);
  };
  hooks.executeCommand = [&a, &system](const gui::Command& command) {
    ExecuteCommand(a, command, system);
  };
}

}  // namespace

std::string ProductTitle() {
  const char16_t* product = lang::GetGeneralString(19);
  return product != nullptr ? platform::Utf16ToUtf8(product) : "Morvandel.Gauge";
}

int RunApplication(Application& a, const PlatformPieces& pieces) {
  AppState& app = a.app;
  app.perfFrequency = a.clock.Frequency();
  app.perfCounterLast = a.clock.Now();
  app.startCounter = app.perfCounterLast;
  app.fullScreen = false;
  if (a.options.benchmark && !JsonTargetWritable(a.options.jsonPath, *a.start.err)) {
    a.start.phase = BenchmarkStart::Phase::Done;
    return kExitRunFailed;
  }
  const int desktopLanguage = UiLanguageFromLangId(platform::UserDefaultLanguageId());
  // Every other text comes from the archive: without it the program cannot
  // speak, and says so in the desktop's language.
  if (!lang::LoadStringArchive()) {
    ReportStartFailure(StartFailure::StringArchive, desktopLanguage);
    return a.options.benchmark ? FinishBenchmarkStart(a) : kExitStartFailed;
  }

  LocateSettingsFile(a.store, SystemSettingsLocation());
  const int uiLanguage = ReadIntSetting(a.store, a.store.productSection, a.settings.languageId.key,
                                        desktopLanguage, -1, -1);
  a.settings.languageId.value = uiLanguage;
  lang::SetUiLanguage(uiLanguage);
  ReadSetting(a.store, a.settings.homepageUrl);

  if (!a.windows.Init()) return ReportWindowFailure(a.windows);
  if (a.options.benchmark) {
    app.viewportWidth = a.options.width;
    app.viewportHeight = a.options.height;
    a.win.noMinimumSize = true;
  }
  // The first drag is measured from where the cursor was at start.
  bool leftHeld = false, rightHeld = false;
  a.windows.GetGlobalMouse(app.camera.lastCursor.x, app.camera.lastCursor.y, leftHeld, rightHeld);
  const bool created =
      CreateMainWindow(a.windows, a.win, app, "", app.viewportWidth, app.viewportHeight, true);
  ReadWindowRectSetting(a.store, a.settings);
  if (!created) {
    ReportWindowFailure(a.windows);
    a.windows.Shutdown();
    return 1;
  }
  StartWaitWindow(a.wait, a.clock);
  int width = 0, height = 0;
  a.win.mainWindow->GetClientSize(width, height);
  app.viewportWidth = width;
  app.viewportHeight = height;

  WireMenu(a, pieces);
  // A failed start has told the user and posted its exit status: the loop
  // ends before any frame.
  if (InitGlScene(a)) {
    StartAssetLoading(a, [&a] { LoadSceneAssets(a.app, a.scene, a.progress, a.renderer); });
  }
  const int code = RunMainLoop(a);
  a.windows.Shutdown();
  return code;
}

}  // namespace app
