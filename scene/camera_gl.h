// The camera's view as a GL model-view transform.
#pragma once

#include "scene/camera.h"

namespace scene {

// gluLookAt from the position along -back with the camera's up.
void ApplyView(const Camera& camera);

}  // namespace scene
