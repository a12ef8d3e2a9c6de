// The main window, its GL context and drawable, antialiasing, the borderless
// full-screen mode, the fixed window sizes and the placement text.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "app/app_state.h"
#include "app/renderer.h"

namespace app {

inline constexpr int kMinWindowWidth = 800;
inline constexpr int kMinWindowHeight = 500;

// Creates the main window hidden, with the program's icon and the client
// size asked for. With fullScreen the display is switched to that size.
// False when the window cannot be created.
bool CreateMainWindow(platform::WindowSystem& windows, WindowState& win, AppState& app,
                      const std::string& title, int width, int height, bool decorated);

// Context of the window, antialiasing choices and viewport. Reports failures
// in message boxes and posts a quit message, as a missing pixel format does.
bool CreateInitialContext(platform::WindowSystem& windows, WindowState& win, AppState& app,
                          Renderer& renderer, int width, int height);

// "Off" for 0 samples, otherwise "MSAA: <samples> X"; AntialiasSamples
// reads the count back (0 for "Off" or any other text).
std::u16string AntialiasLabel(int samples);
int AntialiasSamples(std::u16string_view label);

// Index -> label: 0 "Off", then "MSAA: n X" for each of 2, 4, 8 and 16 that
// the chooser accepts, numbered without gaps.
std::map<int, std::u16string> BuildAntialiasChoices(const std::function<bool(int)>& chooser);

// Applies sampleCount: a new drawable with that many samples and a new
// context sharing objects with the previous one. A count the driver cannot
// give falls back to 0 ("Off").
void RecreateContext(platform::WindowSystem& windows, WindowState& win, AppState& app,
                     Renderer& renderer, int swapInterval);

// Deletes each of the window's GL contexts once; the calling thread's
// context is released first.
void ReleaseContexts(platform::WindowSystem& windows, WindowState& win);

// Viewport and a 65-degree perspective; a height of 0 counts as 1.
void SetViewport(AppState& app, Renderer& renderer, int width, int height);

// These act on the main window and do nothing while there is none.
void ToggleBorderless(platform::WindowSystem& windows, WindowState& win);
// 0 screen (borderless), 1 1024x768, 2 1366x768, 3 1920x1080, centred.
void ApplyScreenType(platform::WindowSystem& windows, WindowState& win, int screenType);
void OnActivate(WindowState& win, bool active);

// "%d;%d;%d;%d;%d;x,y,w,h,SW": left, top, right, bottom and show command.
std::u16string BuildPlacementText(const platform::Rect& rect, platform::ShowState state);
// The window's placement: its restore rectangle, or its current one while it
// is shown normally, and its show command.
std::u16string BuildPlacementText(const platform::Window& window);

}  // namespace app
