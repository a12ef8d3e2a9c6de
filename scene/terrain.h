// The island terrain: built once at start-up (height map, colour maps, 256
// buffer-object patches in a culling tree), then drawn by the render passes
// and asked for heights by the camera.
#pragma once

#include <GL/gl.h>

#include <map>
#include <memory>

#include "render/shader_program.h"
#include "render/texture_slots.h"
#include "scene/buffer_mesh.h"
#include "scene/height_map.h"
#include "scene/patch_quadtree.h"
#include "scene/placement.h"
#include "scene/scene_random.h"
#include "scene/terrain_build.h"
#include "scene/terrain_grid.h"
#include "scene/water_relation.h"

namespace scene {

// The terrain's record, held in the scene record.
struct Terrain {
  TerrainGrid grid;
  int vertexCount = 0;
  int patchesPerSide = 0;
  // Key = patch row * patchesPerSide + patch column (rows along z).
  std::map<int, std::unique_ptr<BufferMesh>> patches;
  PatchQuadtree cullingTree;
  HeightMap heightMap;
  bool built = false;
  // A build uses seed = buildCounter + 55 (616 for the first) and then
  // increments it.
  int buildCounter = 561;
  // Sum over the patches of 2 x their vertex count (8,520,192).
  int nominalTriangles = 0;
  // Patches built over all builds, counted in the debug output.
  int builtPatches = 0;
  // Seeded with 2 by the colour-map painting; object placement continues
  // from where the painting left it.
  SceneRandom random;
  // 7777 when the terrain is made; every placement of palms, bushes and
  // grass continues it, so their order fixes all positions.
  PlacementState placement;
  // The three region colour maps the terrain program blends.
  GLuint regionColourMaps[3] = {};
};

// Everything one terrain draw needs from the frame.
struct TerrainDrawState {
  const Frustum* frustum = nullptr;
  int detailLevel = 1;
  float waterHeight = 131.5f;
  GLuint colourMap = 0;  // TextureSlots::kTerrainColourMap
  GLuint detailMap = 0;  // TextureSlots::kTerrainDetailMap
  int* frameTriangles = nullptr;
  int* terrainTriangles = nullptr;
};

// Decodes the embedded tiles and scales them by their factors; a tile that
// does not decode is replaced by a flat colour.
TerrainTiles LoadTerrainTiles();

// Decodes the three region colour maps into terrain.regionColourMaps and the
// detail map into its slot (all mipmapped).
void LoadTerrainTextures(Terrain& terrain, render::TextureSlots& textures);

// The whole build on the thread that holds the GL context: height map from
// the next seed, colour map and region mask into their slots, then the mesh.
// A map without statistics is reported ("Mem-Err!"). Returns 1.
int BuildTerrain(Terrain& terrain, float scale, render::TextureSlots& textures);

// Shows "Mem-Err!" (no caption) when the map has no statistics; returns
// whether it has them.
bool ReportMissingStatistics(const HeightMap& map);

// Replaces the patches and culling tree from a finished CPU build.
void BuildTerrainMesh(Terrain& terrain, const TerrainCpuBuild& build);

// Draws the patches the view wants and adds their triangles to both
// counters. Allocates nothing.
void DrawTerrain(const Terrain& terrain, WaterRelation relation, const TerrainDrawState& state);

// Sets the terrain program's uniforms; the program must be in use.
void SetTerrainUniforms(render::ShaderProgram& program, WaterRelation relation,
                        const CVector3& eyePosition, float globalGamma, float waterHeight);

// Builds the terrain program from its embedded text; on failure shows
// "Failed to load shader for Terrain (Er1)!" with the log. Returns whether
// the program is complete.
bool BuildTerrainProgram(render::ShaderProgram& program);

// The fixed-function light the terrain and the scene's models are lit by.
void EnableSceneLighting();
void DisableSceneLighting();

}  // namespace scene
