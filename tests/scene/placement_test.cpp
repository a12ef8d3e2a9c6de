#include "scene/placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "scene/camera.h"
#include "scene/colour_maps.h"
#include "scene/grass_cells.h"
#include "scene/terrain_build.h"

namespace {

using scene::CVector3;
using scene::HeightMap;
using scene::HeightStatistics;
using scene::PlacementRule;
using scene::TerrainGrid;

// How far before the menu camera no palm or bush may stand (world units; a
// palm stands about 300 high, so one nearer fills the view).
constexpr float kClearAhead = 150.0f;

// A size x size map whose statistics all read `cell`, on a grid with round
// numbers (cell size 2, height scale 4) so window edges are exact.
HeightMap UniformMap(int size, HeightStatistics cell) {
  HeightMap map;
  map.width = map.height = size;
  map.heights.assign(size * size, cell.mean);
  map.statistics.assign(size * size, cell);
  return map;
}

TerrainGrid RoundGrid(int size) { return {2.0f, 4.0f, size, size}; }

TEST(PlacementTest, CandidateRuleIsStrictInHeightAndInclusiveInSlope) {
  // Window 10 ... 20 cells = world 20 ... 40 = map mean 5 ... 10.
  const PlacementRule rule{10.0f, 20.0f, -3.0f, 4.0f};
  struct Case {
    HeightStatistics cell;
    bool candidate;
  } cases[] = {
      {{5.0f, 0.0f, 4.0f}, false},    // t = 20: the low end is excluded
      {{5.25f, 0.0f, 4.0f}, true},    // t = 21, slope exactly at the limit
      {{5.25f, 0.0f, 4.5f}, false},   // slope above the limit
      {{5.25f, 4.0f, 0.0f}, true},    // slope is |maximum - minimum|
      {{9.75f, 9.0f, 10.0f}, true},   // t = 39
      {{10.0f, 9.0f, 10.0f}, false},  // t = 40: the high end is excluded
      {{-1.0f, -1.0f, -1.0f}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(scene::IsPlacementCandidate(c.cell, RoundGrid(5), rule), c.candidate)
        << c.cell.mean << " " << c.cell.minimum << " " << c.cell.maximum;
  }
  // Shore grass: a window below zero.
  EXPECT_TRUE(
      scene::IsPlacementCandidate({-0.5f, 0.0f, 1.0f}, RoundGrid(5), scene::kShoreGrassPlacement));
  EXPECT_FALSE(
      scene::IsPlacementCandidate({-1.5f, 0.0f, 1.0f}, RoundGrid(5), scene::kShoreGrassPlacement));
}

TEST(PlacementTest, CandidatesSitHalfACellOffTheGridAndSkipTheLastRowAndColumn) {
  const PlacementRule rule{1.0f, 100.0f, -3.0f, 8.0f};
  const HeightMap map = UniformMap(4, {6.0f, 5.0f, 7.0f});
  const auto cells = scene::FindPlacementCells(map, RoundGrid(4), rule);
  // Rows and columns 0 ... 2, row-major.
  EXPECT_EQ(cells, (std::vector<uint32_t>{0, 1, 2, 4, 5, 6, 8, 9, 10}));
  struct Case {
    uint32_t cell;
    CVector3 point;  // x = (j - 2) * 2, z = (i - 2) * 2, y = -3 + 6 * 4
  } cases[] = {{0, {-4.0f, 21.0f, -4.0f}}, {1, {-2.0f, 21.0f, -4.0f}}, {10, {0.0f, 21.0f, 0.0f}}};
  for (const Case& c : cases) {
    const CVector3 p = scene::CandidatePoint(map, RoundGrid(4), rule, c.cell);
    EXPECT_EQ(p.x, c.point.x) << c.cell;
    EXPECT_EQ(p.y, c.point.y) << c.cell;
    EXPECT_EQ(p.z, c.point.z) << c.cell;
  }
  // On an odd grid (the program's 2049) the points fall between grid points.
  EXPECT_EQ(scene::CandidatePoint(UniformMap(5, {}), RoundGrid(5), rule, 0).x, -5.0f);
}

TEST(PlacementTest, NoCandidatePlacesNothingAndLeavesBothGeneratorsAlone) {
  struct Case {
    const char* name;
    HeightMap map;
  } cases[] = {
      {"nothing in the window", UniformMap(6, {100.0f, 100.0f, 100.0f})},
      {"no statistics",
       [] {
         HeightMap map = UniformMap(6, {6.0f, 6.0f, 6.0f});
         map.statistics.clear();
         return map;
       }()},
      {"empty map", HeightMap{}},
  };
  for (Case& c : cases) {
    scene::PlacementState placement;
    scene::SceneRandom random;
    scene::SeedSceneRandom(random, 2);
    const auto placed = scene::PlaceOnTerrain(c.map, RoundGrid(c.map.width), 1000,
                                              {1.0f, 20.0f, 0.0f, 8.0f}, placement, random);
    EXPECT_TRUE(placed.empty()) << c.name;
    EXPECT_EQ(placement.state, 7777u) << c.name;
    EXPECT_EQ(random.state, 2u) << c.name;
  }
}

TEST(PlacementTest, StateContinuesAcrossPlacementsAndJitterStaysInTheCell) {
  // Candidates differ in height so the chosen one can be read back from y.
  HeightMap map = UniformMap(9, {6.0f, 6.0f, 6.0f});
  for (int i = 0; i < 81; ++i) map.statistics[i].mean = 2.0f + 0.0625f * static_cast<float>(i);
  const TerrainGrid grid = RoundGrid(9);
  const PlacementRule rule{1.0f, 100.0f, 0.0f, 8.0f};
  const auto cells = scene::FindPlacementCells(map, grid, rule);
  ASSERT_EQ(cells.size(), 64u);

  scene::PlacementState once, split;
  scene::SceneRandom randomOnce{2}, randomSplit{2};
  const auto whole = scene::PlaceOnTerrain(map, grid, 7, rule, once, randomOnce);
  auto parts = scene::PlaceOnTerrain(map, grid, 4, rule, split, randomSplit);
  const auto rest = scene::PlaceOnTerrain(map, grid, 3, rule, split, randomSplit);
  parts.insert(parts.end(), rest.begin(), rest.end());
  ASSERT_EQ(whole.size(), 7u);
  EXPECT_EQ(std::memcmp(whole.data(), parts.data(), sizeof(CVector3) * 7), 0);

  uint32_t state = 7777;
  scene::SceneRandom random{2};
  for (const CVector3& p : whole) {
    state = state * 8253729u + 2396403u;
    const CVector3 c = scene::CandidatePoint(map, grid, rule, cells[state % cells.size()]);
    EXPECT_EQ(p.y, c.y);
    const float jitterX = 2.0f * static_cast<float>(scene::NextSceneRandom(random)) / 32767.0f;
    const float jitterZ = 2.0f * static_cast<float>(scene::NextSceneRandom(random)) / 32767.0f;
    EXPECT_EQ(p.x, c.x + jitterX - 1.0f);
    EXPECT_EQ(p.z, c.z + jitterZ - 1.0f);
  }
  EXPECT_EQ(once.state, state);
  EXPECT_EQ(randomOnce.state, random.state);
}

TEST(PlacementTest, CountsFollowTheGridWidthAndCopiesTakeAPrefix) {
  const scene::PlacementCounts counts = scene::PlacementCountsFor(2049);
  EXPECT_EQ(counts.palms, 4098);
  EXPECT_EQ(counts.bush0, 8196);
  EXPECT_EQ(counts.bush1, 4098);
  EXPECT_EQ(counts.landGrass, 204288);
  EXPECT_EQ(counts.shoreGrass, 101376);

  const std::vector<CVector3> from = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  EXPECT_EQ(scene::CopyInstances(from, 1.0).size(), 3u);
  EXPECT_EQ(scene::CopyInstances(from, 0.7).size(), 2u);
  EXPECT_EQ(scene::CopyInstances(from, 2.0).size(), 3u);  // never past the end
  EXPECT_TRUE(scene::CopyInstances(from, -1.0).empty());
}

uint64_t Checksum(const std::vector<CVector3>& positions, uint64_t hash) {
  for (const CVector3& p : positions) {
    for (float v : {p.x, p.y, p.z}) {
      uint32_t bits;
      std::memcpy(&bits, &v, sizeof bits);
      hash = (hash ^ bits) * 1099511628211ull;
    }
  }
  return hash;
}

// The program's island (exponent 11, seed 616), painted first so that the
// placement continues the painting's random sequence.
class IslandPlacementTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(scene::GenerateHeightMap(map_, 11, 616));
    grid_ = {17.8f, 8.4f, map_.width, map_.height};
    scene::SceneRandom random;
    ASSERT_TRUE(scene::PaintColourMaps(map_, scene::FallbackTerrainTiles(), random));
    scene::PlacementState placement;
    placed_ = scene::PlaceSceneObjects(map_, grid_, placement, random);
  }
  static HeightMap map_;
  static TerrainGrid grid_;
  static scene::ScenePlacement placed_;
};
HeightMap IslandPlacementTest::map_;
TerrainGrid IslandPlacementTest::grid_;
scene::ScenePlacement IslandPlacementTest::placed_;

