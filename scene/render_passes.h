// The three ways a frame draws the scene. Each clears the frame and draws
// what the scene holds so far.
#pragma once

#include <GL/gl.h>

#include <span>

#include "render/shader_program.h"
#include "scene/camera.h"
#include "scene/terrain.h"

namespace scene {

struct PassContext {
  const Camera* camera = nullptr;
  int viewportWidth = 1;
  int viewportHeight = 1;
  // Triangles of the current frame; terrain drawing also adds to
  // terrainTriangles. Either may be null.
  int* frameTriangles = nullptr;
  int* terrainTriangles = nullptr;

  // 1 once the terrain is built, 3 once every asset is loaded; nothing but
  // the clear is drawn below 1.
  int sceneReadyLevel = 0;
  const Terrain* terrain = nullptr;
  // The terrain program; when null or incomplete the terrain is drawn with
  // fixed-function texturing.
  render::ShaderProgram* terrainProgram = nullptr;
  // The shared 1000-slot texture table.
  std::span<const GLuint> textureTable;
  // 2 draws the coarse terrain strips.
  int detailLevel = 1;
  float waterHeight = 131.5f;
  float globalGamma = 1.0f;
  // Texture slot of the current caustic frame (17 ... 48).
  int causticSlot = 17;
};

void RenderPlainPass(const PassContext& context);
void RenderWaterPass(const PassContext& context);
void RenderSimpleWaterPass(const PassContext& context);

// The shared scene step: the terrain (and later grass and plants) for the
// given water relation (0 water views, 1 caustic view, 2 no water).
void DrawTerrainAndGrass(const PassContext& context, int inWater);

}  // namespace scene
