// The main window, its GL context and drawable, antialiasing, the borderless
// full-screen mode, the fixed window sizes and the placement text.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "app/app_state.h"

namespace app {

inline constexpr int kMinWindowWidth = 800;
inline constexpr int kMinWindowHeight = 500;

// Creates the main window hidden, with the client size asked for. With
// fullScreen the display is switched to that size. False when the window
// cannot be created.
bool CreateMainWindow(WindowState& win, AppState& app, const std::string& title, int width,
                      int height, bool decorated);

// Context of the window, antialiasing choices and viewport. Reports failures
// in message boxes and posts a quit message, as a missing pixel format does.
bool CreateInitialContext(WindowState& win, AppState& app, int width, int height);

// Index -> label: 0 "Off", then "MSAA: n X" for each of 2, 4, 8 and 16 that
// the chooser accepts, numbered without gaps.
std::map<int, std::u16string> BuildAntialiasChoices(const std::function<bool(int)>& chooser);

// Applies sampleCount: a new drawable with that many samples and a new
// context sharing objects with the previous one. A count the driver cannot
// give falls back to 0 ("Off").
void RecreateContext(WindowState& win, AppState& app, int swapInterval);

// Viewport and a 65-degree perspective; a height of 0 counts as 1.
void SetViewport(AppState& app, int width, int height);

void ToggleBorderless(WindowState& win);
// 0 screen (borderless), 1 1024x768, 2 1366x768, 3 1920x1080, centred.
void ApplyScreenType(WindowState& win, int screenType);
void OnActivate(WindowState& win, bool active);

// "%d;%d;%d;%d;%d;x,y,w,h,SW": left, top, right, bottom and show command.
std::u16string BuildPlacementText(const platform::Rect& rect, platform::ShowState state);
std::u16string BuildPlacementText(const WindowState& win);

}  // namespace app