TEST_F(IslandPlacementTest, EverySetHasItsCountAndThePinnedPositions) {
  EXPECT_EQ(placed_.palms.size(), 4098u);
  EXPECT_EQ(placed_.bushes[0].size(), 8196u);
  EXPECT_EQ(placed_.bushes[1].size(), 4098u);
  EXPECT_EQ(placed_.landGrass.size(), 204288u);
  EXPECT_EQ(placed_.shoreGrass.size(), 101376u);
  EXPECT_EQ(std::memcmp(placed_.bushes[2].data(), placed_.bushes[0].data(),
                        sizeof(CVector3) * placed_.bushes[0].size()),
            0);
  EXPECT_EQ(std::memcmp(placed_.bushes[3].data(), placed_.bushes[1].data(),
                        sizeof(CVector3) * placed_.bushes[1].size()),
            0);
  // FNV-1a over the float bits of every set in placement order (the bytes
  // terrain-dump writes): any change of draw order, generator or arithmetic
  // shows up here.
  uint64_t hash = 1469598103934665603ull;
  for (const auto* set : {&placed_.palms, &placed_.bushes[0], &placed_.bushes[1],
                          &placed_.landGrass, &placed_.shoreGrass}) {
    hash = Checksum(*set, hash);
  }
  EXPECT_EQ(hash, 0xAA31C0D947294CBDull);
}

