// The three ways a frame draws the scene: the water pass (reflection,
// caustics, scene, sea), the simple-water pass (scene and a translucent
// quad) and the plain pass (scene only). Each clears the frame and draws
// what the scene holds so far. What persists between frames (the clocks,
// the programs) lives in the scene record; nothing is allocated per frame.
#pragma once

#include "render/texture_slots.h"
#include "scene/camera.h"
#include "scene/pass_times.h"
#include "scene/scene_state.h"
#include "scene/water_relation.h"

namespace scene {

// The frame's values the passes read.
struct PassContext {
  const Camera* camera = nullptr;
  int viewportWidth = 1;
  int viewportHeight = 1;
  // The frame buffer drawn into, when it is larger than the viewport (a
  // picture drawn into a corner of a target); 0 when it is the viewport's.
  int frameWidth = 0;
  int frameHeight = 0;
  // Triangles of the current frame; terrain drawing also adds to
  // terrainTriangles. Either may be null.
  int* frameTriangles = nullptr;
  int* terrainTriangles = nullptr;

  // 1 once the terrain is built, 3 once every asset is loaded; below 1 only
  // the sky (and in the water pass the sea) is drawn.
  int sceneReadyLevel = 0;
  // The shared texture table; null draws without its textures and without
  // the sky box and the sea.
  const render::TextureSlots* textures = nullptr;
  // 2 draws the coarse terrain strips.
  int detailLevel = 1;
  float waterHeight = 131.5f;
  float waveParameter = 0.25f;
  float globalGamma = 1.0f;
  // Duration of the last frame; drives the caustics and the scrolling.
  double frameTimeMs = 50.0;
  // Stage times for a developer's look at the frame; null times nothing.
  PassTimes* times = nullptr;
};

inline constexpr int kReflectionSize = 512;

// The reflection's side for a frame buffer of that size: 512, or its
// shorter side when it is smaller, so that the reflection is drawn inside it
// (outside it there are no pixels to copy).
int ReflectionSizeFor(int frameWidth, int frameHeight);
inline constexpr float kCausticScale = 5.0f;

void RenderPlainPass(SceneState& scene, const PassContext& context);
void RenderWaterPass(SceneState& scene, const PassContext& context);
void RenderSimpleWaterPass(SceneState& scene, const PassContext& context);
// The pass the selector names.
void RenderPass(PassSelector selector, SceneState& scene, const PassContext& context);

// The shared scene step: the terrain for the given relation to the water,
// with the terrain program's units 3-9, then (once every asset is loaded)
// the grass, palms and bushes.
void DrawTerrainAndGrass(SceneState& scene, const PassContext& context, WaterRelation relation);

// Renders the scene as seen in the water (mirrored in the plane y = h while
// the camera is above it, unmirrored with the caustics at or below it) into
// a size x size corner of the frame and copies that into the reflection
// texture (slot 0), which takes that size.
void RenderReflectionTexture(SceneState& scene, const PassContext& context, float h, int size);

// Lays the current caustic frame over the ground under the water and steps
// the caustic clock; nothing (and no step) while the camera is higher than
// three times the water height.
void RenderCausticOverlay(SceneState& scene, const PassContext& context, float h, float scale);

// The simple-water pass's translucent sea: the overlay map repeated 500
// times, scrolling.
void DrawSimpleWaterQuad(SceneState& scene, const PassContext& context, float h);

}  // namespace scene
