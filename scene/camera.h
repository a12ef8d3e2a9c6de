// The camera that looks at the island: position and view angles in radians.
#pragma once

#include "scene/vector3.h"

namespace scene {

struct Camera {
  CVector3 position;
  float yaw = 0.0f;
  float pitch = 0.0f;
  float yaw2 = 0.0f;
};

// Places the camera; angles.x/y/z are yaw, pitch and yaw2.
void SetPose(Camera& camera, CVector3 position, CVector3 angles);

// The pose the menu shows the island from.
inline constexpr CVector3 kMenuPosePosition{2844.882f, 282.695f, 14442.2256f};
inline constexpr CVector3 kMenuPoseAngles{2.828f, 4.777f, 4.94f};

}  // namespace scene
