#include "scene/terrain_mesh.h"

#include <algorithm>
#include <cmath>

#include "scene/parallel_rows.h"

namespace scene {
namespace {

struct Vec {
  float x, y, z;
};

Vec PointAt(const TerrainVertexGrid& grid, int row, int column) {
  const float* p = grid.positions.data() + (static_cast<size_t>(row) * grid.width + column) * 3;
  return {p[0], p[1], p[2]};
}

Vec Sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Vec Normalised(Vec a, Vec b) {
  Vec n{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
  float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  if (length == 0.0f) length = 1.0f;
  return {n.x / length, n.y / length, n.z / length};
}

void StoreNormal(TerrainVertexGrid& grid, int row, int column, Vec n) {
  float* p = grid.normals.data() + (static_cast<size_t>(row) * grid.width + column) * 3;
  p[0] = n.x;
  p[1] = n.y;
  p[2] = n.z;
}

}  // namespace

TerrainVertexGrid BuildVertexGrid(const HeightMap& map, const TerrainGrid& terrain) {
  TerrainVertexGrid grid;
  const int w = terrain.width;
  const int h = terrain.height;
  grid.width = w;
  grid.height = h;
  const size_t points = static_cast<size_t>(w) * h;
  grid.positions.resize(points * 3);
  grid.normals.resize(points * 3);
  grid.texCoords.resize(points * 2);
  if (points == 0 || map.width <= 0 || map.height <= 0) return grid;

  const int halfW = static_cast<int>(w * 0.5);
  const int halfH = static_cast<int>(h * 0.5);
  const auto du = static_cast<float>(1.0 / w);
  const auto dv = static_cast<float>(1.0 / h);
  // u and v are running float sums, one step per column and per row.
  std::vector<float> us(w), vs(h);
  float u = 0.0f, v = 0.0f;
  for (int j = 0; j < w; ++j) us[j] = (u += du);
  for (int i = 0; i < h; ++i) vs[i] = (v += dv);

  ParallelRows(0, h, [&](int firstRow, int lastRow) {
    for (int i = firstRow; i < lastRow; ++i) {
      const auto z =
          static_cast<float>(static_cast<int>(static_cast<float>(i - halfH) * terrain.cellSize));
      const int mapRow = std::clamp(i, 0, map.height - 1);
      for (int j = 0; j < w; ++j) {
        const size_t index = static_cast<size_t>(i) * w + j;
        const auto x =
            static_cast<float>(static_cast<int>(static_cast<float>(j - halfW) * terrain.cellSize));
        const int mapColumn = std::clamp(j, 0, map.width - 1);
        const float y =
            map.heights[static_cast<size_t>(mapRow) * map.width + mapColumn] * terrain.heightScale;
        grid.positions[index * 3] = x;
        grid.positions[index * 3 + 1] = y;
        grid.positions[index * 3 + 2] = z;
        grid.texCoords[index * 2] = us[j];
        grid.texCoords[index * 2 + 1] = vs[i];
      }
    }
  });

  // Each quad writes its first normal at its top-left point and its second
  // at its top-right point; the next quad of the row overwrites the latter,
  // so only the last column keeps a second normal and only that one is
  // computed.
  ParallelRows(0, h - 1, [&](int firstRow, int lastRow) {
    for (int e = firstRow; e < lastRow; ++e) {
      for (int c = 0; c + 1 < w; ++c) {
        const Vec p0 = PointAt(grid, e, c);
        const Vec p1 = PointAt(grid, e + 1, c);
        const Vec p2 = PointAt(grid, e, c + 1);
        StoreNormal(grid, e, c, Normalised(Sub(p0, p1), Sub(p1, p2)));
        if (c + 2 == w) {
          const Vec p3 = PointAt(grid, e + 1, c + 1);
          // Taken in the order that keeps the same side up as the first
          // normal (flat ground gives (0, 1, 0) here too).
          StoreNormal(grid, e, c + 1, Normalised(Sub(p2, p3), Sub(p1, p2)));
        }
      }
    }
  });
  // The last row has no quad below it: it takes the normals of the row above
  // (straight up for a one-row grid).
  float* last = grid.normals.data() + static_cast<size_t>(h - 1) * w * 3;
  for (int c = 0; c < w; ++c) {
    if (h > 1) {
      std::copy_n(last - static_cast<size_t>(w) * 3 + c * 3, 3, last + c * 3);
    } else {
      last[c * 3] = 0.0f;
      last[c * 3 + 1] = 1.0f;
      last[c * 3 + 2] = 0.0f;
    }
  }
  return grid;
}

std::vector<uint8_t> FindFlatVertices(const TerrainVertexGrid& grid, int startRow, int startColumn,
                                      int n) {
  std::vector<uint8_t> flat(static_cast<size_t>(n) * n, 0);
  const long long total = static_cast<long long>(grid.width) * grid.height;
  // The grid is read as one row-major array: a block may run past the end
  // of a row into the next one, but never past the end of the grid.
  auto height = [&](long long index) { return grid.positions[static_cast<size_t>(index) * 3 + 1]; };
  for (int j = 0; j + 2 < n; ++j) {
    for (int i = 0; i + 2 < n; ++i) {
      const long long first = static_cast<long long>(startRow + j) * grid.width + startColumn + i;
      if (first + 4LL * grid.width + 4 >= total) continue;
      bool isFlat = true;
      for (int r = 0; r < 5 && isFlat; ++r) {
        const long long rowStart = first + static_cast<long long>(r) * grid.width;
        for (int k = 0; k < 4; ++k) {
          if (!(std::fabs(height(rowStart + k + 1) - height(rowStart + k)) < 0.1f)) {
            isFlat = false;
            break;
          }
        }
      }
      if (isFlat && i + 2 < n - 1) flat[static_cast<size_t>(j + 2) * n + i + 2] = 1;
    }
  }
  return flat;
}

template <typename Index>
int WriteFineStrip(const uint8_t* flat, int n, Index* out) {
  int count = 0;
  auto put = [&](int row, int column) { out[count++] = static_cast<Index>(row * n + column); };
  for (int o = 0; o + 1 < n; ++o) {
    const int t = o + 1;
    const bool upwards = o % 2 == 0;
    for (int k = 0; k < n; ++k) {
      const int c = upwards ? k : n - 1 - k;
      if (flat[static_cast<size_t>(o) * n + c] != 0) continue;
      put(o, c);
      put(t, c);
    }
    put(t, upwards ? n - 1 : 0);
  }
  return count;
}

template <typename Index>
int WriteCoarseStrip(int n, Index* out) {
  int count = 0;
  auto put = [&](int row, int column) { out[count++] = static_cast<Index>(row * n + column); };
  const int last = n - 1;
  for (int o = 0; o + 4 <= last; o += 4) {
    const int t = o + 4;
    const bool upwards = o % 8 == 0;
    for (int k = 0; k <= last; k += 4) {
      const int c = upwards ? k : last - k;
      put(o, c);
      put(t, c);
    }
    put(t, upwards ? last : 0);
  }
  return count;
}

template int WriteFineStrip<uint16_t>(const uint8_t*, int, uint16_t*);
template int WriteFineStrip<uint32_t>(const uint8_t*, int, uint32_t*);
template int WriteCoarseStrip<uint16_t>(int, uint16_t*);
template int WriteCoarseStrip<uint32_t>(int, uint32_t*);

void CopyPatchVertices(const TerrainVertexGrid& grid, int startRow, int startColumn, int n,
                       PatchVertices& out) {
  const size_t count = static_cast<size_t>(n) * n;
  out.positions.resize(count * 3);
  out.normals.resize(count * 3);
  out.texCoords.resize(count * 2);
  for (int r = 0; r < n; ++r) {
    const size_t source = static_cast<size_t>(startRow + r) * grid.width + startColumn;
    const size_t target = static_cast<size_t>(r) * n;
    std::copy_n(grid.positions.data() + source * 3, n * 3, out.positions.data() + target * 3);
    std::copy_n(grid.normals.data() + source * 3, n * 3, out.normals.data() + target * 3);
    std::copy_n(grid.texCoords.data() + source * 2, n * 2, out.texCoords.data() + target * 2);
  }
  Box3& box = out.box;
  box.minimum = {out.positions[0], out.positions[1], out.positions[2]};
  box.maximum = box.minimum;
  for (size_t i = 0; i < count; ++i) {
    const float* p = out.positions.data() + i * 3;
    box.minimum = {std::min(box.minimum.x, p[0]), std::min(box.minimum.y, p[1]),
                   std::min(box.minimum.z, p[2])};
    box.maximum = {std::max(box.maximum.x, p[0]), std::max(box.maximum.y, p[1]),
                   std::max(box.maximum.z, p[2])};
  }
  box.centre = {(box.minimum.x + box.maximum.x) / 2, (box.minimum.y + box.maximum.y) / 2,
                (box.minimum.z + box.maximum.z) / 2};
}

}  // namespace scene
