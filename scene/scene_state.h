// The scene's record, part of the application record: what the render
// passes draw and the values the frame loop hands them.
#pragma once

#include <atomic>

#include "render/shader_program.h"
#include "render/texture_slots.h"
#include "render/textures.h"
#include "scene/frustum.h"
#include "scene/pass_times.h"
#include "scene/scene_objects.h"
#include "scene/terrain.h"
#include "scene/water.h"
#include "scene/water_animation.h"

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

  // Water, sky and caustics: their programs, the clocks that carry over from
  // frame to frame, the slot of the caustic frame the last overlay showed,
  // and the caustic frames' loader with its first-call flag. The frustum is
  // refreshed by the passes and read by every culling draw.
  Frustum frustum;
  render::ShaderProgram waterProgram;
  render::ShaderProgram simpleProgram;
  WaterAnimation animation;
  int causticSlot = render::TextureSlots::CausticFrame(0);
  render::CausticSequence causticFrames{CausticFrameFiles()};

  // Palms, bushes, the rock and the grass, with their programs.
  SceneObjects objects;
  // The switches the grass and plant draw follows (settings draw_grass,
  // draw_palm, g_bRenderObjects and the render mode g_bRenderMode).
  bool drawGrass = true;
  bool drawPalms = true;
  bool renderObjects = true;
  bool filledPolygons = true;
  // The wind's clock in seconds for a picture at a fixed moment; below 0
  // the wind follows the time since loading.
  double windTimeSeconds = -1.0;

  // Per-stage frame times, printed for developers when enabled.
  PassTimes passTimes;
};

// Puts the scene's clocks at a total time of `ms` milliseconds from the
// start: the caustic frame and its clock, the water's scroll offsets.
void SetSceneTime(SceneState& scene, double ms);

// Starts a frame's counting: the frame order calls it where it resets the
// frame's own triangle counter, before the scene is drawn.
void BeginSceneFrame(SceneState& scene);

// Releases the scene's GL objects; the context must be current.
void ReleaseSceneGl(SceneState& scene);

}  // namespace scene
