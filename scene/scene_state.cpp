#include "scene/scene_state.h"

namespace scene {

void BeginSceneFrame(SceneState& scene) { scene.terrainTriangles = 0; }

void SetSceneTime(SceneState& scene, double ms) { SetAnimationTime(scene.animation, ms); }

void ReleaseSceneGl(SceneState& scene) {
  scene.terrain.patches.clear();
  glDeleteTextures(3, scene.terrain.regionColourMaps);
  for (GLuint& name : scene.terrain.regionColourMaps) name = 0;
  scene.terrainProgram.Release();
  scene.waterProgram.Release();
  scene.simpleProgram.Release();
  ReleaseObjectsGl(scene.objects);
}

}  // namespace scene
