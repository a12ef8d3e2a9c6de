#include "scene/camera.h"

#include <cmath>

namespace scene {

void SetPose(Camera& camera, CVector3 position, CVector3 angles) {
  camera.position = position;
  camera.yaw = angles.x;
  camera.pitch = angles.y;
  camera.yaw2 = angles.z;
  UpdateBasis(camera, camera.yaw, camera.pitch);
}

void UpdateBasis(Camera& camera, float yaw, float pitch) {
  const CVector3 side{std::cos(yaw), 0.0f, std::sin(yaw)};
  const CVector3 v{-std::sin(yaw), 0.0f, std::cos(yaw)};
  // Rodrigues' rotation of v about side by pitch.
  const float c = std::cos(pitch), s = std::sin(pitch), t = 1.0f - c;
  const float x = side.x, y = side.y, z = side.z;
  const CVector3 up{(x * x * t + c) * v.x + (x * y * t - z * s) * v.y + (x * z * t + y * s) * v.z,
                    (x * y * t + z * s) * v.x + (y * y * t + c) * v.y + (y * z * t - x * s) * v.z,
                    (x * z * t - y * s) * v.x + (y * z * t + x * s) * v.y + (z * z * t + c) * v.z};
  camera.side = side;
  camera.up = up;
  camera.back = {side.y * up.z - side.z * up.y, side.z * up.x - side.x * up.z,
                 side.x * up.y - side.y * up.x};
}

void PollCameraInput(Camera&, const uint8_t (&)[256], bool) {}

void AutopilotStep(Camera&, bool, double) {}

}  // namespace scene
