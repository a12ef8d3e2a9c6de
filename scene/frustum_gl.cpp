#include "scene/frustum_gl.h"

#include <GL/gl.h>

namespace scene {

void ExtractFrustumPlanes(Frustum& frustum) {
  float projection[16];
  float modelview[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  FrustumFromMatrices(frustum, projection, modelview);
}

}  // namespace scene
