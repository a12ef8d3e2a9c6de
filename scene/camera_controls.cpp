#include "scene/camera_controls.h"

#include "platform/virtual_keys.h"

namespace scene {
namespace {

namespace vk = platform::vk;

bool Held(const uint8_t (&keyDown)[256], int key) { return keyDown[key & 0xFF] != 0; }

void Step(CVector3& position, const CVector3& axis, float step) {
  position.x += step * axis.x;
  position.y += step * axis.y;
  position.z += step * axis.z;
}

}  // namespace

void PollMouse(Camera& camera, const MouseSample& mouse, bool shiftHeld) {
  const CursorPoint previous = camera.lastCursor;
  camera.lastCursor = mouse.cursor;
  if (!mouse.leftHeld) return;
  if (previous.x == mouse.cursor.x && previous.y == mouse.cursor.y) return;
  const int dx = previous.x - mouse.cursor.x;
  const int dy = previous.y - mouse.cursor.y;
  if (shiftHeld) {
    camera.yaw2 += static_cast<float>(dx) / 500.0f;
  } else {
    camera.yaw -= static_cast<float>(dx) / 500.0f;
  }
  camera.pitch += static_cast<float>(dy) / 300.0f;
  camera.yaw = WrapAngle(camera.yaw);
  camera.pitch = WrapAngle(camera.pitch);
  camera.yaw2 = WrapAngle(camera.yaw2);
  if (shiftHeld) {
    UpdateBasisAlternate(camera, camera.yaw2, camera.pitch);
  } else {
    UpdateBasis(camera, camera.yaw, camera.pitch);
  }
}

void PollKeyboard(Camera& camera, const uint8_t (&keyDown)[256], double frameTimeMs) {
  // Above the top speed the camera drops back to half of it, not to the top.
  if (camera.speed < 1.0f) camera.speed = 1.0f;
  if (camera.speed > 30.0f) camera.speed = 15.0f;
  const float step = TimeScale(frameTimeMs) * camera.speed;
  if (Held(keyDown, vk::kNext) || Held(keyDown, 'E')) {
    camera.speed = static_cast<float>(camera.speed + frameTimeMs * 0.003);
  } else {
    camera.speed = static_cast<float>(camera.speed - frameTimeMs * 0.04);
  }
  camera.moving = 1;
  if (Held(keyDown, vk::kHome)) camera.position.y += step;
  if (Held(keyDown, vk::kEnd)) camera.position.y -= step;
  // Fixed looks along the alternate axes; the stored angles stay.
  if (Held(keyDown, 'C')) UpdateBasisAlternate(camera, 33.0f, 0.0f);
  if (Held(keyDown, 'V')) UpdateBasisAlternate(camera, 0.0f, 33.0f);
  if (Held(keyDown, vk::kUp) || Held(keyDown, 'W') || Held(keyDown, vk::kF8)) {
    Step(camera.position, camera.back, -step);
  }
  // The right mouse button flies forward too, on top of the keys.
  if (Held(keyDown, vk::kRightButton)) Step(camera.position, camera.back, -step);
  if (Held(keyDown, vk::kDown) || Held(keyDown, 'S')) Step(camera.position, camera.back, step);
  if (Held(keyDown, vk::kLeft) || Held(keyDown, 'A')) Step(camera.position, camera.side, -step);
  if (Held(keyDown, vk::kRight) || Held(keyDown, 'D')) Step(camera.position, camera.side, step);
}

void PollCameraInput(Camera& camera, platform::WindowSystem& windows, const uint8_t (&keyDown)[256],
                     bool hasFocus, double frameTimeMs) {
  if (!hasFocus) return;
  MouseSample mouse;
  bool rightHeld = false;
  windows.GetGlobalMouse(mouse.cursor.x, mouse.cursor.y, mouse.leftHeld, rightHeld);
  PollMouse(camera, mouse, Held(keyDown, vk::kShift));
  PollKeyboard(camera, keyDown, frameTimeMs);
}

}  // namespace scene
