// Palms, bushes, the rock and the two grass sets: their loading, placement
// and the per-pass draw of grass and plants.
#pragma once

#include <GL/gl.h>

#include <chrono>

#include "render/shader_program.h"
#include "scene/camera.h"
#include "scene/grass.h"
#include "scene/pass_times.h"
#include "scene/placement.h"
#include "scene/scene_model.h"
#include "scene/terrain.h"

namespace scene {

inline constexpr int kBushModels = 6;
inline constexpr const char* kRockPath = "obj/Kleiner_Granitfelsen.obj";

struct SceneObjects {
  SceneModel palm;
  SceneModel palmAlt;
  // The four bush variants occupy the first four; strides are set on all.
  SceneModel bushes[kBushModels];
  SceneModel rock;
  GrassSet landGrass;
  GrassSet shoreGrass;

  render::ShaderProgram grassProgram;  // "gras"
  render::ShaderProgram windProgram;   // "Wind"
  render::ShaderProgram brushProgram;  // "Brush"

  // Owned: deleted by ReleaseObjectsGl.
  GLuint palmTexture = 0;
  GLuint bushTexture = 0;
  GLuint grassTexture = 0;
  GLuint noiseTexture = 0;
  GLuint rockTexture = 0;

  // The shaders' clock starts when the scene is made.
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

// Builds the three programs from their embedded texts; a failure shows the
// program's failure line with the log.
void BuildObjectPrograms(SceneObjects& objects);

// Decodes the textures and loads and uploads every model (the rock from
// kRockPath in the working folder, else in the installed data folder).
void LoadObjectModels(SceneObjects& objects);

// Places every set on the built terrain (continuing its generators), builds
// the instance trees and bakes and uploads the grass: steps 1 to 6 below.
void PlaceObjects(SceneObjects& objects, Terrain& terrain);

inline constexpr int kPlaceObjectSteps = 6;
// One sixth of PlaceObjects, for progress between them: 1 palms, 2 bushes,
// 3 land grass, 4 shore grass, then the plants' instance trees; 5 the
// terrain bounds and the land grass upload; 6 the shore grass upload. placed
// carries the positions from step to step.
void PlaceObjectsStep(SceneObjects& objects, Terrain& terrain, ScenePlacement& placed, int step);

// The switches and frame values the grass and plant draw reads.
struct GrassDrawContext {
  const Camera* camera = nullptr;
  const Frustum* frustum = nullptr;
  int detailLevel = 1;
  float globalGamma = 1.0f;
  float waterHeight = 131.5f;
  bool drawGrass = true;
  bool drawPalms = true;
  bool filled = true;
  // Seconds since the scene was made; negative takes it from objects.start.
  double timeSeconds = -1.0;
  int* frameTriangles = nullptr;
  // Stage times for a developer's look at the frame; null times nothing.
  PassTimes* times = nullptr;
};

// Shore grass (not in pass 0), then (not in pass 1) palms, bushes and land
// grass, each through its program and thinned by the quality level.
void DrawGrassAndPlants(SceneObjects& objects, const GrassDrawContext& context, int pass);

void ReleaseObjectsGl(SceneObjects& objects);

}  // namespace scene
