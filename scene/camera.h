// The camera that looks at the island: position, view angles in radians and
// the orientation axes derived from them.
#pragma once

#include <cstdint>

#include "scene/vector3.h"

namespace scene {

struct Camera {
  CVector3 position;
  CVector3 side{1.0f, 0.0f, 0.0f};  // to the right of the view
  CVector3 up{0.0f, 1.0f, 0.0f};
  CVector3 back{0.0f, 0.0f, 1.0f};  // the camera looks along -back
  float yaw = 0.0f;
  float pitch = 0.0f;
  float yaw2 = 0.0f;
};

// Places the camera; angles.x/y/z are yaw, pitch and yaw2. The axes follow
// yaw and pitch.
void SetPose(Camera& camera, CVector3 position, CVector3 angles);

// side = (cos yaw, 0, sin yaw); up = the horizontal forward axis rotated
// about side by pitch; back = side x up.
void UpdateBasis(Camera& camera, float yaw, float pitch);

// The camera's own steering: mouse and keys while the user flies, and the
// autopilot while it is on. Both leave the camera as it is until the flight
// controls exist.
void PollCameraInput(Camera& camera, const uint8_t (&keyDown)[256], bool hasFocus);
void AutopilotStep(Camera& camera, bool autopilotOn, double frameTimeMs);

// The pose the menu shows the island from.
inline constexpr CVector3 kMenuPosePosition{2844.882f, 282.695f, 14442.2256f};
inline constexpr CVector3 kMenuPoseAngles{2.828f, 4.777f, 4.94f};

}  // namespace scene
