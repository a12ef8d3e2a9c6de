#include "scene/grass_cells.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scene/object_detail.h"

namespace {

using scene::CVector3;

// The program's terrain rectangle: 2 x trunc(1024 x 17.8) = 36,454 wide, so
// a cell is 2,278.375 and half the width 18,227.
constexpr scene::TerrainRect kBounds{-18227, -18227, 18227, 18227};

TEST(GrassCellsTest, KeysBySixteenCellsWithTheEdgeBladeInKeySixteen) {
  struct Case {
    CVector3 position;
    int key;
  } cases[] = {
      {{-18227.0f, 0, -18227.0f}, 0},       // left, near corner
      {{-15948.626f, 0, -18227.0f}, 0},     // just short of the second column
      {{-15948.625f, 0, -18227.0f}, 1},     // on its first edge
      {{0.0f, 0, 0.0f}, 8 + 16 * 8},        // the centre
      {{18226.9f, 0, -18227.0f}, 15},       // just inside the right edge
      {{18227.0f, 0, -18227.0f}, 16},       // on the right edge: key 16
      {{18227.0f, 0, 18227.0f}, 16 + 256},  // the far right corner
      {{-18227.0f, 0, 18227.0f}, 256},      // the far edge, next row's start
      {{-18240.0f, 0, -18240.0f}, 0},       // a hair outside truncates to 0
      {{-20600.0f, 0, 0.0f}, -1 + 16 * 8},  // a cell outside is not clamped
  };
  for (const Case& c : cases) {
    EXPECT_EQ(scene::GrassCellKey(c.position, kBounds), c.key)
        << c.position.x << ", " << c.position.z;
  }
  // An empty rectangle (no terrain yet) must not turn a division by zero into
  // an out-of-range conversion.
  EXPECT_EQ(scene::GrassCellKey({0.0f, 0.0f, 0.0f}, {}), 0);
  (void)scene::GrassCellKey({5.0f, 0.0f, -5.0f}, {});
}

TEST(GrassCellsTest, BillboardIsTwoCrossedQuadsInOneStrip) {
  const scene::GrassBillboard b = scene::MakeGrassBillboard(scene::kLandGrassSize);
  const CVector3 expected[8] = {{-50, 0, -9}, {50, 0, 9},  {-50, 40, 9}, {50, 40, -9},
                                {-9, 0, 50},  {9, 0, -50}, {9, 40, 50},  {-9, 40, -50}};
  for (int v = 0; v < 8; ++v) {
    EXPECT_NEAR(b.positions[v].x, expected[v].x, 1e-4) << v;
    EXPECT_EQ(b.positions[v].y, expected[v].y) << v;
    EXPECT_NEAR(b.positions[v].z, expected[v].z, 1e-4) << v;
    EXPECT_EQ(b.texCoords[2 * v], b.texCoords[2 * (v % 4)]);
  }
  EXPECT_EQ(b.strip, (std::array<uint32_t, 10>{0, 1, 2, 3, 3, 4, 4, 5, 6, 7}));
  // The first triangle's normal is a unit vector across both of its edges.
  const CVector3 n = b.normals[0];
  const CVector3 e1{100.0f, 0.0f, 18.0f}, e2{-100.0f, 40.0f, 0.0f};  // 0 -> 1, 1 -> 2
  EXPECT_NEAR(n.x * n.x + n.y * n.y + n.z * n.z, 1.0f, 1e-5);
  EXPECT_NEAR(n.x * e1.x + n.y * e1.y + n.z * e1.z, 0.0f, 1e-3);
  EXPECT_NEAR(n.x * e2.x + n.y * e2.y + n.z * e2.z, 0.0f, 1e-3);
  EXPECT_EQ(b.normals[1].x, n.x);
  EXPECT_EQ(b.normals[2].x, n.x);
}

TEST(GrassCellsTest, StripsJoinBladesWithDegenerateIndicesAndHaveTwelveMMinusTwoIndices) {
  const scene::GrassBillboard b = scene::MakeGrassBillboard(scene::kShoreGrassSize);
  for (int blades : {1, 2, 3, 50}) {
    const std::vector<CVector3> instances(blades, CVector3{100.0f, 5.0f, -100.0f});
    const scene::GrassCells cells = scene::BuildCellBuckets(b, instances, kBounds);
    ASSERT_EQ(cells.cells.size(), 1u);
    const scene::GrassCell& cell = cells.cells[0];
    EXPECT_EQ(cell.blades, blades);
    EXPECT_EQ(cell.vertexCount, 8 * blades);
    EXPECT_EQ(cell.indexCount, 10 * blades + 2 * (blades - 1)) << blades;
    EXPECT_EQ(scene::GrassStripIndexCount(blades), cell.indexCount);
    // Each join repeats the last vertex of one blade and the first of the next.
    for (int m = 1; m < blades; ++m) {
      const size_t join = 12 * m - 2;
      EXPECT_EQ(cells.geometry.indices[join], 8u * m - 1);
      EXPECT_EQ(cells.geometry.indices[join + 1], 8u * m);
      EXPECT_EQ(cells.geometry.indices[join + 2], 8u * m);  // the next blade starts at its vertex 0
    }
  }
  EXPECT_EQ(scene::GrassStripIndexCount(0), 0);
}

TEST(GrassCellsTest, BladeIIsTurnedIDegreesAndCellsComeInKeyOrder) {
  const scene::GrassBillboard b = scene::MakeGrassBillboard(scene::kLandGrassSize);
  // Blades alternate between a far cell and a near one; each cell keeps its
  // blades in index order, and each blade keeps its own index as its angle.
  std::vector<CVector3> instances;
  for (int i = 0; i < 724; ++i) {
    instances.push_back(i % 2 == 0 ? CVector3{10000.0f, 1.0f, 10000.0f}
                                   : CVector3{-10000.0f, 2.0f, -10000.0f});
  }
  const scene::GrassCells cells = scene::BuildCellBuckets(b, instances, kBounds);
  ASSERT_EQ(cells.cells.size(), 2u);
  EXPECT_LT(cells.cells[0].key, cells.cells[1].key);
  const scene::GrassCell& near = cells.cells[0];
  const scene::GrassCell& far = cells.cells[1];
  EXPECT_EQ(near.blades, 362);
  auto vertex = [&](const scene::GrassCell& cell, int nth, int v) {
    return cells.geometry.positions[cells.firstVertex[&cell - cells.cells.data()] + 8 * nth + v];
  };
  for (int nth : {0, 1, 45, 180}) {
    const int blade = 2 * nth + 1;  // the near cell holds the odd blades
    for (int v = 0; v < 8; ++v) {
      const CVector3 turned = scene::RotateAboutY(b.positions[v], blade);
      const CVector3 p = vertex(near, nth, v);
      EXPECT_FLOAT_EQ(p.x, turned.x - 10000.0f) << blade << " " << v;
      EXPECT_FLOAT_EQ(p.z, turned.z - 10000.0f) << blade << " " << v;
      EXPECT_EQ(p.y, turned.y + 2.0f);
    }
  }
  // Blade 0 is not turned; blade 360 is turned exactly as blade 0.
  EXPECT_NEAR(vertex(far, 0, 1).x, 10050.0f, 1e-3);
  for (int v = 0; v < 8; ++v) {
    EXPECT_EQ(vertex(far, 180, v).x, vertex(far, 0, v).x);
    EXPECT_EQ(vertex(far, 180, v).z, vertex(far, 0, v).z);
  }
  // A quarter turn: x -> -z (glRotate about +y).
  const CVector3 q = scene::RotateAboutY({1.0f, 0.0f, 0.0f}, 90);
  EXPECT_NEAR(q.z, -1.0f, 1e-6);
  // The box holds the cell's blades: 40 high above y = 2, about 50 around.
  EXPECT_EQ(near.boxMin.y, 2.0f);
  EXPECT_EQ(near.boxMax.y, 42.0f);
  EXPECT_NEAR(near.centre.x, -10000.0f, 1.0f);
}

TEST(GrassCellsTest, DetailLevelsThinGrassPalmsAndBushes) {
  struct Case {
    int level;
    scene::GrassDrawMode mode;
    float fraction;
    int countFactor;
    int palmStride, bushStride;
    std::vector<int> bushVariants;
  } cases[] = {
      {0, scene::GrassDrawMode::kRing, 1.0f, 5, 0, 0, {0, 1}},
      {1, scene::GrassDrawMode::kOnce, 1.0f, 1, 2, 2, {3}},
      {2, scene::GrassDrawMode::kOnce, 0.1f, 1, 4, 0, {}},
      {8, scene::GrassDrawMode::kNone, 0.0f, 0, 0, 0, {0, 1}},
  };
  for (const Case& c : cases) {
    const scene::GrassDetail grass = scene::GrassDetailFor(c.level);
    EXPECT_EQ(grass.mode, c.mode) << c.level;
    EXPECT_EQ(grass.fraction, c.fraction) << c.level;
    EXPECT_EQ(grass.countFactor, c.countFactor) << c.level;
    const scene::ObjectDetail objects = scene::ObjectDetailFor(c.level);
    EXPECT_EQ(objects.palmStride, c.palmStride) << c.level;
    EXPECT_EQ(objects.bushStride, c.bushStride) << c.level;
    EXPECT_EQ(std::vector<int>(objects.bushVariants.begin(), objects.bushVariants.end()),
              c.bushVariants)
        << c.level;
  }
  // Stride: every s-th instance from 0; 0 and 1 draw all.
  int drawn[5] = {};
  for (int stride : {0, 1, 2, 4}) {
    for (int index = 0; index < 8; ++index) drawn[stride] += scene::DrawsInstance(stride, index);
  }
  EXPECT_EQ(drawn[0], 8);
  EXPECT_EQ(drawn[1], 8);
  EXPECT_EQ(drawn[2], 4);
  EXPECT_EQ(drawn[4], 2);
  // The 0.1 fraction draws a truncated prefix of the strip.
  EXPECT_EQ(scene::DrawnStripIndices(1198, 0.1f), 119);
  EXPECT_EQ(scene::DrawnStripIndices(10, 0.1f), 1);
  EXPECT_EQ(scene::DrawnStripIndices(1198, 1.0f), 1198);
}

TEST(GrassCellsTest, RingHasFourCopiesInPlaceAndFourShifted) {
  int inPlace = 0;
  for (const scene::GrassRingCopy& copy : scene::GrassRingCopies()) {
    if (copy.angleDegrees == 0.0f) {
      ++inPlace;
      EXPECT_EQ(copy.offset.x, 0.0f);
    } else {
      const float sign = copy.angleDegrees > 0 ? 1.0f : -1.0f;
      EXPECT_EQ(copy.angleDegrees, sign * 30.0f);
      EXPECT_EQ(copy.offset.x, sign * 10.0f);
      EXPECT_EQ(copy.offset.z, sign * -20.0f);
    }
  }
  EXPECT_EQ(inPlace, 4);
  // The first copy (i = -1, j = -1) turns +30 degrees.
  EXPECT_EQ(scene::GrassRingCopies()[0].angleDegrees, 30.0f);
}

}  // namespace
