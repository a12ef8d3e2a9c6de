// terrain-dump EXPONENT SEED OUTPUT_PREFIX
//
// Writes, for the height map of that exponent and seed:
//   PREFIX.heights.f32  size x size float32, little-endian, row-major
//   PREFIX.stats.f32    mean, minimum, maximum as float32 per point, same order
//   PREFIX.colour.png   the painted colour map, full size (row 0 at the top)
//   PREFIX.mask.png     the region mask, full size
//   PREFIX-placement.f32 every placed instance as x, y, z float32: palms,
//                       bush 0, bush 1, land grass, shore grass, one set
//                       after another (bushes 2 and 3 repeat 0 and 1)
// Tiles are flat colours here; the painting's choices do not depend on them.
#include <stb/stb_image_write.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "scene/colour_maps.h"
#include "scene/height_map.h"
#include "scene/placement.h"
#include "scene/terrain_build.h"

namespace {

static_assert(std::endian::native == std::endian::little, "floats are written as they lie");

bool WriteFloats(const std::string& path, const float* data, size_t count) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = std::fwrite(data, sizeof(float), count, file) == count;
  return std::fclose(file) == 0 && ok;
}

bool WritePng(const std::string& path, const scene::PixelImage& image) {
  std::vector<uint8_t> rgba(image.pixels.size() * 4);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const uint32_t p = image.pixels[i];
    rgba[i * 4] = static_cast<uint8_t>(p >> 16);
    rgba[i * 4 + 1] = static_cast<uint8_t>(p >> 8);
    rgba[i * 4 + 2] = static_cast<uint8_t>(p);
    rgba[i * 4 + 3] = 255;  // the mask's alpha carries nothing
  }
  return stbi_write_png(path.c_str(), image.width, image.height, 4, rgba.data(), image.width * 4) !=
         0;
}

// Places the sets on the program's grid (cell size 17.8, height scale 8.4),
// continuing random from the painting as the program does.
bool WritePlacement(const std::string& path, const scene::HeightMap& map,
                    scene::SceneRandom& random) {
  scene::TerrainGrid grid;
  grid.width = map.width;
  grid.height = map.height;
  scene::PlacementState placement;
  const scene::ScenePlacement placed = scene::PlaceSceneObjects(map, grid, placement, random);
  std::vector<float> xyz;
  for (const auto* set : {&placed.palms, &placed.bushes[0], &placed.bushes[1], &placed.landGrass,
                          &placed.shoreGrass}) {
    for (const scene::CVector3& p : *set) xyz.insert(xyz.end(), {p.x, p.y, p.z});
  }
  return WriteFloats(path, xyz.data(), xyz.size());
}

bool ParseInt(const char* text, int& value) {
  char* end = nullptr;
  const long parsed = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || parsed < -2147483647L || parsed > 2147483647L) return false;
  value = static_cast<int>(parsed);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int exponent = 0, seed = 0;
  if (argc != 4 || !ParseInt(argv[1], exponent) || !ParseInt(argv[2], seed) || exponent < 1 ||
      exponent > 12) {
    std::fprintf(stderr, "usage: terrain-dump EXPONENT(1-12) SEED OUTPUT_PREFIX\n");
    return 2;
  }
  const std::string prefix = argv[3];
  scene::HeightMap map;
  if (!scene::GenerateHeightMap(map, exponent, seed)) {
    std::fprintf(stderr, "terrain-dump: Mem-Err! (no memory for the statistics)\n");
  }
  const size_t points = map.heights.size();

  bool ok = WriteFloats(prefix + ".heights.f32", map.heights.data(), points);
  if (map.HasStatistics()) {
    std::vector<float> stats;
    stats.reserve(points * 3);
    for (const scene::HeightStatistics& s : map.statistics) {
      stats.insert(stats.end(), {s.mean, s.minimum, s.maximum});
    }
    ok = WriteFloats(prefix + ".stats.f32", stats.data(), stats.size()) && ok;
  }
  scene::SceneRandom random;
  const auto maps = scene::PaintColourMaps(map, scene::FallbackTerrainTiles(), random);
  if (maps) {
    ok = WritePng(prefix + ".colour.png", maps->colourMap) && ok;
    ok = WritePng(prefix + ".mask.png", maps->regionMask) && ok;
    ok = WritePlacement(prefix + "-placement.f32", map, random) && ok;
  }
  if (!ok) {
    std::fprintf(stderr, "terrain-dump: could not write all files for %s\n", prefix.c_str());
    return 1;
  }
  return 0;
}
