// The scene's record, part of the application record: what the render
// passes draw and the values the frame loop hands them.
#pragma once

#include <atomic>

#include "render/shader_program.h"
#include "scene/terrain.h"

namespace scene {

struct SceneState {
  Terrain terrain;
  render::ShaderProgram terrainProgram;
  // 1 once the terrain is built, 3 once every asset is loaded. Written by
  // the loader thread, read by the frames.
  std::atomic<int> sceneReadyLevel{0};
  // 0 fine ... 2 coarse; follows the render quality every frame.
  int detailLevel = 1;
  int terrainTriangles = 0;
};

// Releases the scene's GL objects; the context must be current.
void ReleaseSceneGl(SceneState& scene);

}  // namespace scene
