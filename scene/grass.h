// A grass set on the GPU: every cell's merged blade strip in one set of
// buffer objects, drawn cell by cell with a box test per cell.
#pragma once

#include <GL/gl.h>

#include <vector>

#include "scene/frustum.h"
#include "scene/grass_cells.h"
#include "scene/terrain_mesh.h"

namespace scene {

struct GrassSet {
  struct Cell {
    Box3 box;
    int firstIndex = 0;
    int indexCount = 0;
  };
  // Cells in key order.
  std::vector<Cell> cells;
  // [0] positions, [1] normals, [2] texture coordinates, [3] strip indices.
  GLuint buffers[4] = {};
  bool uploaded = false;
  int blades = 0;
  // Strip indices of the last DrawGrassSet call.
  int drawnIndices = 0;
};

// Bakes the blades into cells (blade i turned by i degrees) and uploads them.
// Missing buffer functions: "999" / "ero-obb", nothing uploaded.
bool UploadGrassSet(GrassSet& set, const GrassBillboard& billboard,
                    const std::vector<CVector3>& blades, const TerrainRect& bounds);

// Draws the prefix `fraction` of every visible cell's strip (whole strips at
// 1) and returns the indices drawn, which are also kept in drawnIndices. The
// texture state is the caller's.
int DrawGrassSet(GrassSet& set, const Frustum& frustum, float fraction);

void ReleaseGrassGl(GrassSet& set);

}  // namespace scene
