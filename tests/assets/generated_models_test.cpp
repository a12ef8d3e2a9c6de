// The generated models as the scene's reader sees them, the committed rock
// file, and the leaf and tiling properties of the model textures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "scene/obj_reader.h"
#include "tests/support/test_files.h"
#include "tools/model-objs/model_objs.h"
#include "tools/model-textures/model_textures.h"

namespace {

int CountLines(const std::string& text, const std::string& start) {
  int count = 0;
  for (size_t pos = 0; pos < text.size(); pos = text.find('\n', pos) + 1) {
    if (text.compare(pos, start.size(), start) == 0) ++count;
    if (text.find('\n', pos) == std::string::npos) break;
  }
  return count;
}

// Height of each model as the scene loads it (uniform scale; the bush's
// copies grow it by 1.33 three times), in scene units of about a
// centimetre.
TEST(GeneratedModelsTest, ModelsSuitTheReaderAndHavePlausibleSizes) {
  const struct {
    const char* kind;
    float loadScale;
    float minHeight, maxHeight;
  } cases[] = {
      {"palm", 1.0f, 700, 1200},
      {"palm-alt", 1.0f, 600, 1200},
      {"bush", 0.98f * 1.33f * 1.33f * 1.33f, 80, 200},
      {"rock", 7.0f, 100, 250},
  };
  for (const auto& c : cases) {
    const std::string text = models::ModelText(c.kind);
    scene::ObjMesh mesh;
    const scene::ObjResult result = scene::ParseObjText(text, mesh);
    ASSERT_TRUE(result.ok) << c.kind << ": " << result.output << result.messageBox;
    // The loader needs one texture coordinate and one normal per position.
    const size_t vertices = mesh.positions.size() / 3;
    EXPECT_GT(vertices, 0u) << c.kind;
    EXPECT_EQ(mesh.texCoords.size() / 2, vertices) << c.kind;
    EXPECT_EQ(mesh.normals.size() / 3, vertices) << c.kind;
    // Every face line is read: none is lost for want of a last line break.
    EXPECT_EQ(static_cast<int>(mesh.indices.size() / 3), CountLines(text, "f ")) << c.kind;
    float low = 1e30f, high = -1e30f;
    for (size_t i = 1; i < mesh.positions.size(); i += 3) {
      low = std::min(low, mesh.positions[i]);
      high = std::max(high, mesh.positions[i]);
    }
    EXPECT_NEAR(low, 0.0f, 1.0f) << c.kind << " stands on the ground";
    EXPECT_GE(high * c.loadScale, c.minHeight) << c.kind;
    EXPECT_LE(high * c.loadScale, c.maxHeight) << c.kind;
  }
  EXPECT_EQ(models::ModelText("tree"), "");
}

// The program reads the rock from this file; it must be what the generator
// writes now (regenerate it with `model-objs rock obj/Kleiner_Granitfelsen.obj`).
TEST(GeneratedModelsTest, CommittedRockFileIsTheGeneratorsOutput) {
  const std::string committed = test_support::ReadBytes(MG_ROCK_FILE);
  EXPECT_EQ(committed, models::ModelText("rock"));
}

float Alpha(const asset::Image& image, int x, int y) { return image.Get(x, y).a; }

TEST(GeneratedModelsTest, LeafTexturesAreCutOutWithoutDarkFringes) {
  const struct {
    const char* kind;
    float minSolid, maxSolid;  // share of texels the alpha test keeps
  } cases[] = {{"palm", 0.3f, 0.7f}, {"bush", 0.3f, 0.8f}, {"grass", 0.15f, 0.6f}};
  for (const auto& c : cases) {
    const asset::Image image = models::ModelTexture(c.kind);
    ASSERT_EQ(image.channels(), 4) << c.kind;
    int solid = 0;
    float darkestClear = 1;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const asset::Colour p = image.Get(x, y);
        if (p.a > 0.5f) ++solid;
        if (p.a < 0.5f) darkestClear = std::min(darkestClear, p.g);
      }
    }
    const float share = static_cast<float>(solid) / (image.width() * image.height());
    EXPECT_GE(share, c.minSolid) << c.kind;
    EXPECT_LE(share, c.maxSolid) << c.kind;
    // Filtering mixes in the colour under cut-out texels: it stays leaf
    // green, never black.
    EXPECT_GT(darkestClear, 0.1f) << c.kind;
  }
  // The palm's bark strip is solid; grass grows from the bottom edge, and
  // its side edges stay clear so that neighbouring billboards cut no blade.
  const asset::Image palm = models::ModelTexture("palm");
  const int barkWidth = static_cast<int>(palm.width() * models::kPalmBarkU);
  for (int y = 0; y < palm.height(); y += 7) {
    for (int x = 0; x < barkWidth; ++x) ASSERT_EQ(Alpha(palm, x, y), 1.0f) << x << "," << y;
  }
  const asset::Image grass = models::ModelTexture("grass");
  int rooted = 0;
  for (int x = 0; x < grass.width(); ++x) rooted += Alpha(grass, x, grass.height() - 1) > 0.5f;
  EXPECT_GT(rooted, grass.width() / 4);
  for (int y = 0; y < grass.height(); ++y) {
    EXPECT_LE(Alpha(grass, 0, y), 0.5f);
    EXPECT_LE(Alpha(grass, grass.width() - 1, y), 0.5f);
  }
}

// Across the wrap, neighbouring texels differ no more than neighbours
// inside the image do (mean over the edge, with 50 % slack for chance).
TEST(GeneratedModelsTest, NoiseAndGraniteTile) {
  for (const char* kind : {"noise", "object"}) {
    const asset::Image image = models::ModelTexture(kind);
    const int w = image.width(), h = image.height();
    auto step = [&](int x0, int y0, int x1, int y1) {
      const asset::Colour a = image.Get(x0, y0), b = image.Get(x1, y1);
      return std::fabs(a.r - b.r) + std::fabs(a.g - b.g) + std::fabs(a.b - b.b);
    };
    float wrapX = 0, insideX = 0, wrapY = 0, insideY = 0;
    for (int i = 0; i < h; ++i) {
      wrapX += step(w - 1, i, 0, i);
      insideX += step(w / 2 - 1, i, w / 2, i);
      wrapY += step(i, h - 1, i, 0);
      insideY += step(i, h / 2 - 1, i, h / 2);
    }
    EXPECT_LE(wrapX, insideX * 1.5f) << kind;
    EXPECT_LE(wrapY, insideY * 1.5f) << kind;
  }
  EXPECT_EQ(models::ModelTexture("tree").width(), 0);
}

}  // namespace
