#include "scene/camera.h"

#include <cmath>

namespace scene {
namespace {

// up = v rotated about side by pitch (Rodrigues' formula), back = side x up.
void SetAxes(Camera& camera, CVector3 side, CVector3 v, float pitch) {
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

}  // namespace

void SetPose(Camera& camera, CVector3 position, CVector3 angles) {
  camera.position = position;
  camera.yaw = angles.x;
  camera.pitch = angles.y;
  camera.yaw2 = angles.z;
  UpdateBasis(camera, camera.yaw, camera.pitch);
}

void UpdateBasis(Camera& camera, float yaw, float pitch) {
  SetAxes(camera, {std::cos(yaw), 0.0f, std::sin(yaw)}, {-std::sin(yaw), 0.0f, std::cos(yaw)},
          pitch);
}

void UpdateBasisAlternate(Camera& camera, float yaw2, float pitch) {
  SetAxes(camera, {std::cos(yaw2), std::sin(yaw2), 0.0f}, {-std::sin(yaw2), std::cos(yaw2), 0.0f},
          pitch);
}

float WrapAngle(float angle) {
  if (!std::isfinite(angle)) return 0.0f;
  // Far outside one turn, subtracting 2 pi no longer changes the value.
  if (std::fabs(angle) > 64.0f * kTwoPi) angle = std::fmod(angle, kTwoPi);
  while (angle > kTwoPi) angle -= kTwoPi;
  while (angle < 0.0f) angle += kTwoPi;
  return angle;
}

void Rotate(Camera& camera, float dYaw, float dPitch) {
  camera.yaw -= dYaw;
  camera.pitch += dPitch;
  camera.yaw = WrapAngle(camera.yaw);
  camera.pitch = WrapAngle(camera.pitch);
  camera.yaw2 = WrapAngle(camera.yaw2);
  UpdateBasis(camera, camera.yaw, camera.pitch);
}

float TimeScale(double frameTimeMs) { return static_cast<float>(frameTimeMs * 50.0 * 0.005); }

void MoveHorizontal(Camera& camera, float distance) {
  camera.position.x -= camera.back.x * distance;
  camera.position.z -= camera.back.z * distance;
}

void MoveVertical(Camera& camera, float distance) { camera.position.y -= distance; }

void MoveAlongView(Camera& camera, float distance) {
  camera.position.x -= distance * camera.back.x;
  camera.position.y -= distance * camera.back.y;
  camera.position.z -= distance * camera.back.z;
}

CVector3 AnglesInDegrees(const Camera& camera) {
  return {camera.yaw / kTwoPi * 360.0f, camera.pitch / kTwoPi * 360.0f,
          camera.yaw2 / kTwoPi * 360.0f};
}

float AngleDelta(float a, float b) {
  float c = std::fmod(a - b, kTwoPi);
  if (c < 0.0f) c += kTwoPi;
  if (c > kPi) c -= kTwoPi;
  return -c;
}

void SaveBookmark(const Camera& camera, CameraBookmarks& bookmarks, std::u16string_view name) {
  const CameraBookmark bookmark{camera.position, GetAngles(camera), kBookmarkSet};
  const auto found = bookmarks.find(name);
  if (found != bookmarks.end()) {
    found->second = bookmark;
  } else {
    bookmarks.emplace(std::u16string(name), bookmark);
  }
}

bool RestoreBookmark(Camera& camera, const CameraBookmarks& bookmarks, std::u16string_view name) {
  const auto found = bookmarks.find(name);
  if (found == bookmarks.end() || found->second.marker != kBookmarkSet) return false;
  SetPose(camera, found->second.position, found->second.angles);
  return true;
}

}  // namespace scene
