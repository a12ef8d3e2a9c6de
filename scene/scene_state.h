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
  // Terrain triangles of the current frame; BeginSceneFrame resets it.
  int terrainTriangles = 0;
};

// Starts a frame's counting: the frame order calls it where it resets the
// frame's own triangle counter, before the scene is drawn.
void BeginSceneFrame(SceneState& scene);

// Releases the scene's GL objects; the context must be current.
void ReleaseSceneGl(SceneState& scene);

}  // namespace scene
