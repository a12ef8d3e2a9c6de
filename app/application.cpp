#include "app/application.h"

#include "app/language_choice.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "app/scene_setup.h"
#include "lang/language.h"
#include "platform/clock.h"
#include "platform/desktop_language.h"
#include "platform/message_box.h"
#include "platform/text_codec.h"

namespace app {

std::string ProductTitle() {
  const char16_t* product = lang::GetGeneralString(19);
  return product != nullptr ? platform::Utf16ToUtf8(product) : "Morvandel.Gauge";
}

int RunApplication() {
  AppState& app = App();
  app.perfFrequency = platform::CounterFrequency();
  app.perfCounterLast = platform::CounterNow();
  app.fullScreen = false;
  // Every text comes from the archive: without it the program cannot speak.
  if (!lang::LoadStringArchive()) return 0;

  WindowProcContext ctx = DefaultWindowProcContext();
  LocateSettingsFile(ctx.store, SystemSettingsLocation());
  const int desktopLanguage = UiLanguageFromLangId(platform::UserDefaultLanguageId());
  const int uiLanguage = ReadIntSetting(ctx.store, ctx.store.productSection,
                                        ctx.settings.m_lang_id.key, desktopLanguage, -1, -1);
  ctx.settings.m_lang_id.value = uiLanguage;
  lang::SetUiLanguage(uiLanguage);

  if (!platform::InitVideo()) {
    platform::ShowMessageBox(platform::Utf8ToUtf16(platform::LastError()), u"Error",
                             platform::MessageIcon::Error);
    return 1;
  }
  const bool created =
      CreateMainWindow(ctx.win, app, "", app.viewportWidth, app.viewportHeight, true);
  ReadWindowRectSetting(ctx.store, ctx.settings);
  if (!created) {
    platform::ShowMessageBox(platform::Utf8ToUtf16(platform::LastError()), u"Error",
                             platform::MessageIcon::Error);
    platform::QuitVideo();
    return 1;
  }
  int width = 0, height = 0;
  ctx.win.mainWindow->GetClientSize(width, height);
  app.viewportWidth = width;
  app.viewportHeight = height;

  InitGlScene(ctx);
  if (ctx.win.mainContext == nullptr) {
    platform::ShowMessageBox(u"err-1!", u"");
  } else {
    StartAssetLoading(ctx);
  }
  bench::FrameStatistics stats;
  const int code = RunMainLoop(ctx, stats);
  platform::QuitVideo();
  return code;
}

}  // namespace app
