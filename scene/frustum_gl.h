// The view frustum of the current GL matrices.
#pragma once

#include "scene/frustum.h"

namespace scene {

// Reads the projection and model-view matrices and fills the planes.
void ExtractFrustumPlanes(Frustum& frustum);

}  // namespace scene
