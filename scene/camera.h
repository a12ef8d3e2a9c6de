// The camera that looks at the island: position, view angles in radians and
// the orientation axes derived from them, the movements the user, the
// autopilot and the benchmark player steer it with, and named bookmarks.
// Pure maths: no GL, no window system.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "scene/vector3.h"

namespace scene {

// 2 pi as the single-precision constant every angle rule uses.
inline constexpr float kTwoPi = 6.2831855f;
inline constexpr float kPi = 3.1415927f;

struct CursorPoint {
  int x = 0;
  int y = 0;
};

struct Camera {
  CVector3 position;
  CVector3 side{1.0f, 0.0f, 0.0f};  // to the right of the view
  CVector3 up{0.0f, 1.0f, 0.0f};
  CVector3 back{0.0f, 0.0f, 1.0f};  // the camera looks along -back
  // Screen cursor at the previous mouse poll; the entry function sets it to
  // the cursor's position at start.
  CursorPoint lastCursor;
  int moving = 0;      // set by every keyboard poll
  float speed = 0.0f;  // manual flying speed factor, brought into [1, 30] per poll
  float yaw = 0.0f;    // heading, kept in [0, 2 pi]
  float pitch = 0.0f;  // elevation, kept in [0, 2 pi]
  float yaw2 = 0.0f;   // alternate heading (Shift), kept in [0, 2 pi]
};

// Places the camera; angles.x/y/z are yaw, pitch and yaw2. The axes follow
// yaw and pitch.
void SetPose(Camera& camera, CVector3 position, CVector3 angles);
inline void SetPosition(Camera& camera, CVector3 position) { camera.position = position; }
inline CVector3 GetPosition(const Camera& camera) { return camera.position; }
inline CVector3 GetAngles(const Camera& camera) { return {camera.yaw, camera.pitch, camera.yaw2}; }

// side = (cos yaw, 0, sin yaw); up = the horizontal forward axis rotated
// about side by pitch; back = side x up.
void UpdateBasis(Camera& camera, float yaw, float pitch);
// The same about the other horizontal axis: side = (cos yaw2, sin yaw2, 0).
void UpdateBasisAlternate(Camera& camera, float yaw2, float pitch);

// Brings an angle into [0, 2 pi] by whole turns. An angle that is not a
// finite number becomes 0, so one bad value cannot stall or poison the view.
float WrapAngle(float angle);

// yaw -= dYaw, pitch += dPitch, all three angles wrapped, axes from yaw and
// pitch.
void Rotate(Camera& camera, float dYaw, float dPitch);

// A quarter of the last frame's duration in milliseconds: scaled movements
// multiply their distance by it.
float TimeScale(double frameTimeMs);

// Forward over the ground: x and z decrease by back's x and z times the
// distance; the height stays.
void MoveHorizontal(Camera& camera, float distance);
// The height decreases by the distance.
void MoveVertical(Camera& camera, float distance);
// position -= distance x back.
void MoveAlongView(Camera& camera, float distance);

// yaw, pitch and yaw2 in degrees (for the HUD).
CVector3 AnglesInDegrees(const Camera& camera);
// The signed shortest turn between two angles, as the benchmark player
// interpolates it: with c = (a - b) mod 2 pi in (-pi, pi], returns -c.
float AngleDelta(float a, float b);

// A stored pose; it counts as set when marker is kBookmarkSet.
struct CameraBookmark {
  CVector3 position;
  CVector3 angles;
  int marker = 0;
};
inline constexpr int kBookmarkSet = 64069;
using CameraBookmarks = std::map<std::u16string, CameraBookmark, std::less<>>;

void SaveBookmark(const Camera& camera, CameraBookmarks& bookmarks, std::u16string_view name);
// Sets the pose from the bookmark when it is set; returns whether it was.
bool RestoreBookmark(Camera& camera, const CameraBookmarks& bookmarks, std::u16string_view name);

// The pose the program starts from, before anything else places the camera.
inline constexpr CVector3 kInitialPosePosition{475.0f, 352.0f, 301.0f};
inline constexpr CVector3 kInitialPoseAngles{474.0f, 52.0f, 300.0f};
// The pose the menu shows the island from: over the shore, with sea, beach
// and palms in view and no plant right before the camera.
inline constexpr CVector3 kMenuPosePosition{2994.882f, 302.695f, 14292.2256f};
inline constexpr CVector3 kMenuPoseAngles{2.828f, 4.777f, 4.94f};

}  // namespace scene
