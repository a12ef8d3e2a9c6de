#include "scene/face_normals.h"

#include <algorithm>
#include <cmath>

namespace scene {

CVector3 FaceNormal(const CVector3& a, const CVector3& b, const CVector3& c, float scale) {
  const CVector3 u{a.x - b.x, a.y - b.y, a.z - b.z};
  const CVector3 v{b.x - c.x, b.y - c.y, b.z - c.z};
  const CVector3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
  float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  if (length == 0.0f) length = 1.0f;
  return {n.x / length * scale, n.y / length * scale, n.z / length * scale};
}

void ApplyFaceNormals(std::span<const CVector3> positions, std::span<CVector3> normals,
                      std::span<const uint32_t> indices, float scale) {
  const size_t vertices = std::min(positions.size(), normals.size());
  for (size_t t = 0; t + 2 < indices.size(); t += 3) {
    const uint32_t a = indices[t], b = indices[t + 1], c = indices[t + 2];
    if (a >= vertices || b >= vertices || c >= vertices) continue;
    const CVector3 n = FaceNormal(positions[a], positions[b], positions[c], scale);
    normals[a] = normals[b] = normals[c] = n;
  }
}

}  // namespace scene
