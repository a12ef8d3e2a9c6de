// The wait window: shown from the main window's creation until the first
// pass after loading, with the island picture, the current progress text and
// growing dots. Escape (or closing it) cancels the start: the program ends
// once loading is done, without running a frame.
//
// SDL windows belong to the thread that made them, so the main thread paints
// the wait window between its own steps: after each progress text while it
// sets up GL, and in every loading pass while the loader thread works.
#pragma once

#include <string_view>

#include "app/application.h"

namespace app {

inline constexpr char kWaitWindowClass[] = "EAAF81C3_4560_43FE_B729_44A378D1FCF4";
// The window's client size in pixels.
inline constexpr int kWaitWindowWidth = 798;
inline constexpr int kWaitWindowHeight = 244;
// The dots grow at most once in this many milliseconds.
inline constexpr int kWaitStepMs = 75;

// Opens the wait window when the application has a way to make one, and
// paints it at once.
void StartWaitWindow(WaitWindowState& wait, platform::Clock& clock);

// A new message, painted at once.
void SetWaitText(WaitWindowState& wait, platform::Clock& clock, std::u16string_view text);

// One animation step when one is due; paints when the text changed.
void AnimateWaitWindow(WaitWindowState& wait, platform::Clock& clock);

// While the wait window is open, Escape in any window and a close request of
// the wait window cancel the start: a quit message is posted, quitRequested
// set and the wait window closed. Other events of the wait window are
// dropped. True when the event was the wait window's business.
bool HandleWaitWindowEvent(Application& a, const platform::Event& event);

// Outside the main loop: handles the waiting events the wait window cares
// for and keeps the others for the loop; then animates.
void PumpWaitWindow(Application& a);

// The main loop's next event: kept ones first, then the window system's.
bool NextEvent(WaitWindowState& wait, platform::WindowSystem& windows, platform::Event& event);

void CloseWaitWindow(WaitWindowState& wait);

// Any thread: a progress text for the menu's loading page and the wait
// window. The main thread shows it with ApplyLoadingText.
void ShowLoadingText(LoadingProgress& progress, std::u16string_view text);

// Main thread: the newest progress text into the menu (which repaints) and
// the wait window.
void ApplyLoadingText(LoadingProgress& progress, gui::MenuOverlay& menu, WaitWindowState& wait,
                      platform::Clock& clock);

}  // namespace app
