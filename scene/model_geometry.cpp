#include "scene/model_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "scene/face_normals.h"

namespace scene {
namespace {

constexpr float kCopyAngleDegrees = 47.0f;
constexpr float kCopyScale = 1.33f;

std::vector<CVector3> Triples(const std::vector<float>& values) {
  std::vector<CVector3> out(values.size() / 3);
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = {values[3 * i], values[3 * i + 1], values[3 * i + 2]};
  return out;
}

}  // namespace

Box3 BoundingBox(const std::vector<CVector3>& positions) {
  Box3 box;
  if (positions.empty()) return box;
  box.minimum = box.maximum = positions.front();
  for (const CVector3& p : positions) {
    box.minimum = {std::min(box.minimum.x, p.x), std::min(box.minimum.y, p.y),
                   std::min(box.minimum.z, p.z)};
    box.maximum = {std::max(box.maximum.x, p.x), std::max(box.maximum.y, p.y),
                   std::max(box.maximum.z, p.z)};
  }
  box.centre = {(box.minimum.x + box.maximum.x) * 0.5f, (box.minimum.y + box.maximum.y) * 0.5f,
                (box.minimum.z + box.maximum.z) * 0.5f};
  return box;
}

void ApplyModelNormals(ModelGeometry& geometry, float normalScale) {
  geometry.normals.resize(geometry.positions.size());
  ApplyFaceNormals(geometry.positions, geometry.normals,
                   geometry.strip.empty() ? geometry.indices : geometry.strip, normalScale);
}

bool AppendRotatedCopy(ModelGeometry& geometry, float normalScale) {
  const auto old = static_cast<uint32_t>(geometry.positions.size());
  const float radians = kCopyAngleDegrees * std::numbers::pi_v<float> / 180.0f;
  const float c = std::cos(radians);
  const float s = std::sin(radians);
  geometry.positions.reserve(2 * old);
  geometry.normals.resize(old);
  geometry.normals.reserve(2 * old);
  geometry.texCoords.resize(2 * static_cast<size_t>(old));
  for (uint32_t v = 0; v < old; ++v) {
    const CVector3 p = geometry.positions[v];
    geometry.positions.push_back(
        {(c * p.x + s * p.z) * kCopyScale, p.y * kCopyScale, (-s * p.x + c * p.z) * kCopyScale});
    geometry.normals.push_back(geometry.normals[v]);
    geometry.texCoords.push_back(geometry.texCoords[2 * v]);
    geometry.texCoords.push_back(geometry.texCoords[2 * v + 1]);
  }
  bool inRange = true;
  const size_t indexCount = geometry.indices.size();
  geometry.indices.reserve(2 * indexCount);
  // Whole triangles only, so a bad index cannot shift the triples after it.
  for (size_t t = 0; t + 2 < indexCount; t += 3) {
    const uint32_t a = geometry.indices[t], b = geometry.indices[t + 1],
                   d = geometry.indices[t + 2];
    if (a >= old || b >= old || d >= old) {
      inRange = false;
      continue;
    }
    geometry.indices.insert(geometry.indices.end(), {a + old, b + old, d + old});
  }
  ApplyModelNormals(geometry, normalScale);
  return inRange;
}

bool ShapeModel(const ObjMesh& mesh, const ModelShaping& shaping, const std::string& label,
                ModelGeometry& out, std::string& message) {
  const size_t vertices = mesh.positions.size() / 3;
  if (mesh.texCoords.size() / 2 != vertices || mesh.normals.size() / 3 != vertices) {
    message = UnsuitableModelMessage(label);
    return false;
  }
  ModelGeometry g;
  g.positions = Triples(mesh.positions);
  g.normals = Triples(mesh.normals);
  g.texCoords = mesh.texCoords;
  g.indices = mesh.indices;
  if (shaping.uniformScale != 1.0f) {
    for (CVector3& p : g.positions) {
      p = {p.x * shaping.uniformScale * shaping.scaleVector.x,
           p.y * shaping.uniformScale * shaping.scaleVector.y,
           p.z * shaping.uniformScale * shaping.scaleVector.z};
    }
  }
  message.clear();
  for (int copy = 0; copy < shaping.extraCopies; ++copy) {
    if (!AppendRotatedCopy(g, shaping.normalScale)) message = "Bad indice";
  }
  ApplyModelNormals(g, shaping.normalScale);
  g.box = BoundingBox(g.positions);
  out = std::move(g);
  return true;
}

}  // namespace scene
