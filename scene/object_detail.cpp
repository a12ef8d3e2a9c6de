#include "scene/object_detail.h"

namespace scene {

GrassDetail GrassDetailFor(int detailLevel) {
  switch (detailLevel) {
    case 2:
      return {GrassDrawMode::kOnce, 0.1f, 1};
    case 1:
      return {GrassDrawMode::kOnce, 1.0f, 1};
    case 0:
      return {GrassDrawMode::kRing, 1.0f, 5};
    default:
      return {GrassDrawMode::kNone, 0.0f, 0};
  }
}

int DrawnStripIndices(int stripIndexCount, float fraction) {
  if (fraction >= 1.0f) return stripIndexCount;
  if (fraction <= 0.0f) return 0;
  return static_cast<int>(static_cast<float>(stripIndexCount) * fraction);
}

std::array<GrassRingCopy, 8> GrassRingCopies() {
  std::array<GrassRingCopy, 8> copies;
  int n = 0;
  for (int i = -1; i <= 1; ++i) {
    for (int j = -1; j <= 1; ++j) {
      if (i == 0 && j == 0) continue;
      const int ji = j * i;
      copies[n++] = {static_cast<float>(ji * 30),
                     {static_cast<float>(ji * 10), 0.0f, static_cast<float>(ji * -20)}};
    }
  }
  return copies;
}

ObjectDetail ObjectDetailFor(int detailLevel) {
  static constexpr int kOnlyLargeSingle[] = {3};
  static constexpr int kBothEightfold[] = {0, 1};
  switch (detailLevel) {
    case 2:
      return {4, 0, {}};
    case 1:
      return {2, 2, kOnlyLargeSingle};
    default:
      return {0, 0, kBothEightfold};
  }
}

}  // namespace scene
