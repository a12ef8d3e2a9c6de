// Flat normals for indexed geometry: every index triple (a, b, c), taken in
// order, writes normalize((Pa - Pb) x (Pb - Pc)) * scale to its three
// vertices, so a shared vertex keeps the last triple's normal. A zero-length
// cross product (a degenerate triple) is divided by 1 and so writes zero.
#pragma once

#include <cstdint>
#include <span>

#include "scene/vector3.h"

namespace scene {

CVector3 FaceNormal(const CVector3& a, const CVector3& b, const CVector3& c, float scale);

// Triples that name a vertex outside positions or normals are skipped.
void ApplyFaceNormals(std::span<const CVector3> positions, std::span<CVector3> normals,
                      std::span<const uint32_t> indices, float scale);

}  // namespace scene
