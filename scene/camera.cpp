#include "scene/camera.h"

namespace scene {

void SetPose(Camera& camera, CVector3 position, CVector3 angles) {
  camera.position = position;
  camera.yaw = angles.x;
  camera.pitch = angles.y;
  camera.yaw2 = angles.z;
}

}  // namespace scene
