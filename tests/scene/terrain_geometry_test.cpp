// Pure terrain pieces: strip layouts, flat vertices, normals, the pass rule,
// frustum tests, the culling tree, height queries and the painting's random
// draws.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>

#include "scene/colour_maps.h"
#include "scene/frustum.h"
#include "scene/patch_quadtree.h"
#include "scene/scene_random.h"
#include "scene/terrain_grid.h"
#include "scene/terrain_mesh.h"
#include "scene/water_relation.h"

namespace {

constexpr int n = scene::kPatchSide;

TEST(TerrainGeometryTest, StripsWithoutFlatVerticesHaveTheirFullLayout) {
  std::vector<uint8_t> flat(n * n, 0);
  std::vector<uint16_t> fine(scene::FineStripCapacity(n) + 3);
  ASSERT_EQ(scene::WriteFineStrip(flat.data(), n, fine.data()), 33152);
  EXPECT_EQ(scene::FineStripCapacity(n) + 3, 33672);  // buffer of 67,344 bytes
  // First pair upwards, closed by repeating (1, 128); second pair downwards.
  EXPECT_EQ((std::vector<uint16_t>(fine.begin(), fine.begin() + 4)),
            (std::vector<uint16_t>{0, 129, 1, 130}));
  EXPECT_EQ(fine[256], 128);
  EXPECT_EQ(fine[257], 129 + 128);
  EXPECT_EQ(fine[258], 129 + 128);
  EXPECT_EQ(fine[259], 129 + 128);
  EXPECT_EQ(fine[260], 2 * 129 + 128);
  EXPECT_EQ(fine[33151], 128 * 129);  // the last pair (127) runs down to column 0

  std::vector<uint16_t> coarse(scene::CoarseStripCapacity(n) + 3);
  ASSERT_EQ(scene::WriteCoarseStrip(n, coarse.data()), 2144);
  EXPECT_EQ(scene::CoarseStripCapacity(n), 8417);
  EXPECT_EQ((std::vector<uint16_t>(coarse.begin(), coarse.begin() + 4)),
            (std::vector<uint16_t>{0, 516, 4, 520}));
  EXPECT_EQ(coarse[66], 516 + 128);    // closing vertex of the first pair
  EXPECT_EQ(coarse[67], 516 + 128);    // the second pair starts at column 128
  EXPECT_EQ(coarse[2143], 128 * 129);  // the last pair runs down to column 0
}

TEST(TerrainGeometryTest, FlatGroundDropsColumnsFromTheFineStripAndPointsNormalsUp) {
  scene::HeightMap map;
  map.width = map.height = 2 * (n - 1) + 1;
  map.heights.assign(static_cast<size_t>(map.width) * map.height, 20.0f);
  const scene::TerrainGrid grid{17.8f, 8.4f, map.width, map.height};
  const scene::TerrainVertexGrid vertices = scene::BuildVertexGrid(map, grid);
  for (size_t i = 0; i < vertices.normals.size(); i += 3) {
    ASSERT_EQ(vertices.normals[i], 0.0f) << i / 3;
    ASSERT_EQ(vertices.normals[i + 1], 1.0f) << i / 3;
    ASSERT_EQ(vertices.normals[i + 2], 0.0f) << i / 3;
  }
  EXPECT_EQ(vertices.positions[0], -2278.0f);  // trunc(-128 * 17.8)
  EXPECT_EQ(vertices.positions[3], -2260.0f);  // trunc(-127 * 17.8)

  // An interior-first patch: rows and columns 2 ... 128 are flat, except
  // column 128, which a block never reaches.
  const std::vector<uint8_t> flat = scene::FindFlatVertices(vertices, 0, 0, n);
  for (int r = 0; r < n; ++r) {
    for (int c = 0; c < n; ++c) {
      const bool expected = r >= 2 && c >= 2 && c <= 127;
      ASSERT_EQ(flat[r * n + c] != 0, expected) << r << "," << c;
    }
  }
  std::vector<uint16_t> fine(scene::FineStripCapacity(n) + 3);
  // Pairs 0 and 1 keep all 129 columns; pairs 2 ... 127 keep columns 0, 1, 128.
  EXPECT_EQ(scene::WriteFineStrip(flat.data(), n, fine.data()), 2 * 259 + 126 * 7);

  // The last patch row: blocks that would read past the grid are not flat.
  const std::vector<uint8_t> last = scene::FindFlatVertices(vertices, n - 1, n - 1, n);
  EXPECT_EQ(last[(n - 1) * n + 60], 0);
  EXPECT_EQ(last[100 * n + 60], 1);
}

TEST(TerrainGeometryTest, PassRuleIsStrictAtTheWaterHeight) {
  using scene::WaterRelation;
  constexpr WaterRelation kAbove = WaterRelation::WaterPassView;
  constexpr WaterRelation kBelow = WaterRelation::CausticView;
  struct Case {
    WaterRelation relation;
    float minY, maxY;
    bool drawn;
  } cases[] = {
      {kAbove, 131.5f, 400.0f, false},  // minimum exactly at the water: neither view
      {kBelow, 131.5f, 400.0f, false},
      {WaterRelation::NoWater, 131.5f, 400.0f, true},
      {kAbove, 131.6f, 400.0f, true},  // above
      {kBelow, 131.6f, 400.0f, false},
      {kAbove, 100.0f, 200.0f, true},  // straddling
      {kBelow, 100.0f, 200.0f, true},
      {kAbove, 100.0f, 131.5f, false},  // below, touching from underneath
      {kBelow, 100.0f, 131.5f, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(scene::PassDrawsBox(c.relation, 131.5f, c.minY, c.maxY), c.drawn)
        << static_cast<int>(c.relation) << " " << c.minY << " " << c.maxY;
  }
}

// The values reach the shaders as in_water and the settings file as
// mit_wasser; neither may drift.
TEST(TerrainGeometryTest, WaterRelationAndPassSelectorValues) {
  EXPECT_EQ(scene::InWaterUniform(scene::WaterRelation::WaterPassView), 0.0f);
  EXPECT_EQ(scene::InWaterUniform(scene::WaterRelation::CausticView), 1.0f);
  EXPECT_EQ(scene::InWaterUniform(scene::WaterRelation::NoWater), 2.0f);
  const struct {
    int setting;
    scene::PassSelector pass;
  } cases[] = {{0, scene::PassSelector::Plain},
               {1, scene::PassSelector::Water},
               {2, scene::PassSelector::SimpleWater},
               {3, scene::PassSelector::Plain},
               {-1, scene::PassSelector::Plain}};
  for (const auto& c : cases) {
    EXPECT_EQ(scene::PassSelectorFromSetting(c.setting), c.pass) << c.setting;
  }
}

// Identity matrices: the frustum is the cube -1 < x, y, z < 1.
scene::Frustum UnitFrustum() {
  const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  scene::Frustum frustum;
  scene::FrustumFromMatrices(frustum, identity, identity);
  return frustum;
}

TEST(TerrainGeometryTest, FrustumCountsPointsOnPlanesOutsideAndRejectsBoxesBehindOnePlane) {
  const scene::Frustum f = UnitFrustum();
  EXPECT_FLOAT_EQ(f.planes[0][0], -1.0f);  // right: row 4 - row 1 = (-1, 0, 0, 1)
  EXPECT_FLOAT_EQ(f.planes[0][3], 1.0f);
  EXPECT_TRUE(scene::PointInFrustum(f, 0, 0, 0));
  EXPECT_FALSE(scene::PointInFrustum(f, 1, 0, 0));   // on the right plane
  EXPECT_FALSE(scene::PointInFrustum(f, 0, 0, -1));  // on the near plane
  EXPECT_TRUE(scene::PointInFrustum(f, 0, 0, -0.999f));

  EXPECT_TRUE(scene::BoxInFrustum(f, -0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f));
  EXPECT_TRUE(scene::BoxInFrustum(f, 0.5f, -0.5f, -0.5f, 3, 0.5f, 0.5f));  // straddles
  EXPECT_FALSE(scene::BoxInFrustum(f, 1, -0.5f, -0.5f, 3, 0.5f, 0.5f));    // touches from outside
  EXPECT_FALSE(scene::BoxInFrustum(f, -0.5f, 2, -0.5f, 0.5f, 3, 0.5f));    // above the top
  // Conservative near a corner: outside, yet no single plane rejects it.
  EXPECT_TRUE(scene::BoxInFrustum(f, 0.9f, 0.9f, -0.5f, 2, 2, 0.5f) ||
              !scene::PointInFrustum(f, 1.5f, 1.5f, 0));
}

TEST(TerrainGeometryTest, CullingTreeHoldsEveryPatchAndCullsOutsideOnes) {
  scene::PatchQuadtree tree;
  // 4 x 4 patches of 0.5 x 0.5, flat (their centre lies on the node's floor
  // and ceiling), spanning -1 ... 1 in x and z.
  for (int key = 0; key < 16; ++key) {
    const float x = -1.0f + 0.5f * (key % 4), z = -1.0f + 0.5f * (key / 4);
    scene::Box3 box{{x, 0, z}, {x + 0.5f, 0, z + 0.5f}, {x + 0.25f, 0, z + 0.25f}};
    tree.Add(key, box);
  }
  tree.Build();
  std::multiset<int> all;
  tree.WalkAll([&](int key) {
    all.insert(key);
    return 3;
  });
  EXPECT_EQ(all.size(), 16u);
  EXPECT_EQ(std::set<int>(all.begin(), all.end()).size(), 16u);

  // Shift the unit cube by +1.5 in x (world x in 0.5 ... 2.5): only the
  // patches with x >= 0.5 are left, and each is drawn once.
  const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  const float shift[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1.5f, 0, 0, 1};
  scene::Frustum frustum;
  scene::FrustumFromMatrices(frustum, identity, shift);
  std::set<int> seen;
  const int sum = tree.Walk(frustum, [&](int key) {
    seen.insert(key);
    return 3;
  });
  EXPECT_EQ(seen, (std::set<int>{3, 7, 11, 15}));
  EXPECT_EQ(sum, 12);
}

TEST(TerrainGeometryTest, HeightQueriesClampToTheEdgeAndBoundsTruncate) {
  scene::HeightMap map;
  map.width = map.height = 9;
  map.heights.assign(81, 0.0f);
  map.statistics.assign(81, {1.0f, 0.0f, 2.0f});
  for (int row = 0; row < 9; ++row) map.statistics[row * 9 + 8] = {10.0f, 5.0f, 20.0f};
  const scene::TerrainGrid grid{17.8f, 8.4f, 9, 9};

  // Far east of the map: every sampled cell is the last column.
  const scene::TerrainHeightSample far = scene::SampleTerrainHeight(map, grid, 2000000000, 0, 2);
  EXPECT_FLOAT_EQ(far.mean, (10.0f + 16 * 10.0f) / 16 * 8.4f);  // the centre counts on top
  EXPECT_FLOAT_EQ(far.maximum, 20.0f * 8.4f);
  EXPECT_FLOAT_EQ(far.minimum, 5.0f * 8.4f);
  // Radius 0 samples no cell: the centre alone, not a division by zero.
  EXPECT_FLOAT_EQ(scene::SampleTerrainHeight(map, grid, 0, 0, 0).mean, 8.4f);

  const scene::TerrainGrid island{17.8f, 8.4f, 2049, 2049};
  const scene::TerrainRect full = scene::GetTerrainBounds(island, 1.0f);
  EXPECT_EQ(full.left, -18227);
  EXPECT_EQ(full.bottom, 18227);
  // trunc(870 * 17.8f): the float cell size is a hair below 17.8.
  EXPECT_EQ(scene::GetTerrainBounds(island, 0.85f).right, 15485);
}

TEST(TerrainGeometryTest, PaintingDrawsTheSceneRandomInRuleOrder) {
  scene::SceneRandom reference;
  scene::SeedSceneRandom(reference, 1);
  for (int expected : {41, 18467, 6334, 26500})
    EXPECT_EQ(scene::NextSceneRandom(reference), expected);

  const scene::TerrainTiles tiles{
      scene::MakePixelImage(1, 1, 0xFF00FF00u), scene::MakePixelImage(1, 1, 0xFF808080u),
      scene::MakePixelImage(1, 1, 0xFFFFFF00u), scene::MakePixelImage(1, 1, 0xFF404040u)};
  // Uniform maps are gentle everywhere; the draws per point depend only on
  // the height band.
  struct Case {
    float mean;
    int drawsPerPoint;
    uint32_t colour;  // 0: not uniform
    uint32_t mask;
  } cases[] = {
      {200.0f, 0, 0xFF808080u, scene::kMaskLowHigh},  // high: no draw
      {10.0f, 1, 0, 0},                               // low gentle: one draw
      {80.0f, 3, 0, 0},                               // middle: three draws
  };
  for (const Case& c : cases) {
    scene::HeightMap map;
    map.width = map.height = 8;
    map.heights.assign(64, c.mean);
    map.statistics.assign(64, {c.mean, c.mean, c.mean});
    scene::SceneRandom random;
    const auto maps = scene::PaintColourMaps(map, tiles, random);
    ASSERT_TRUE(maps.has_value());
    scene::SceneRandom expected;
    scene::SeedSceneRandom(expected, 2);
    for (int i = 0; i < 64 * c.drawsPerPoint; ++i) scene::NextSceneRandom(expected);
    EXPECT_EQ(random.state, expected.state) << c.mean;
    if (c.colour != 0) {
      for (size_t i = 0; i < 64; ++i) {
        EXPECT_EQ(maps->colourMap.pixels[i], c.colour);
        EXPECT_EQ(maps->regionMask.pixels[i], c.mask);
      }
    }
  }

  scene::HeightMap missing;
  missing.width = missing.height = 8;
  missing.heights.assign(64, 0.0f);
  scene::SceneRandom random;
  EXPECT_FALSE(scene::PaintColourMaps(missing, tiles, random).has_value());
  EXPECT_EQ(random.state, 2u);  // seeded all the same, for placement after it
}

}  // namespace
