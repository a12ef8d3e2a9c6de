#include "scene/height_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "platform/fake/recording_message_box.h"
#include "scene/terrain.h"
#include "scene/terrain_grid.h"

namespace {

uint64_t Fingerprint(const std::vector<float>& values) {
  uint64_t hash = 1469598103934665603ull;
  for (float v : values) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    hash = (hash ^ bits) * 1099511628211ull;
  }
  return hash;
}

TEST(HeightMapTest, RemapKeepsItsJumpAtMinus33) {
  struct Case {
    double v;
    float expected;
  } cases[] = {
      {0.0, -140.8f},                 // h = -128, steep
      {128.0 - 33.0001, -36.30011f},  // just below the jump
      {128.0 - 33.0, -9.9f},          // the jump itself is on the flat side
      {127.0, -0.3f},                 // flattened
      {128.0, 0.0f},                  // unchanged from 0 to 64
      {192.0, 64.0f},
      {200.0, 86.4f},   // 72 * 1.2
      {220.0, 110.4f},  // 92 * 1.2, the last raised by 1.2
      {221.0, 130.2f},  // 93 * 1.4
      {255.0, 177.8f},
  };
  for (const Case& c : cases) EXPECT_NEAR(scene::RemapHeight(c.v), c.expected, 1e-4) << c.v;
}

TEST(HeightMapTest, SameExponentAndSeedGiveTheSameMapWithRingAndCornerStatistics) {
  scene::HeightMap first, second;
  scene::GenerateHeightMap(first, 11, 616);
  scene::GenerateHeightMap(second, 11, 616);
  ASSERT_EQ(first.width, 2049);
  EXPECT_EQ(first.name, u"11_616.rmap");
  EXPECT_EQ(first.heights, second.heights);
  // Pinned so that any change of draw order, summation order or threading
  // shows up (the value is the FNV-1a hash of the float bits).
  EXPECT_EQ(Fingerprint(first.heights), 0x24FF09A9215EF90Eull);

  const int w = first.width;
  float lo = 1e9f, hi = -1e9f;
  for (int i = 0; i < w; ++i) {
    for (int index : {i, (w - 1) * w + i, i * w, i * w + w - 1}) {
      ASSERT_EQ(first.heights[index], -128.0f) << index;
    }
  }
  for (float h : first.heights) {
    lo = std::min(lo, h);
    hi = std::max(hi, h);
  }
  EXPECT_LT(hi, 180.0f);  // the remap tops out at 127 * 1.4
  EXPECT_GE(lo, -141.0f);
  EXPECT_GT(hi, 60.0f);  // an island rises out of the sea

  // Corner (0, 0): its clamped 3 x 3 neighbourhood holds itself four times,
  // its two ring neighbours twice and the first inner point once.
  const float inner = first.heights[w + 1];
  const scene::HeightStatistics& corner = first.statistics[0];
  EXPECT_FLOAT_EQ(corner.mean, (-1024.0f + inner) * 0.1111111f);
  EXPECT_EQ(corner.minimum, std::min(-128.0f, inner));
  EXPECT_EQ(corner.maximum, std::max(-128.0f, inner));

  scene::TerrainGrid grid{17.8f, 8.4f, w, w};
  EXPECT_FLOAT_EQ(first.heights[0] * grid.heightScale, -1075.2f);
}

TEST(HeightMapTest, MissingStatisticsAreReportedByTheCallerAndQueriesFallBack) {
  platform::fake::RecordingMessageBox boxes;
  scene::HeightMap map;
  EXPECT_FALSE(scene::LoadHeightMap(map, std::vector<float>(33 * 33, 50.0f), 33,
                                    /*maxStatisticsPoints=*/10));
  EXPECT_TRUE(boxes.boxes().empty()) << "the pure map only returns false";
  EXPECT_FALSE(scene::ReportMissingStatistics(map));
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text, u"Mem-Err!");
  EXPECT_EQ(boxes.boxes()[0].caption, u"");
  EXPECT_FALSE(map.HasStatistics());
  EXPECT_EQ(map.heights.size(), 33u * 33u);

  const scene::TerrainGrid grid{17.8f, 8.4f, 33, 33};
  const scene::TerrainHeightSample sample = scene::SampleTerrainHeight(map, grid, 0, 0, 16);
  EXPECT_EQ(sample.mean, 0.0f);
  EXPECT_EQ(sample.maximum, 0.0f);
  EXPECT_EQ(sample.minimum, 0.0f);
}

}  // namespace
