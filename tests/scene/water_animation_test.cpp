// The caustic clock, the water's transparency by camera height and the scene
// time a tool can set: the rules the passes hand to GL, checked without it.
#include "scene/water_animation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using scene::WaterAnimation;

TEST(CausticClockTest, FramesAdvanceOnePerCallOnceTheyHaveLasted) {
  struct Case {
    const char* what;
    double frameTimeMs;
    int calls;
    int expectedFrame;
  } cases[] = {
      // The first call only fills the clock; each later one may advance.
      {"1000 ms frames advance one caustic frame per call", 1000.0, 4, 3},
      {"16 ms frames: 11 calls fill 176 ms, the 12th advances", 16.0, 12, 1},
      {"16 ms frames: not yet after 11 calls", 16.0, 11, 0},
      {"a huge frame time still moves one frame", 1e300, 3, 2},
      {"frames wrap after 32", 1000.0, 34, 1},
      {"a frame time that is not a number does not count", std::numeric_limits<double>::quiet_NaN(),
       5, 0},
  };
  for (const Case& c : cases) {
    WaterAnimation animation;
    for (int i = 0; i < c.calls; ++i) scene::AdvanceCausticClock(animation, c.frameTimeMs);
    EXPECT_EQ(animation.causticFrame, c.expectedFrame) << c.what;
    EXPECT_TRUE(std::isfinite(animation.causticClockMs)) << c.what;
  }
}

TEST(CausticClockTest, OverlayOnlyUpToThreeTimesTheWaterHeight) {
  const float h = 131.5f;
  EXPECT_TRUE(scene::CausticsVisible(3 * h, h));
  EXPECT_TRUE(scene::CausticsVisible(h, h));
  EXPECT_TRUE(scene::CausticsVisible(-500.0f, h));
  EXPECT_FALSE(scene::CausticsVisible(3 * h + 0.1f, h));
}

TEST(WaterAlphaTest, FollowsCameraHeight) {
  struct Case {
    float cameraY, waterHeight, expected;
  } cases[] = {
      {131.5f, 131.5f, 0.75f},      // at the surface
      {394.5f, 131.5f, 1.25f},      // at three times the height
      {394.6f, 131.5f, 1.0f},       // just above that
      {0.0f, 131.5f, 0.5f},         // under water: below 0.75
      {-263.0f, 131.5f, 0.0f},      // 2h below the surface
      {-400.0f, 131.5f, -0.2605f},  // further down it turns negative
      {50.0f, -100.0f, 1.0f},       // a sea below zero, camera above it
      // A sea at height 0 has no ratio: the surface value stands in instead
      // of an infinity or NaN that would reach the blending.
      {0.0f, 0.0f, 0.75f},
      {-5.0f, 0.0f, 0.75f},
      {5.0f, 0.0f, 1.0f},
  };
  for (const Case& c : cases) {
    const float alpha = scene::WaterAlpha(c.cameraY, c.waterHeight);
    EXPECT_TRUE(std::isfinite(alpha)) << c.cameraY << " " << c.waterHeight;
    EXPECT_NEAR(alpha, c.expected, 1e-3f) << c.cameraY << " " << c.waterHeight;
  }
}

TEST(SceneTimeTest, PutsEveryClockWhereThatMuchTimeLeavesIt) {
  struct Case {
    double ms;
    int frame;
    double clockMs;
  } cases[] = {
      {0.0, 0, 0.0},
      {100.0, 0, 100.0},
      {1100.0, 6, 100.0},                             // 6 frames of 166.7 ms
      {32 * scene::kCausticFrameMs + 50.0, 0, 50.0},  // the loop closes
      {-20.0, 0, 0.0},                                // no time before the start
  };
  for (const Case& c : cases) {
    WaterAnimation animation;
    animation.causticFrame = 17;
    animation.waterScroll = 9.0f;
    scene::SetAnimationTime(animation, c.ms);
    EXPECT_EQ(animation.causticFrame, c.frame) << c.ms;
    EXPECT_NEAR(animation.causticClockMs, c.clockMs, 1e-6) << c.ms;
    const double t = c.ms > 0 ? c.ms : 0.0;
    EXPECT_FLOAT_EQ(animation.waterScroll, static_cast<float>(t * 0.1 * 0.0015)) << c.ms;
    EXPECT_FLOAT_EQ(animation.simpleWaterScroll, static_cast<float>(t * 0.1 * 0.0005)) << c.ms;
  }
}

TEST(SceneTimeTest, ScrollOfAZeroFrameStaysPut) {
  EXPECT_EQ(scene::AdvanceScroll(3.25f, 0.0, scene::kWaterScrollPerMs), 3.25f);
  EXPECT_FLOAT_EQ(scene::AdvanceScroll(0.0f, 16.7, scene::kWaterScrollPerMs), 0.002505f);
}

}  // namespace
