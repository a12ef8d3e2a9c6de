// The benchmark's camera path over the program's island: its size, a flight
// with no jumps, clear of the ground and the palm trunks, showing the sea,
// the highlands and the water from below, and the same bytes every time.
#include "tools/camera-path/camera_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "scene/camera.h"

namespace {

using bench::Keyframe;

class CameraPathTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    island_ = new camera_path::Island;
    ASSERT_TRUE(camera_path::BuildIsland(*island_));
    path_ = new std::vector<Keyframe>(camera_path::FlyPath(*island_));
  }
  static void TearDownTestSuite() {
    delete path_;
    delete island_;
  }
  // Every keyframe and the point halfway to the next, where playback
  // interpolates.
  template <typename Check>
  static void ForEachFlownPoint(Check check) {
    const std::vector<Keyframe>& p = *path_;
    for (size_t i = 0; i < p.size(); ++i) {
      check(p[i].x, p[i].y, p[i].z, i);
      if (i + 1 < p.size()) {
        check((p[i].x + p[i + 1].x) / 2, (p[i].y + p[i + 1].y) / 2, (p[i].z + p[i + 1].z) / 2, i);
      }
    }
  }
  static camera_path::Island* island_;
  static std::vector<Keyframe>* path_;
};
camera_path::Island* CameraPathTest::island_ = nullptr;
std::vector<Keyframe>* CameraPathTest::path_ = nullptr;

TEST_F(CameraPathTest, IsTheCarriedSizeAndLoadsAsItIsPlayed) {
  const std::vector<uint8_t> bytes = bench::EncodeBenchmarkPath(*path_);
  EXPECT_EQ(bytes.size(), 51844u);
  std::vector<Keyframe> loaded;
  const bench::PathLoadResult result = bench::LoadBenchmarkPath(bytes, loaded);
  EXPECT_EQ(result.keyframes, 1620) << result.error;
  EXPECT_EQ(path_->front().timeMs, 0.0);
  EXPECT_EQ(path_->back().timeMs, 60000.0);
  EXPECT_EQ(bench::EncodeBenchmarkPath(camera_path::FlyPath(*island_)), bytes)
      << "the same island gives the same bytes";
}

TEST_F(CameraPathTest, MovesAndTurnsWithoutJumps) {
  // About 27 keyframes a second: 40 units is about 1,100 units a second,
  // 0.05 radians under 1.4 radians a second.
  const std::vector<Keyframe>& p = *path_;
  double longest = 0.0, shortest = 1e9;
  float widestTurn = 0.0f;
  for (size_t i = 0; i + 1 < p.size(); ++i) {
    const double step = std::hypot(p[i + 1].x - p[i].x, p[i + 1].y - p[i].y, p[i + 1].z - p[i].z);
    longest = std::max(longest, step);
    shortest = std::min(shortest, step);
    for (const auto angle : {&Keyframe::yaw, &Keyframe::pitch, &Keyframe::yaw2}) {
      widestTurn = std::max(widestTurn, std::fabs(scene::AngleDelta(p[i].*angle, p[i + 1].*angle)));
    }
  }
  EXPECT_LT(longest, 40.0);
  EXPECT_GT(shortest, 20.0) << "the flight never stalls";
  EXPECT_LT(widestTurn, 0.05f);
}

TEST_F(CameraPathTest, LooksWhereItFlies) {
  const std::vector<Keyframe>& p = *path_;
  for (size_t i = 0; i + 1 < p.size(); ++i) {
    scene::Camera camera;
    scene::SetPose(camera, {p[i].x, p[i].y, p[i].z}, {p[i].yaw, p[i].pitch, p[i].yaw2});
    const float dx = p[i + 1].x - p[i].x, dy = p[i + 1].y - p[i].y, dz = p[i + 1].z - p[i].z;
    const float along = -(camera.back.x * dx + camera.back.y * dy + camera.back.z * dz) /
                        std::sqrt(dx * dx + dy * dy + dz * dz);
    ASSERT_GT(along, 0.8f) << "keyframe " << i;
    ASSERT_GT(camera.up.y, 0.8f) << "keyframe " << i << " is upright";
  }
}

TEST_F(CameraPathTest, StaysAboveTheGroundAndClearOfPalmTrunks) {
  // The floor keeps 40 units over the highest ground of a 6-cell square
  // around each keyframe; halfway points keep at least 20.
  ForEachFlownPoint([](float x, float y, float z, size_t i) {
    ASSERT_GE(y, camera_path::TerrainTop(*island_, x, z) + 20.0f) << "near keyframe " << i;
    for (const scene::CVector3& palm : island_->palms) {
      if (std::hypot(palm.x - x, palm.z - z) < 200.0f) {
        ASSERT_GT(y, palm.y + camera_path::kPalmHeight) << "in a trunk near keyframe " << i;
      }
    }
  });
}

TEST_F(CameraPathTest, ShowsSeaShoreHighlandsAndADipUnderTheWater) {
  const std::vector<Keyframe>& p = *path_;
  const auto overSea = [](const Keyframe& k) {
    return camera_path::TerrainTop(*island_, k.x, k.z) < camera_path::kWaterHeight;
  };
  EXPECT_TRUE(overSea(p.front()));
  EXPECT_TRUE(overSea(p.back()));
  const auto highest = std::max_element(
      p.begin(), p.end(), [](const Keyframe& a, const Keyframe& b) { return a.y < b.y; });
  EXPECT_GT(camera_path::TerrainTop(*island_, highest->x, highest->z), 1000.0f)
      << "the highest point of the flight is over the highlands";
  const auto under = std::count_if(p.begin(), p.end(), [](const Keyframe& k) {
    return k.y < camera_path::kWaterHeight - 50.0f;
  });
  EXPECT_GT(under, 27) << "more than a second well under the surface";
  EXPECT_LT(p.back().y, 1000.0f);
  EXPECT_GT(p.back().y, camera_path::kWaterHeight) << "back out of the water at the end";
  // Passing palms: some keyframe low over the shore has palms within 1,000.
  const bool pastPalms = std::any_of(p.begin(), p.end(), [](const Keyframe& k) {
    return k.y < 400.0f && std::any_of(island_->palms.begin(), island_->palms.end(),
                                       [&](const scene::CVector3& palm) {
                                         return std::hypot(palm.x - k.x, palm.z - k.z) < 1000.0f;
                                       });
  });
  EXPECT_TRUE(pastPalms);
}

}  // namespace
