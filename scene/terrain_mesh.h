// The terrain's vertex grid and the per-patch data derived from it: flat
// vertices and the two triangle-strip index layouts. Pure computation; the
// GL upload lives in terrain.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/height_map.h"
#include "scene/terrain_grid.h"
#include "scene/vector3.h"

namespace scene {

// Grid points per patch side; patches share their border rows and columns.
inline constexpr int kPatchSide = 129;

struct Box3 {
  CVector3 minimum;
  CVector3 maximum;
  CVector3 centre;
};

// One vertex per grid point, row-major (index = row * width + column).
struct TerrainVertexGrid {
  int width = 0;
  int height = 0;
  std::vector<float> positions;  // x, y, z
  std::vector<float> normals;    // x, y, z
  std::vector<float> texCoords;  // u, v
};

// Positions (whole numbers in x and z), texture coordinates and normals.
TerrainVertexGrid BuildVertexGrid(const HeightMap& map, const TerrainGrid& grid);

// Flags (1 = flat) for the n x n vertices of the patch starting at grid point
// (startRow, startColumn): a vertex is flat when the 5 x 5 block around it
// changes height by less than 0.1 between horizontal neighbours.
std::vector<uint8_t> FindFlatVertices(const TerrainVertexGrid& grid, int startRow, int startColumn,
                                      int n);

// Index counts a strip buffer is sized for (before the 3 spare entries).
inline int FineStripCapacity(int n) { return n * (2 * n + 3); }
inline int CoarseStripCapacity(int n) { return FineStripCapacity(n) >> 2; }

// One triangle strip over the patch: row pairs alternate direction and are
// joined by one repeated vertex. The fine strip skips columns whose vertex
// on the pair's first row is flat; out must hold FineStripCapacity(n)
// entries. Returns the number of indices written.
template <typename Index>
int WriteFineStrip(const uint8_t* flat, int n, Index* out);
// Every fourth row and column; out must hold CoarseStripCapacity(n) entries.
template <typename Index>
int WriteCoarseStrip(int n, Index* out);

// The patch's vertices copied out of the grid (positions, normals, texture
// coordinates, in that order of arrays) and their bounding box.
struct PatchVertices {
  std::vector<float> positions;
  std::vector<float> normals;
  std::vector<float> texCoords;
  Box3 box;
};
void CopyPatchVertices(const TerrainVertexGrid& grid, int startRow, int startColumn, int n,
                       PatchVertices& out);

}  // namespace scene
