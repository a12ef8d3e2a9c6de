// Reading the camera path from its file layout, and refusing bytes that are
// not a path playback can use.
#include "bench/benchmark_path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

using bench::Keyframe;

std::vector<Keyframe> ThreeKeyframes() {
  return {{1.0f, 2.0f, 3.0f, 0.5f, 4.7f, 0.25f, 0.0},
          {-4.5f, 130.0f, 1e4f, 6.2f, 4.8f, 0.0f, 37.5},
          {7.0f, -8.0f, 9.0f, 0.1f, 4.6f, 3.0f, 75.0}};
}

TEST(BenchmarkPathTest, ReadsEachKeyframeAfterTheHeaderAndAppends) {
  std::vector<uint8_t> bytes = bench::EncodeBenchmarkPath(ThreeKeyframes());
  ASSERT_EQ(bytes.size(), 4u + 3 * 32);
  std::memset(bytes.data(), 0xAB, 4);  // the header's content is skipped
  // Offsets as the layout fixes them: yaw at 12, timeMs at 24.
  float yaw = 0.0f;
  double time = 0.0;
  std::memcpy(&yaw, bytes.data() + 4 + 32 + 12, 4);
  std::memcpy(&time, bytes.data() + 4 + 32 + 24, 8);
  EXPECT_EQ(yaw, 6.2f);
  EXPECT_EQ(time, 37.5);

  std::vector<Keyframe> keyframes(1);  // already holds one
  const bench::PathLoadResult result = bench::LoadBenchmarkPath(bytes, keyframes);
  EXPECT_EQ(result.keyframes, 3);
  EXPECT_EQ(result.error, "");
  ASSERT_EQ(keyframes.size(), 4u);
  const auto expected = ThreeKeyframes();
  for (size_t i = 0; i < expected.size(); ++i) {
    const Keyframe& k = keyframes[i + 1];
    EXPECT_EQ(std::memcmp(&k, &expected[i], sizeof k), 0) << "keyframe " << i;
  }
}

TEST(BenchmarkPathTest, RefusesBytesPlaybackCannotUseAndAppendsNothing) {
  const auto encoded = bench::EncodeBenchmarkPath(ThreeKeyframes());
  const auto with = [&](size_t offset, auto value) {
    std::vector<uint8_t> bytes = encoded;
    std::memcpy(bytes.data() + offset, &value, sizeof value);
    return bytes;
  };
  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* error;
  } cases[] = {
      {"empty", {}, "camera path: 0 bytes is not a 4-byte header and whole 32-byte keyframes"},
      {"header cut", std::vector<uint8_t>(3),
       "camera path: 3 bytes is not a 4-byte header and whole 32-byte keyframes"},
      {"keyframe cut", std::vector<uint8_t>(encoded.begin(), encoded.end() - 1),
       "camera path: 99 bytes is not a 4-byte header and whole 32-byte keyframes"},
      {"header only", std::vector<uint8_t>(4), "camera path: fewer than two keyframes"},
      {"one keyframe", std::vector<uint8_t>(encoded.begin(), encoded.begin() + 36),
       "camera path: fewer than two keyframes"},
      {"time repeats", with(4 + 32 + 24, 0.0), "camera path: keyframe 1 does not come after 0"},
      {"time goes back", with(4 + 64 + 24, 10.0), "camera path: keyframe 2 does not come after 1"},
      {"position not a number", with(4 + 64 + 4, std::numeric_limits<float>::quiet_NaN()),
       "camera path: keyframe 2 is not a finite pose"},
      {"angle infinite", with(4 + 16, std::numeric_limits<float>::infinity()),
       "camera path: keyframe 0 is not a finite pose"},
  };
  for (const auto& c : cases) {
    std::vector<Keyframe> keyframes;
    const bench::PathLoadResult result = bench::LoadBenchmarkPath(c.bytes, keyframes);
    EXPECT_EQ(result.keyframes, 0) << c.what;
    EXPECT_EQ(result.error, c.error) << c.what;
    EXPECT_TRUE(keyframes.empty()) << c.what;
  }
}

}  // namespace
