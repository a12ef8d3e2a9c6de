// Three 32-bit floats: positions, normals and directions throughout the scene.
#pragma once

namespace scene {

struct CVector3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};

}  // namespace scene
