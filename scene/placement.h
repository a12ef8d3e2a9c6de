// Scattering palms, bushes and grass over the terrain: grid cells are chosen
// by height and slope, then picked at random and jittered inside the cell.
// Pure computation: the GL side uploads the positions it returns.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/height_map.h"
#include "scene/scene_random.h"
#include "scene/terrain_grid.h"
#include "scene/vector3.h"

namespace scene {

// Where a set may grow. low and high are in cells (times the cell size they
// give the world height window, both ends excluded); slopeLimit bounds
// maximum - minimum of a cell's neighbourhood (map units); offset lifts or
// sinks the instances (world units).
struct PlacementRule {
  float low = 0.0f;
  float high = 0.0f;
  float offset = 0.0f;
  float slopeLimit = 0.0f;
};

inline constexpr PlacementRule kPalmPlacement{10.0f, 34.0f, -20.0f, 4.0f};
inline constexpr PlacementRule kBushPlacement{8.0f, 48.0f, -6.0f, 8.0f};
inline constexpr PlacementRule kLandGrassPlacement{10.0f, 28.0f, -10.0f, 3.5f};
// Below the water line: shore grass grows on the shallow sea floor.
inline constexpr PlacementRule kShoreGrassPlacement{-3.0f, 3.0f, 0.0f, 2.0f};

// The placement's own generator: state * 8253729 + 2396403 modulo 2^32,
// 7777 when the terrain is made and continued over every placement, so the
// order of placements fixes every position.
struct PlacementState {
  uint32_t state = 7777;
};

// Whether a cell with these statistics may carry the set.
bool IsPlacementCandidate(const HeightStatistics& cell, const TerrainGrid& grid,
                          const PlacementRule& rule);

// The cells a rule accepts (rows and columns 0 ... size - 2), row by row, as
// statistics indices (row * width + column). Empty when the map has no
// statistics.
std::vector<uint32_t> FindPlacementCells(const HeightMap& map, const TerrainGrid& grid,
                                         const PlacementRule& rule);

// The point of a candidate cell: x and z half a cell off the mesh's grid
// points, y = offset + the cell's mean world height.
CVector3 CandidatePoint(const HeightMap& map, const TerrainGrid& grid, const PlacementRule& rule,
                        uint32_t cell);

// count positions, each a candidate chosen by the placement state and moved
// by up to half a cell in x and then z with two draws of random. With no
// candidate nothing is placed and neither generator moves.
std::vector<CVector3> PlaceOnTerrain(const HeightMap& map, const TerrainGrid& grid, int count,
                                     const PlacementRule& rule, PlacementState& placement,
                                     SceneRandom& random);

// The same from cells found before (sets that share a rule share them).
std::vector<CVector3> PlaceOnCells(const HeightMap& map, const TerrainGrid& grid,
                                   const std::vector<uint32_t>& cells, int count,
                                   const PlacementRule& rule, PlacementState& placement,
                                   SceneRandom& random);

// The first trunc(size * fraction) positions (fraction clamped to 0 ... 1).
std::vector<CVector3> CopyInstances(const std::vector<CVector3>& from, double fraction);

// Instances each set asks for on a grid this wide (2049: 4,098 palms, 8,196
// and 4,098 bushes, 204,288 land and 101,376 shore blades).
struct PlacementCounts {
  int palms = 0;
  int bush0 = 0;
  int bush1 = 0;
  int landGrass = 0;
  int shoreGrass = 0;
};
PlacementCounts PlacementCountsFor(int gridWidth);

inline constexpr int kBushVariants = 4;

// Instance positions of every placed set. Bush variants 2 and 3 repeat the
// positions of 0 and 1 (their models differ, not their places).
struct ScenePlacement {
  std::vector<CVector3> palms;
  std::vector<CVector3> bushes[kBushVariants];
  std::vector<CVector3> landGrass;
  std::vector<CVector3> shoreGrass;
};

// One of the four placement steps, in the order that fixes the random
// sequences: 1 palms, 2 bush 0 and bush 1 (copied to 2 and 3), 3 land grass,
// 4 shore grass. Other steps do nothing.
void PlaceSceneStep(const HeightMap& map, const TerrainGrid& grid, PlacementState& placement,
                    SceneRandom& random, int step, ScenePlacement& placed);

// Places every set (steps 1 to 4). random must be where the colour-map
// painting left it.
ScenePlacement PlaceSceneObjects(const HeightMap& map, const TerrainGrid& grid,
                                 PlacementState& placement, SceneRandom& random);

}  // namespace scene
