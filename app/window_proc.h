// The main window's event handling: resize, activation, close, the keyboard
// table, the global keys (F1, Escape, Enter/F11) and the water keys.
#pragma once

#include "app/app_state.h"
#include "app/settings/app_settings.h"
#include "app/settings/settings_store.h"
#include "bench/benchmark_player.h"
#include "gui/menu_overlay.h"
#include "platform/window.h"

namespace app {

// Everything the window procedure reads and changes.
struct WindowProcContext {
  AppState& app;
  WindowState& win;
  InputState& input;
  SettingsStore& store;
  AppSettings& settings;
  gui::MenuOverlay& menu;
  bench::BenchmarkPlayer& player;
};

WindowProcContext DefaultWindowProcContext();

// Returns 1 when the event was consumed, 0 otherwise (default processing).
int MainWindowProc(WindowProcContext& ctx, const platform::Event& event);

// F1: toggles the menu, the autopilot and the camera bookmark "F1_CAM".
// Returns 1 when the key was F1.
int OnFunctionKeyF1(WindowProcContext& ctx, int virtualKey);

// Keypad 2/8 lower/raise the water (F held: finer steps), 3/9 change the
// wave parameter. Called once per running frame.
void ApplyWaterKeys(WindowProcContext& ctx);

}  // namespace app
