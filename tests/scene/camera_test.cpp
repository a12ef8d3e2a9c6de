// The camera's maths and flight controls, without GL or a window.
#include "scene/camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/virtual_keys.h"
#include "scene/camera_controls.h"

namespace {

namespace vk = platform::vk;
using scene::Camera;
using scene::CVector3;

float Dot(CVector3 a, CVector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
CVector3 Cross(CVector3 a, CVector3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
void ExpectNear(CVector3 actual, CVector3 expected, float tolerance, const char* what) {
  EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
  EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
  EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}

TEST(CameraTest, BothBasesAreRightHandedOrthonormalForAnyAngles) {
  const struct {
    float yaw, pitch;
  } cases[] = {{0.0f, 0.0f},    {2.828f, 4.777f}, {1.0f, 5.0f}, {6.2831855f, 3.1415927f},
               {474.0f, 52.0f}, {-0.3f, 33.0f}};
  for (const auto& c : cases) {
    for (const bool alternate : {false, true}) {
      Camera camera;
      if (alternate) {
        scene::UpdateBasisAlternate(camera, c.yaw, c.pitch);
      } else {
        scene::UpdateBasis(camera, c.yaw, c.pitch);
      }
      SCOPED_TRACE(testing::Message() << c.yaw << ", " << c.pitch << (alternate ? " alt" : ""));
      for (const CVector3& axis : {camera.side, camera.up, camera.back})
        EXPECT_NEAR(Dot(axis, axis), 1.0f, 1e-5f);
      EXPECT_NEAR(Dot(camera.side, camera.up), 0.0f, 1e-5f);
      EXPECT_NEAR(Dot(camera.side, camera.back), 0.0f, 1e-5f);
      EXPECT_NEAR(Dot(camera.up, camera.back), 0.0f, 1e-5f);
      ExpectNear(Cross(camera.side, camera.up), camera.back, 1e-6f, "back = side x up");
    }
  }
  // Yaw 0, pitch 3 pi / 2: level, looking along -z.
  Camera level;
  scene::UpdateBasis(level, 0.0f, 4.712389f);
  ExpectNear(level.up, {0.0f, 1.0f, 0.0f}, 1e-6f, "up");
  ExpectNear(level.back, {0.0f, 0.0f, 1.0f}, 1e-6f, "back");
}

TEST(CameraTest, AnglesWrapIntoOneTurnAndBadValuesBecomeZero) {
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    float angle, wrapped;
  } cases[] = {{6.3f, 6.3f - 6.2831855f},
               {6.2831855f, 6.2831855f},  // the rule keeps the upper end
               {-0.5f, -0.5f + 6.2831855f},
               {1.0f, 1.0f},
               {-13.0f, -13.0f + 3 * 6.2831855f},
               {inf, 0.0f},
               {std::numeric_limits<float>::quiet_NaN(), 0.0f}};
  for (const auto& c : cases) EXPECT_FLOAT_EQ(scene::WrapAngle(c.angle), c.wrapped) << c.angle;
  // Far outside one turn the loop alone would never end.
  const float huge = scene::WrapAngle(1.0e30f);
  EXPECT_GE(huge, 0.0f);
  EXPECT_LE(huge, 6.2831855f);

  Camera camera;
  camera.yaw2 = 7.0f;
  scene::Rotate(camera, -6.3f, 0.1f);  // yaw -= dYaw
  EXPECT_FLOAT_EQ(camera.yaw, 6.3f - 6.2831855f);
  EXPECT_FLOAT_EQ(camera.pitch, 0.1f);
  EXPECT_FLOAT_EQ(camera.yaw2, 7.0f - 6.2831855f) << "every angle wraps";
}

TEST(CameraTest, AngleDeltaIsTheShortestTurnAndDegreesFollowTheAngles) {
  const struct {
    float a, b, delta;
  } cases[] = {{3.0f, 0.0f, -3.0f},
               {4.0f, 0.0f, 6.2831855f - 4.0f},
               {0.1f, 6.2f, -(0.1f - 6.2f + 6.2831855f)},
               {6.2f, 0.1f, 6.2831855f - 6.1f},
               {1.0f, 1.0f, 0.0f}};
  for (const auto& c : cases)
    EXPECT_NEAR(scene::AngleDelta(c.a, c.b), c.delta, 1e-5f) << c.a << " " << c.b;

  Camera camera;
  scene::SetPose(camera, {}, {3.1415927f, 1.5707964f, 0.0f});
  ExpectNear(scene::AnglesInDegrees(camera), {180.0f, 90.0f, 0.0f}, 1e-4f, "degrees");
}

TEST(CameraTest, MouseDragTurnsOneRadianPer500PixelsOnlyWhileTheButtonIsHeld) {
  const struct {
    int toX, toY;
    bool held, shift;
    float yaw, pitch, yaw2;
  } cases[] = {
      {600, 400, true, false, 2.0f, 1.0f, 3.0f},   // 500 right: yaw + 1
      {-400, 400, true, false, 0.0f, 1.0f, 3.0f},  // 500 left: yaw - 1
      {100, 100, true, false, 1.0f, 2.0f, 3.0f},   // 300 up: pitch + 1
      {-400, 400, true, true, 1.0f, 1.0f, 4.0f},   // Shift: yaw2 the other way
      {600, 400, false, false, 1.0f, 1.0f, 3.0f},  // no button: no turn
      {100, 400, true, false, 1.0f, 1.0f, 3.0f},   // no move: no turn
      {100 + 3000, 400, true, false, 1.0f + 6.0f - 6.2831855f, 1.0f, 3.0f},  // wraps
  };
  for (const auto& c : cases) {
    Camera camera;
    scene::SetPose(camera, {}, {1.0f, 1.0f, 3.0f});
    camera.lastCursor = {100, 400};
    scene::PollMouse(camera, {{c.toX, c.toY}, c.held}, c.shift);
    SCOPED_TRACE(testing::Message() << c.toX << "," << c.toY << " held " << c.held);
    EXPECT_NEAR(camera.yaw, c.yaw, 1e-5f);
    EXPECT_NEAR(camera.pitch, c.pitch, 1e-5f);
    EXPECT_NEAR(camera.yaw2, c.yaw2, 1e-5f);
    EXPECT_EQ(camera.lastCursor.x, c.toX) << "the cursor is remembered in every case";
  }
}

TEST(CameraTest, KeysMoveAlongTheAxesByQuarterFrameTimeTimesSpeed) {
  // 4 ms: the time scale is 1, and speed starts at 0 and is raised to 1.
  const struct {
    int key;
    float alongBack, alongSide, upward;
  } cases[] = {
      {'W', -1, 0, 0}, {vk::kUp, -1, 0, 0},   {vk::kF8, -1, 0, 0},  {vk::kRightButton, -1, 0, 0},
      {'S', 1, 0, 0},  {vk::kDown, 1, 0, 0},  {'A', 0, -1, 0},      {vk::kLeft, 0, -1, 0},
      {'D', 0, 1, 0},  {vk::kRight, 0, 1, 0}, {vk::kHome, 0, 0, 1}, {vk::kEnd, 0, 0, -1}};
  for (const auto& c : cases) {
    Camera camera;
    scene::SetPose(camera, {10.0f, 20.0f, 30.0f}, {1.0f, 5.0f, 0.0f});
    uint8_t keys[256] = {};
    keys[c.key] = 1;
    scene::PollKeyboard(camera, keys, 4.0);
    const CVector3 b = camera.back, s = camera.side;
    SCOPED_TRACE(c.key);
    ExpectNear(camera.position,
               {10.0f + c.alongBack * b.x + c.alongSide * s.x,
                20.0f + c.alongBack * b.y + c.alongSide * s.y + c.upward,
                30.0f + c.alongBack * b.z + c.alongSide * s.z},
               1e-4f, "position");
    EXPECT_EQ(camera.moving, 1);
  }

  // W and the right button together fly two steps.
  Camera camera;
  scene::SetPose(camera, {}, {1.0f, 5.0f, 0.0f});
  uint8_t keys[256] = {};
  keys['W'] = keys[vk::kRightButton] = 1;
  scene::PollKeyboard(camera, keys, 4.0);
  ExpectNear(camera.position, {-2 * camera.back.x, -2 * camera.back.y, -2 * camera.back.z}, 1e-5f,
             "two steps");

  // C looks along the alternate axes at 33 radians; the angles stay.
  keys['W'] = keys[vk::kRightButton] = 0;
  keys['C'] = 1;
  scene::PollKeyboard(camera, keys, 4.0);
  Camera alternate;
  scene::UpdateBasisAlternate(alternate, 33.0f, 0.0f);
  ExpectNear(camera.back, alternate.back, 1e-6f, "alternate back");
  EXPECT_FLOAT_EQ(camera.yaw, 1.0f);
}

TEST(CameraTest, SpeedIsClampedThenRisesWithEOrPageDownAndDecaysWithout) {
  const struct {
    float speed;
    int key;  // 0: none
    double frameMs;
    float step, speedAfter;
  } cases[] = {
      {0.0f, 0, 4.0, 1.0f, 1.0f - 0.16f},     // below 1 -> 1
      {31.0f, 0, 4.0, 15.0f, 15.0f - 0.16f},  // above 30 -> 15, not 30
      {30.0f, 0, 4.0, 30.0f, 30.0f - 0.16f},  // 30 itself stays
      {10.0f, 'E', 8.0, 20.0f, 10.0f + 0.024f}, {10.0f, vk::kNext, 8.0, 20.0f, 10.0f + 0.024f},
      {2.0f, 0, 100.0, 50.0f, 2.0f - 4.0f},  // decays below 1; the next poll lifts it
  };
  for (const auto& c : cases) {
    Camera camera;
    scene::SetPose(camera, {}, {0.0f, 4.712389f, 0.0f});
    camera.speed = c.speed;
    uint8_t keys[256] = {};
    keys[vk::kHome] = 1;
    if (c.key != 0) keys[c.key] = 1;
    scene::PollKeyboard(camera, keys, c.frameMs);
    SCOPED_TRACE(testing::Message() << c.speed << " key " << c.key);
    EXPECT_NEAR(camera.position.y, c.step, 1e-4f) << "Home rises by one step";
    EXPECT_NEAR(camera.speed, c.speedAfter, 1e-5f);
  }
}

TEST(CameraTest, BookmarksRestoreOnlyWhenSet) {
  scene::CameraBookmarks bookmarks;
  Camera camera;
  scene::SetPose(camera, {1.0f, 2.0f, 3.0f}, {0.5f, 4.8f, 2.0f});
  scene::SaveBookmark(camera, bookmarks, u"F1_CAM");
  EXPECT_EQ(bookmarks.at(u"F1_CAM").marker, 64069);

  scene::SetPose(camera, scene::kMenuPosePosition, scene::kMenuPoseAngles);
  EXPECT_FALSE(scene::RestoreBookmark(camera, bookmarks, u"other"));
  EXPECT_EQ(bookmarks.size(), 1u) << "asking for a missing name adds nothing";
  bookmarks[u"unset"] = {{9.0f, 9.0f, 9.0f}, {1.0f, 1.0f, 1.0f}, 64068};
  EXPECT_FALSE(scene::RestoreBookmark(camera, bookmarks, u"unset"));
  EXPECT_FLOAT_EQ(camera.position.x, scene::kMenuPosePosition.x);

  ASSERT_TRUE(scene::RestoreBookmark(camera, bookmarks, u"F1_CAM"));
  EXPECT_FLOAT_EQ(camera.position.z, 3.0f);
  EXPECT_FLOAT_EQ(camera.pitch, 4.8f);
  Camera expected;
  scene::UpdateBasis(expected, 0.5f, 4.8f);
  ExpectNear(camera.back, expected.back, 0.0f, "axes follow the restored angles");
}

}  // namespace
