// Grass before it reaches GL: the crossed-quad billboard every blade is a copy
// of, and the baking of a set's blades into one merged triangle strip per
// cell of a 16 x 16 grid over the terrain. Pure computation; the GL side
// uploads each cell's range and culls it by its box.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "scene/terrain_grid.h"
#include "scene/vector3.h"

namespace scene {

inline constexpr int kBillboardVertices = 8;
inline constexpr int kBillboardStripIndices = 10;

// Two quads crossing at right angles about the vertical axis, one strip of
// 10 indices (the repeated 3 and 4 join the quads).
struct GrassBillboard {
  std::array<CVector3, kBillboardVertices> positions;
  std::array<CVector3, kBillboardVertices> normals;
  std::array<float, 2 * kBillboardVertices> texCoords;
  std::array<uint32_t, kBillboardStripIndices> strip;
  bool noNormals = false;
};

// Blade sizes (width, height, depth) of the two sets.
inline constexpr CVector3 kLandGrassSize{100.0f, 40.0f, 100.0f};
inline constexpr CVector3 kShoreGrassSize{100.0f, 20.0f, 100.0f};

// The template scaled to size; normals from the face-normal pass over the
// strip's index triples.
GrassBillboard MakeGrassBillboard(const CVector3& size);

// p turned by angleDegrees about +y (counter-clockwise seen from above, as
// glRotate). Whole degrees are exact per value: blade i and i + 360 match.
CVector3 RotateAboutY(const CVector3& p, int angleDegrees);

inline constexpr int kGrassCellsPerSide = 16;

// trunc((half + x) / b) + 16 * trunc((half + z) / b) with w = the bounds'
// width, b = w / 16 and half = w / 2. Not clamped: a blade on the right or far
// edge lands in key 16 of its row (or the next row), a bucket of its own.
int GrassCellKey(const CVector3& position, const TerrainRect& bounds);

// Strip indices of a cell of m blades: 10 m + 2 (m - 1), 0 for none.
int64_t GrassStripIndexCount(int64_t blades);

struct GrassCell {
  int key = 0;
  int blades = 0;
  int vertexCount = 0;
  int indexCount = 0;
  CVector3 boxMin;
  CVector3 boxMax;
  CVector3 centre;
};

// One cell's merged strip, its indices counting from its first vertex.
struct GrassCellGeometry {
  std::vector<CVector3> positions;
  std::vector<CVector3> normals;
  std::vector<float> texCoords;  // two per vertex
  std::vector<uint32_t> indices;
};

// Bakes every instance into its cell and hands the cells over in key order:
// blade i is the billboard turned by i degrees, moved to its position, and
// joined to the cell's strip by two degenerate indices. The geometry is
// reused for the next cell, so an uploader keeps only one cell in memory.
void ForEachGrassCell(const GrassBillboard& billboard, const std::vector<CVector3>& instances,
                      const TerrainRect& bounds,
                      const std::function<void(const GrassCell&, const GrassCellGeometry&)>& visit);

// Every cell's geometry one after another (in key order), with where each
// cell's vertices and indices start.
struct GrassCells {
  GrassCellGeometry geometry;
  std::vector<GrassCell> cells;
  std::vector<size_t> firstVertex;
  std::vector<size_t> firstIndex;
};
GrassCells BuildCellBuckets(const GrassBillboard& billboard, const std::vector<CVector3>& instances,
                            const TerrainRect& bounds);

}  // namespace scene
