// The view frustum as six planes (right, left, bottom, top, far, near) in
// world coordinates, each normalised so that a * x + b * y + c * z + d is the
// signed distance. Refreshed by the render passes, read by every culling
// test.
#pragma once

namespace scene {

struct Frustum {
  float planes[6][4] = {};
};

// From column-major projection and model-view matrices (as GL returns them).
void FrustumFromMatrices(Frustum& frustum, const float projection[16], const float modelview[16]);

// Points on a plane count as outside.
bool PointInFrustum(const Frustum& frustum, float x, float y, float z);

// False only when one plane has all eight corners on or behind it; boxes near
// the frustum's corners may pass.
bool BoxInFrustum(const Frustum& frustum, float minX, float minY, float minZ, float maxX,
                  float maxY, float maxZ);

}  // namespace scene
