// How the quality level thins grass, palms and bushes: which sets are drawn,
// how much of each grass cell strip, and which instances of a model. Pure
// rules; the per-pass draw follows them.
#pragma once

#include <array>
#include <span>

#include "scene/vector3.h"

namespace scene {

enum class GrassDrawMode {
  kNone,  // a level outside 0 ... 2
  kOnce,  // one draw with the level's strip fraction
  kRing,  // eight copies around the set's place (level 0)
};

struct GrassDetail {
  GrassDrawMode mode = GrassDrawMode::kNone;
  // Part of each cell strip drawn: a prefix, not a random choice of blades.
  float fraction = 1.0f;
  // Counted triangles = factor x the indices of the last draw.
  int countFactor = 1;
};

// Level 2: once with 0.1 of each strip; level 1: once, whole; level 0: ring.
GrassDetail GrassDetailFor(int detailLevel);

// Strip indices drawn of a cell: trunc(count * fraction) below 1, else all.
int DrawnStripIndices(int stripIndexCount, float fraction);

// One copy of the level-0 ring: the camera's right axis turned by
// angleDegrees about y becomes the program's up axis, and the set is moved by
// offset.
struct GrassRingCopy {
  float angleDegrees = 0.0f;
  CVector3 offset;
};

// For i = -1 ... 1 (outer) and j = -1 ... 1 (inner) without (0, 0): angle
// j * i * 30, offset (j * i * 10, 0, j * i * -20). Four copies land on the
// set's own place.
std::array<GrassRingCopy, 8> GrassRingCopies();

// Instance strides and bush variants per level. A stride s > 1 draws only
// the instances whose index is a multiple of s; 0 and 1 draw all.
struct ObjectDetail {
  int palmStride = 0;
  int bushStride = 0;
  // Static storage: choosing the level allocates nothing.
  std::span<const int> bushVariants;
};

// Level 2: every fourth palm, no bush; level 1: every second palm and bush,
// bush variant 3 only; any other level: all palms, bush variants 0 and 1.
ObjectDetail ObjectDetailFor(int detailLevel);

inline bool DrawsInstance(int stride, int index) { return stride <= 1 || index % stride == 0; }

}  // namespace scene
