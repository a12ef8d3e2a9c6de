#include "scene/grass_cells.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "scene/face_normals.h"

namespace scene {
namespace {

struct Turn {
  float cos = 1.0f;
  float sin = 0.0f;
};

// One entry per whole degree, so a blade's turn depends only on its angle
// modulo 360.
const std::array<Turn, 360>& TurnTable() {
  static const std::array<Turn, 360> table = [] {
    std::array<Turn, 360> turns;
    for (int degrees = 0; degrees < 360; ++degrees) {
      const double radians = degrees * std::numbers::pi / 180.0;
      turns[degrees] = {static_cast<float>(std::cos(radians)),
                        static_cast<float>(std::sin(radians))};
    }
    return turns;
  }();
  return table;
}

CVector3 Rotate(const CVector3& p, const Turn& turn) {
  return {turn.cos * p.x + turn.sin * p.z, p.y, -turn.sin * p.x + turn.cos * p.z};
}

// trunc(q) that stays defined for values no int holds (including NaN, which
// only an empty terrain rectangle produces).
int TruncCell(float q) {
  if (std::isnan(q)) return 0;
  return static_cast<int>(std::clamp(q, -1.0e6f, 1.0e6f));
}

}  // namespace

CVector3 RotateAboutY(const CVector3& p, int angleDegrees) {
  const int degrees = ((angleDegrees % 360) + 360) % 360;
  return Rotate(p, TurnTable()[degrees]);
}

GrassBillboard MakeGrassBillboard(const CVector3& size) {
  static constexpr CVector3 kQuad[4] = {
      {-0.5f, 0.0f, -0.09f}, {0.5f, 0.0f, 0.09f}, {-0.5f, 1.0f, 0.09f}, {0.5f, 1.0f, -0.09f}};
  static constexpr float kQuadTexCoords[8] = {1, 0, 0, 0, 1, 1, 0, 1};
  GrassBillboard billboard;
  for (int v = 0; v < 4; ++v) {
    const CVector3 scaled{kQuad[v].x * size.x, kQuad[v].y * size.y, kQuad[v].z * size.z};
    billboard.positions[v] = scaled;
    billboard.positions[v + 4] = RotateAboutY(scaled, 90);
    billboard.normals[v] = kQuad[v];
    billboard.normals[v + 4] = billboard.positions[v + 4];
    for (int k = 0; k < 2; ++k) {
      billboard.texCoords[2 * v + k] = kQuadTexCoords[2 * v + k];
      billboard.texCoords[2 * (v + 4) + k] = kQuadTexCoords[2 * v + k];
    }
  }
  billboard.strip = {0, 1, 2, 3, 3, 4, 4, 5, 6, 7};
  ApplyFaceNormals(billboard.positions, billboard.normals, billboard.strip, 1.0f);
  return billboard;
}

int GrassCellKey(const CVector3& position, const TerrainRect& bounds) {
  const int width = bounds.right - bounds.left;
  const float side = static_cast<float>(width) * 0.0625f;
  const auto half = static_cast<float>(width >> 1);
  return TruncCell((half + position.x) / side) +
         kGrassCellsPerSide * TruncCell((half + position.z) / side);
}

int64_t GrassStripIndexCount(int64_t blades) {
  return blades <= 0 ? 0 : kBillboardStripIndices * blades + 2 * (blades - 1);
}

GrassCells BuildCellBuckets(const GrassBillboard& billboard, const std::vector<CVector3>& instances,
                            const TerrainRect& bounds) {
  // (key, blade) pairs sorted: cells in key order, blades in index order.
  std::vector<std::pair<int, int>> order(instances.size());
  for (size_t i = 0; i < instances.size(); ++i) {
    order[i] = {GrassCellKey(instances[i], bounds), static_cast<int>(i)};
  }
  std::sort(order.begin(), order.end());

  GrassCells out;
  out.positions.reserve(instances.size() * kBillboardVertices);
  out.normals.reserve(instances.size() * kBillboardVertices);
  out.texCoords.reserve(instances.size() * kBillboardVertices * 2);
  out.indices.reserve(static_cast<size_t>(GrassStripIndexCount(std::ssize(instances))));
  const auto& turns = TurnTable();
  for (size_t first = 0; first < order.size();) {
    GrassCell cell;
    cell.key = order[first].first;
    cell.firstVertex = out.positions.size();
    cell.firstIndex = out.indices.size();
    size_t last = first;
    for (; last < order.size() && order[last].first == cell.key; ++last) {
      const int blade = order[last].second;
      const CVector3& at = instances[blade];
      const Turn& turn = turns[blade % 360];
      const auto base = static_cast<uint32_t>(out.positions.size() - cell.firstVertex);
      if (base > 0) out.indices.insert(out.indices.end(), {base - 1, base});
      for (uint32_t index : billboard.strip) out.indices.push_back(base + index);
      for (int v = 0; v < kBillboardVertices; ++v) {
        const CVector3 p = Rotate(billboard.positions[v], turn);
        out.positions.push_back({p.x + at.x, p.y + at.y, p.z + at.z});
        out.normals.push_back(Rotate(billboard.normals[v], turn));
        out.texCoords.insert(out.texCoords.end(),
                             {billboard.texCoords[2 * v], billboard.texCoords[2 * v + 1]});
      }
    }
    cell.blades = static_cast<int>(last - first);
    cell.vertexCount = static_cast<int>(out.positions.size() - cell.firstVertex);
    cell.indexCount = static_cast<int>(out.indices.size() - cell.firstIndex);
    cell.boxMin = cell.boxMax = out.positions[cell.firstVertex];
    for (size_t v = cell.firstVertex; v < out.positions.size(); ++v) {
      const CVector3& p = out.positions[v];
      cell.boxMin = {std::min(cell.boxMin.x, p.x), std::min(cell.boxMin.y, p.y),
                     std::min(cell.boxMin.z, p.z)};
      cell.boxMax = {std::max(cell.boxMax.x, p.x), std::max(cell.boxMax.y, p.y),
                     std::max(cell.boxMax.z, p.z)};
    }
    cell.centre = {(cell.boxMin.x + cell.boxMax.x) / 2, (cell.boxMin.y + cell.boxMax.y) / 2,
                   (cell.boxMin.z + cell.boxMax.z) / 2};
    out.cells.push_back(cell);
    first = last;
  }
  return out;
}

}  // namespace scene
