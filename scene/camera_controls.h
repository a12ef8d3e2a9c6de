// The user's flight controls: mouse drag and keys steer the camera while the
// menu is hidden, no run plays and the main window has the keyboard focus
// (the main loop decides that). Keys come from the 256-entry table indexed
// by virtual-key codes (platform/virtual_keys.h).
#pragma once

#include <cstdint>

#include "platform/window.h"
#include "scene/camera.h"

namespace scene {

struct MouseSample {
  CursorPoint cursor;  // screen coordinates
  bool leftHeld = false;
};

// A drag with the left button turns the view by 1 radian per 500 pixels
// across (yaw follows the cursor: it falls as the cursor moves left; with
// Shift held yaw2 turns the other way, on the alternate axes) and per 300
// pixels up or down (pitch rises as the cursor moves up).
void PollMouse(Camera& camera, const MouseSample& mouse, bool shiftHeld);

// Speed, height, the fixed turns on C and V, and flight along the view and
// sideways, all scaled by the last frame's duration.
void PollKeyboard(Camera& camera, const uint8_t (&keyDown)[256], double frameTimeMs);

// Mouse then keyboard, only when the main window has the focus.
void PollCameraInput(Camera& camera, platform::WindowSystem& windows, const uint8_t (&keyDown)[256],
                     bool hasFocus, double frameTimeMs);

}  // namespace scene
