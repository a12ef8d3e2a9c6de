// The main window's event handling: resize, activation, close, the keyboard
// table, the global keys (F1, Escape, Enter/F11) and the water keys.
#pragma once

#include "app/application.h"
#include "platform/window.h"

namespace app {

// Returns 1 when the event was consumed, 0 otherwise (default processing).
int MainWindowProc(Application& ctx, const platform::Event& event);

// F1: toggles the menu, the autopilot and the camera bookmark "F1_CAM".
// Returns 1 when the key was F1.
int OnFunctionKeyF1(Application& ctx, int virtualKey);

// Keypad 2/8 lower/raise the water (F held: finer steps), 3/9 change the
// wave parameter. Called once per running frame; the new height is stored
// in the first frame after the keys are let go.
void ApplyWaterKeys(InputState& input, AppSettings& settings, SettingsStore& store);
// Stores the water height in the settings file when it has changed; also
// called at shutdown, for a key still held then.
void StoreWaterHeight(const InputState& input, AppSettings& settings, SettingsStore& store);

}  // namespace app
