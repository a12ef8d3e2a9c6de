#include "scene/camera_gl.h"

#include <GL/glu.h>

namespace scene {

void ApplyView(const Camera& camera) {
  const CVector3& p = camera.position;
  gluLookAt(p.x, p.y, p.z, p.x - camera.back.x, p.y - camera.back.y, p.z - camera.back.z,
            camera.up.x, camera.up.y, camera.up.z);
}

}  // namespace scene
