#include "scene/grass_cells.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
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

void ForEachGrassCell(
    const GrassBillboard& billboard, const std::vector<CVector3>& instances,
    const TerrainRect& bounds,
    const std::function<void(const GrassCell&, const GrassCellGeometry&)>& visit) {
  // Blades grouped by key, each group in index order: keys are counted into
  // a table over their range (sixteen rows of sixteen for any placed set),
  // or sorted when a stray blade makes that range too wide.
  std::vector<int> keys(instances.size());
  for (size_t i = 0; i < instances.size(); ++i) keys[i] = GrassCellKey(instances[i], bounds);
  std::vector<int> order(instances.size());
  std::vector<std::pair<int, int>> groups;  // key, blades
  if (!keys.empty()) {
    const auto [low, high] = std::minmax_element(keys.begin(), keys.end());
    const int64_t range = int64_t{*high} - *low + 1;
    if (range <= 4 * static_cast<int64_t>(keys.size()) + 1024) {
      std::vector<int> start(static_cast<size_t>(range) + 1, 0);
      for (int key : keys) ++start[key - *low + 1];
      for (size_t k = 0; k + 1 < start.size(); ++k) {
        if (start[k + 1] > 0) groups.push_back({static_cast<int>(k) + *low, start[k + 1]});
        start[k + 1] += start[k];
      }
      for (size_t i = 0; i < keys.size(); ++i) order[start[keys[i] - *low]++] = static_cast<int>(i);
    } else {
      std::iota(order.begin(), order.end(), 0);
      std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a] < keys[b]; });
      for (int blade : order) {
        if (groups.empty() || groups.back().first != keys[blade])
          groups.push_back({keys[blade], 0});
        ++groups.back().second;
      }
    }
  }

  GrassCellGeometry geometry;
  const auto& turns = TurnTable();
  size_t next = 0;
  for (const auto& [key, blades] : groups) {
    geometry.positions.clear();
    geometry.normals.clear();
    geometry.texCoords.clear();
    geometry.indices.clear();
    for (int n = 0; n < blades; ++n) {
      const int blade = order[next++];
      const CVector3& at = instances[blade];
      const Turn& turn = turns[blade % 360];
      const auto base = static_cast<uint32_t>(geometry.positions.size());
      if (base > 0) geometry.indices.insert(geometry.indices.end(), {base - 1, base});
      for (uint32_t index : billboard.strip) geometry.indices.push_back(base + index);
      for (int v = 0; v < kBillboardVertices; ++v) {
        const CVector3 p = Rotate(billboard.positions[v], turn);
        geometry.positions.push_back({p.x + at.x, p.y + at.y, p.z + at.z});
        geometry.normals.push_back(Rotate(billboard.normals[v], turn));
        geometry.texCoords.insert(geometry.texCoords.end(),
                                  {billboard.texCoords[2 * v], billboard.texCoords[2 * v + 1]});
      }
    }
    GrassCell cell;
    cell.key = key;
    cell.blades = blades;
    cell.vertexCount = static_cast<int>(geometry.positions.size());
    cell.indexCount = static_cast<int>(geometry.indices.size());
    cell.boxMin = cell.boxMax = geometry.positions.front();
    for (const CVector3& p : geometry.positions) {
      cell.boxMin = {std::min(cell.boxMin.x, p.x), std::min(cell.boxMin.y, p.y),
                     std::min(cell.boxMin.z, p.z)};
      cell.boxMax = {std::max(cell.boxMax.x, p.x), std::max(cell.boxMax.y, p.y),
                     std::max(cell.boxMax.z, p.z)};
    }
    cell.centre = {(cell.boxMin.x + cell.boxMax.x) / 2, (cell.boxMin.y + cell.boxMax.y) / 2,
                   (cell.boxMin.z + cell.boxMax.z) / 2};
    visit(cell, geometry);
  }
}

GrassCells BuildCellBuckets(const GrassBillboard& billboard, const std::vector<CVector3>& instances,
                            const TerrainRect& bounds) {
  GrassCells out;
  auto append = [](auto& to, const auto& from) { to.insert(to.end(), from.begin(), from.end()); };
  ForEachGrassCell(billboard, instances, bounds,
                   [&](const GrassCell& cell, const GrassCellGeometry& geometry) {
                     out.cells.push_back(cell);
                     out.firstVertex.push_back(out.geometry.positions.size());
                     out.firstIndex.push_back(out.geometry.indices.size());
                     append(out.geometry.positions, geometry.positions);
                     append(out.geometry.normals, geometry.normals);
                     append(out.geometry.texCoords, geometry.texCoords);
                     append(out.geometry.indices, geometry.indices);
                   });
  return out;
}

}  // namespace scene