TEST_F(IslandPlacementTest, EveryInstanceStandsOnAQualifyingCellAtItsHeight) {
  struct Case {
    const char* name;
    const std::vector<CVector3>& positions;
    PlacementRule rule;
  } cases[] = {
      {"palms", placed_.palms, scene::kPalmPlacement},
      {"bush 1", placed_.bushes[1], scene::kBushPlacement},
      {"shore grass", placed_.shoreGrass, scene::kShoreGrassPlacement},
  };
  for (const Case& c : cases) {
    int wrong = 0;
    for (const CVector3& p : c.positions) {
      // The candidate's point is within half a cell of the instance; a jitter
      // of exactly half a cell may round either way.
      const float column = p.x / grid_.cellSize + 1024.5f, row = p.z / grid_.cellSize + 1024.5f;
      bool found = false;
      for (float dr : {-1e-3f, 1e-3f}) {
        for (float dc : {-1e-3f, 1e-3f}) {
          const int i = static_cast<int>(std::lround(row + dr));
          const int j = static_cast<int>(std::lround(column + dc));
          if (i < 0 || i > 2047 || j < 0 || j > 2047) continue;
          const HeightStatistics& cell = scene::StatisticsAt(map_, i, j);
          found = found || (scene::IsPlacementCandidate(cell, grid_, c.rule) &&
                            p.y == c.rule.offset + cell.mean * grid_.heightScale);
        }
      }
      wrong += found ? 0 : 1;
    }
    EXPECT_EQ(wrong, 0) << c.name;
  }
}

// What the menu shows behind it, the first view of every start: sea, shore
// and palms, with no trunk or leaf filling the view.
TEST_F(IslandPlacementTest, NoPalmOrBushStandsRightBeforeTheMenuCamera) {
  scene::Camera camera;
  scene::SetPose(camera, scene::kMenuPosePosition, scene::kMenuPoseAngles);
  const auto dot = [](CVector3 a, CVector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; };
  int close = 0, palmsInView = 0;
  for (const auto* set : {&placed_.palms, &placed_.bushes[0], &placed_.bushes[1]}) {
    for (const CVector3& p : *set) {
      const CVector3 d{p.x - camera.position.x, p.y - camera.position.y, p.z - camera.position.z};
      const float ahead = -dot(d, camera.back), aside = std::fabs(dot(d, camera.side));
      // Within 45 degrees of the view's axis: wider than the view itself.
      if (ahead <= 0.0f || aside > ahead) continue;
      close += ahead < kClearAhead ? 1 : 0;
      palmsInView += set == &placed_.palms && ahead < 2000.0f ? 1 : 0;
    }
  }
  EXPECT_EQ(close, 0) << "plants within " << kClearAhead << " units before the menu camera";
  EXPECT_GT(palmsInView, 0) << "the view shows palms";
}

TEST_F(IslandPlacementTest, LandGrassCellsHoldEveryBladeInOneStripEach) {
  const scene::GrassCells cells =
      scene::BuildCellBuckets(scene::MakeGrassBillboard(scene::kLandGrassSize), placed_.landGrass,
                              scene::GetTerrainBounds(grid_, 1.0f));
  ASSERT_FALSE(cells.cells.empty());
  int64_t blades = 0, indices = 0;
  for (const scene::GrassCell& cell : cells.cells) {
    EXPECT_GE(cell.key, 0);
    EXPECT_LT(cell.key, 256);
    EXPECT_EQ(cell.indexCount, scene::GrassStripIndexCount(cell.blades)) << cell.key;
    blades += cell.blades;
    indices += cell.indexCount;
  }
  EXPECT_EQ(blades, 204288);
  const auto cellCount = static_cast<int64_t>(cells.cells.size());
  EXPECT_EQ(indices, 12 * 204288 - 2 * cellCount);  // 12 m - 2 per cell
  EXPECT_EQ(cells.geometry.positions.size(), 8u * 204288);
}

}  // namespace
