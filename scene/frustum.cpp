#include "scene/frustum.h"

#include <cmath>

namespace scene {
namespace {

float Distance(const float plane[4], float x, float y, float z) {
  return plane[0] * x + plane[1] * y + plane[2] * z + plane[3];
}

}  // namespace

void FrustumFromMatrices(Frustum& frustum, const float projection[16], const float modelview[16]) {
  float clip[16];
  for (int column = 0; column < 4; ++column) {
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += projection[k * 4 + row] * modelview[column * 4 + k];
      clip[column * 4 + row] = sum;
    }
  }
  auto row = [&](int r, int c) { return clip[c * 4 + r]; };
  // Row 4 minus / plus rows 1, 2, 3.
  const int sourceRow[6] = {0, 0, 1, 1, 2, 2};
  const float sign[6] = {-1.0f, 1.0f, 1.0f, -1.0f, -1.0f, 1.0f};
  for (int p = 0; p < 6; ++p) {
    float* plane = frustum.planes[p];
    for (int c = 0; c < 4; ++c) plane[c] = row(3, c) + sign[p] * row(sourceRow[p], c);
    float length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
    if (length == 0.0f) length = 1.0f;
    for (int c = 0; c < 4; ++c) plane[c] /= length;
  }
}

bool PointInFrustum(const Frustum& frustum, float x, float y, float z) {
  for (const auto& plane : frustum.planes) {
    if (Distance(plane, x, y, z) <= 0.0f) return false;
  }
  return true;
}

bool BoxInFrustum(const Frustum& frustum, float minX, float minY, float minZ, float maxX,
                  float maxY, float maxZ) {
  for (const auto& plane : frustum.planes) {
    bool anyInside = false;
    for (int corner = 0; corner < 8 && !anyInside; ++corner) {
      const float x = (corner & 1) ? maxX : minX;
      const float y = (corner & 2) ? maxY : minY;
      const float z = (corner & 4) ? maxZ : minZ;
      anyInside = Distance(plane, x, y, z) > 0.0f;
    }
    if (!anyInside) return false;
  }
  return true;
}

}  // namespace scene
