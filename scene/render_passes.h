// The three ways a frame draws the scene. Each clears the frame and draws
// what the scene holds so far.
#pragma once

#include "render/shader_program.h"
#include "render/texture_slots.h"
#include "scene/camera.h"
#include "scene/terrain.h"
#include "scene/water_relation.h"

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
  // The shared texture table; null draws without its textures.
  const render::TextureSlots* textures = nullptr;
  // 2 draws the coarse terrain strips.
  int detailLevel = 1;
  float waterHeight = 131.5f;
  float globalGamma = 1.0f;
  // Texture slot of the current caustic frame.
  int causticSlot = render::TextureSlots::CausticFrame(0);
};

void RenderPlainPass(const PassContext& context);
void RenderWaterPass(const PassContext& context);
void RenderSimpleWaterPass(const PassContext& context);
// The pass the selector names.
void RenderPass(PassSelector selector, const PassContext& context);

// The shared scene step: the terrain (and later grass and plants) for the
// given relation to the water.
void DrawTerrainAndGrass(const PassContext& context, WaterRelation relation);

}  // namespace scene
