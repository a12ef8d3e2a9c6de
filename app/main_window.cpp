#include "app/main_window.h"

#include <algorithm>

#include "app/settings/app_settings.h"
#include "app/start_failure.h"
#include "app/window_icon.h"
#include "lang/language.h"
#include "platform/message_box.h"
#include "platform/text_codec.h"

namespace app {
namespace {

int ShowCommand(platform::ShowState state) {
  switch (state) {
    case platform::ShowState::Hidden:
      return 0;
    case platform::ShowState::Normal:
      return 1;
    case platform::ShowState::Minimized:
      return 2;
    case platform::ShowState::Maximized:
      return 3;
  }
  return 1;
}

// Only counts the driver gives exactly are offered: a request for 2 samples
// that yields 4 would make the label lie.
bool DriverGivesSamples(platform::WindowSystem& windows, int samples) {
  return windows.ProbeMultisample(samples) == samples;
}

void ReportContextFailure(platform::WindowSystem& windows) {
  ReportStartFailure(StartFailure::GlContext, lang::UiLanguage(), windows.LastError());
  windows.PostQuit(kExitStartFailed);
}

void SetMinimumSize(const WindowState& win, platform::WindowCreateInfo& info) {
  info.minWidth = win.noMinimumSize ? 0 : kMinWindowWidth;
  info.minHeight = win.noMinimumSize ? 0 : kMinWindowHeight;
}

// Places the window at the outer rectangle, leaving borderless mode first.
void PlaceCentred(platform::WindowSystem& windows, WindowState& win, int width, int height) {
  if (win.borderless) ToggleBorderless(windows, win);
  const platform::DisplaySize screen = windows.GetDisplaySize();
  const int x = screen.width / 2 - width / 2;
  const int y = screen.height / 2 - height / 2;
  win.mainWindow->SetWindowRect({x, y, x + width, y + height});
}

}  // namespace

std::u16string AntialiasLabel(int samples) {
  if (samples == 0) return u"Off";
  return platform::Ascii("MSAA: " + std::to_string(samples) + " X");
}

int AntialiasSamples(std::u16string_view label) {
  constexpr std::u16string_view kPrefix = u"MSAA: ";
  if (!label.starts_with(kPrefix)) return 0;
  return std::max(0, platform::ParseLeadingInt(label.substr(kPrefix.size())));
}

bool CreateMainWindow(platform::WindowSystem& windows, WindowState& win, AppState& app,
                      const std::string& title, int width, int height, bool decorated) {
  platform::WindowCreateInfo info;
  info.title = title;
  info.clientWidth = width;
  info.clientHeight = height;
  info.decorated = decorated && !app.fullScreen;
  SetMinimumSize(win, info);
  info.samples = win.sampleCount;
  win.mainWindow = windows.CreateWindow(info);
  if (!win.mainWindow) return false;
  SetProgramIcon(*win.mainWindow);
  if (app.fullScreen) {
    bool readable = false;
    if (win.mainWindow->ChangeDisplayMode(app.viewportWidth, app.viewportHeight, readable)) {
      win.displayModeChanged = true;
    } else if (!readable) {
      platform::ShowMessageBox(u"Could Not Enum Display Settings", u"Error");
    } else {
      platform::ShowMessageBox(u"Display Mode Not Compatible", u"Error");
      windows.PostQuit(0);
    }
  }
  return true;
}

std::map<int, std::u16string> BuildAntialiasChoices(const std::function<bool(int)>& chooser) {
  std::map<int, std::u16string> choices{{0, u"Off"}};
  int next = 1;
  for (int samples = 2; samples < 23; samples *= 2) {
    if (chooser(samples)) choices[next++] = AntialiasLabel(samples);
  }
  return choices;
}

bool CreateInitialContext(platform::WindowSystem& windows, WindowState& win, AppState& app,
                          Renderer& renderer, int width, int height) {
  win.mainContext = win.mainWindow->CreateContext(false);
  if (!win.mainContext) {
    ReportContextFailure(windows);
    return false;
  }
  win.firstContext = win.mainContext;
  win.mainWindow->MakeCurrent(win.mainContext);
  win.antialiasChoices = BuildAntialiasChoices(
      [&windows](int samples) { return DriverGivesSamples(windows, samples); });
  win.antialiasLabel = AntialiasLabel(win.sampleCount);
  SetViewport(app, renderer, width, height);
  return true;
}

void RecreateContext(platform::WindowSystem& windows, WindowState& win, AppState& app,
                     Renderer& renderer, int swapInterval) {
  if (!win.mainWindow) return;
  if (win.sampleCount != 0 && !DriverGivesSamples(windows, win.sampleCount)) win.sampleCount = 0;

  // The new drawable takes the old window's place, size and state.
  platform::Window& old = *win.mainWindow;
  const platform::ShowState state = old.GetShowState();
  const platform::Rect rect = old.GetWindowRect();
  platform::WindowCreateInfo info;
  info.clientWidth = app.viewportWidth;
  info.clientHeight = app.viewportHeight;
  info.decorated = old.IsBordered();
  SetMinimumSize(win, info);
  info.samples = win.sampleCount;
  std::unique_ptr<platform::Window> fresh = windows.CreateWindow(info);
  if (!fresh && win.sampleCount != 0) {
    win.sampleCount = info.samples = 0;
    fresh = windows.CreateWindow(info);
  }
  win.antialiasLabel = AntialiasLabel(win.sampleCount);
  if (!fresh) {
    ReportContextFailure(windows);
    return;
  }
  // Created while the previous context is current, so it shares its objects.
  platform::GlContext context = fresh->CreateContext(true);
  if (!context) {
    old.MakeCurrent(win.mainContext);
    ReportContextFailure(windows);
    return;
  }
  SetProgramIcon(*fresh);
  fresh->SetWindowRect(rect);
  if (win.borderless) fresh->SetAlwaysOnTop(true);
  fresh->Show(state);
  fresh->MakeCurrent(context);
  const platform::GlContext previous = win.mainContext;
  win.mainContext = context;
  std::unique_ptr<platform::Window> retired = std::move(win.mainWindow);
  win.mainWindow = std::move(fresh);

  int width = 0, height = 0;
  win.mainWindow->GetClientSize(width, height);
  SetViewport(app, renderer, width > 0 ? width : app.viewportWidth,
              height > 0 ? height : app.viewportHeight);
  retired->Show(platform::ShowState::Hidden);
  renderer.EnableSceneDefaults();
  win.swapIntervalRefused = !windows.SetSwapInterval(swapInterval);
  retired.reset();
  if (previous != win.firstContext) windows.DeleteContext(previous);
}

void ReleaseContexts(platform::WindowSystem& windows, WindowState& win) {
  windows.ReleaseCurrentContext();
  if (win.firstContext != win.mainContext) windows.DeleteContext(win.firstContext);
  windows.DeleteContext(win.mainContext);
  windows.DeleteContext(win.loaderContext);
  win.mainContext = win.firstContext = win.loaderContext = platform::GlContext();
}

void SetViewport(AppState& app, Renderer& renderer, int width, int height) {
  if (height == 0) height = 1;
  app.viewportWidth = width;
  app.viewportHeight = height;
  renderer.SetPerspective(width, height);
}

void ToggleBorderless(platform::WindowSystem& windows, WindowState& win) {
  if (!win.mainWindow) return;
  platform::Window& window = *win.mainWindow;
  win.borderless = !win.borderless;
  if (win.borderless) {
    win.savedRect = window.GetWindowRect();
    window.SetBordered(false);
    window.SetAlwaysOnTop(true);
    const platform::DisplaySize screen = windows.GetDisplaySize();
    window.SetWindowRect({0, 0, screen.width, screen.height});
    window.Show(platform::ShowState::Normal);
  } else {
    window.SetBordered(true);
    window.SetAlwaysOnTop(false);
    window.SetWindowRect(win.savedRect);
    window.Show(platform::ShowState::Normal);
  }
}

void ApplyScreenType(platform::WindowSystem& windows, WindowState& win, int screenType) {
  static constexpr int kSizes[4][2] = {{0, 0}, {1024, 768}, {1366, 768}, {1920, 1080}};
  if (screenType < 0 || screenType > 3 || !win.mainWindow) return;
  const platform::DisplaySize screen = windows.GetDisplaySize();
  const int width = kSizes[screenType][0];
  const int height = kSizes[screenType][1];
  if (screenType == 0 || (screen.width == width && screen.height == height)) {
    if (!win.borderless) ToggleBorderless(windows, win);
    return;
  }
  PlaceCentred(windows, win, width, height);
}

void OnActivate(WindowState& win, bool active) {
  win.active = active;
  if (win.borderless && win.mainWindow) win.mainWindow->SetAlwaysOnTop(active);
}

std::u16string BuildPlacementText(const platform::Rect& rect, platform::ShowState state) {
  return FormatWindowRect(rect.left, rect.top, rect.right, rect.bottom, ShowCommand(state));
}

std::u16string BuildPlacementText(const platform::Window& window) {
  const platform::ShowState state = window.GetShowState();
  const platform::Rect rect =
      state == platform::ShowState::Normal ? window.GetWindowRect() : window.GetRestoreRect();
  return BuildPlacementText(rect, state);
}

}  // namespace app
