// The sky, water and caustic images as the program receives them: encoded
// like the build writes them, then decoded again.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "tools/caustic-frames/caustic_frames.h"
#include "tools/sky-faces/sky_faces.h"
#include "tools/water-maps/water_maps.h"

namespace {

using asset::ImageFormat;

struct Decoded {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;

  int At(int x, int y, int channel) const {
    return rgb[(static_cast<size_t>(y) * width + x) * 3 + channel];
  }
  // The largest channel difference between two pixels.
  int Difference(int x, int y, const Decoded& other, int ox, int oy) const {
    int largest = 0;
    for (int c = 0; c < 3; ++c)
      largest = std::max(largest, std::abs(At(x, y, c) - other.At(ox, oy, c)));
    return largest;
  }
};

Decoded Decode(const std::vector<unsigned char>& file) {
  Decoded d;
  int channels = 0;
  unsigned char* pixels = stbi_load_from_memory(file.data(), static_cast<int>(file.size()),
                                                &d.width, &d.height, &channels, 3);
  EXPECT_NE(pixels, nullptr);
  if (pixels == nullptr) return d;
  d.rgb.assign(pixels, pixels + static_cast<size_t>(d.width) * d.height * 3);
  stbi_image_free(pixels);
  return d;
}

Decoded Roundtrip(const asset::Image& image, ImageFormat format) {
  return Decode(asset::EncodeImage(image, format, 90));
}

// Mean difference between column a and column b (or rows, when `rows`).
double LineGap(const Decoded& d, int a, int b, bool rows) {
  const int n = rows ? d.width : d.height;
  double sum = 0;
  for (int i = 0; i < n; ++i) {
    sum += rows ? d.Difference(i, a, d, i, b) : d.Difference(a, i, d, b, i);
  }
  return sum / n;
}

// The largest mean difference between neighbouring columns (rows) inside
// the image.
double LargestInnerGap(const Decoded& d, bool rows) {
  const int n = rows ? d.height : d.width;
  double largest = 0;
  for (int i = 0; i + 1 < n; ++i) largest = std::max(largest, LineGap(d, i, i + 1, rows));
  return largest;
}

// Mean difference between two images of the same size.
double ImageGap(const Decoded& a, const Decoded& b) {
  double sum = 0;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) sum += a.Difference(x, y, b, x, y);
  }
  return sum / (static_cast<double>(a.width) * a.height);
}

TEST(SkyFacesTest, NeighbouringFacesAgreeAlongEveryEdge) {
  constexpr int kSize = 512;
  std::vector<Decoded> faces;
  for (int f = 0; f < sky::kFaceCount; ++f) {
    faces.push_back(Roundtrip(sky::PaintFace(f, kSize), ImageFormat::kJpeg));
  }
  // Every edge texel against the texel one step beyond the edge, found on
  // the neighbouring face through the face table: on a sky without seams
  // they differ like any two neighbouring texels.
  for (int f = 0; f < sky::kFaceCount; ++f) {
    const sky::Face& face = sky::Faces()[f];
    for (int edge = 0; edge < 4; ++edge) {
      SCOPED_TRACE(testing::Message() << face.name << " edge " << edge);
      int largest = 0;
      double sum = 0;
      for (int i = 0; i < kSize; ++i) {
        const int column = edge == 0 ? 0 : edge == 1 ? kSize - 1 : i;
        const int row = edge == 2 ? 0 : edge == 3 ? kSize - 1 : i;
        sky::TexCoord st = sky::TexelCentre(kSize, column, row);
        const float step = 1.0f / kSize;
        if (edge == 0) st.s -= step;
        if (edge == 1) st.s += step;
        if (edge == 2) st.t += step;
        if (edge == 3) st.t -= step;
        const sky::FaceHit hit = sky::FaceOf(sky::FacePoint(face, st.s, st.t));
        ASSERT_NE(hit.face, f);
        const int x = std::clamp(static_cast<int>(hit.s * kSize), 0, kSize - 1);
        const int y = std::clamp(static_cast<int>((1.0f - hit.t) * kSize), 0, kSize - 1);
        const int difference = faces[f].Difference(column, row, faces[hit.face], x, y);
        largest = std::max(largest, difference);
        sum += difference;
      }
      // Inside a face neighbouring texels differ by up to 42 levels at the
      // sharpest cloud rims and by under 2 on average; JPEG moves texels by a
      // few levels more. A face mirrored or turned the wrong way puts
      // unrelated sky side by side: 125 levels and more along every edge
      // with clouds, sun or horizon on it.
      EXPECT_LE(largest, 56);
      EXPECT_LE(sum / kSize, 3.0);
    }
  }
}

TEST(SkyFacesTest, FacesMatchTheSkyBoxDrawing) {
  // The sky box's drawing table, corner by corner: texture coordinates and
  // the cube corner drawn with them (-1 for the low side, +1 for the high).
  struct Corner {
    float s, t;
    sky::Vec3 at;
  };
  const Corner drawn[sky::kFaceCount][4] = {
      {{1, 0, {1, -1, -1}}, {1, 1, {1, 1, -1}}, {0, 1, {-1, 1, -1}}, {0, 0, {-1, -1, -1}}},
      {{1, 0, {-1, -1, 1}}, {1, 1, {-1, 1, 1}}, {0, 1, {1, 1, 1}}, {0, 0, {1, -1, 1}}},
      {{1, 0, {-1, -1, -1}}, {1, 1, {-1, -1, 1}}, {0, 1, {1, -1, 1}}, {0, 0, {1, -1, -1}}},
      {{0, 1, {1, 1, -1}}, {0, 0, {1, 1, 1}}, {1, 0, {-1, 1, 1}}, {1, 1, {-1, 1, -1}}},
      {{1, 1, {-1, 1, -1}}, {0, 1, {-1, 1, 1}}, {0, 0, {-1, -1, 1}}, {1, 0, {-1, -1, -1}}},
      {{0, 0, {1, -1, -1}}, {1, 0, {1, -1, 1}}, {1, 1, {1, 1, 1}}, {0, 1, {1, 1, -1}}},
  };
  for (int f = 0; f < sky::kFaceCount; ++f) {
    const sky::Face& face = sky::Faces()[f];
    SCOPED_TRACE(face.name);
    EXPECT_EQ(face.slot, 11 + f);
    for (const Corner& c : drawn[f]) {
      const sky::Vec3 p = sky::FacePoint(face, c.s, c.t);
      EXPECT_EQ(p.x, c.at.x);
      EXPECT_EQ(p.y, c.at.y);
      EXPECT_EQ(p.z, c.at.z);
    }
  }
  // The sun stands over the sea in the water light's heading, (+x, -z).
  const sky::Vec3 sun = sky::SunDirection();
  EXPECT_GT(sun.y, 0.0f);
  EXPECT_GT(sun.x, 0.0f);
  EXPECT_LT(sun.z, 0.0f);
}

struct TilingCase {
  const char* name;
  asset::Image image;
  ImageFormat format;
};

TEST(TilingTest, OppositeEdgesMeetLikeNeighbours) {
  std::vector<TilingCase> cases;
  cases.push_back({"normal map", water::PaintNormalMap(256), ImageFormat::kPng});
  cases.push_back({"dudv map", water::PaintDudvMap(256), ImageFormat::kPng});
  for (int frame : {0, 11, 31}) {
    cases.push_back({"caustic frame", caustics::PaintFrame(frame, 128), ImageFormat::kJpeg});
  }
  for (const TilingCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Decoded d = Roundtrip(c.image, c.format);
    for (bool rows : {false, true}) {
      SCOPED_TRACE(rows ? "top and bottom rows" : "left and right columns");
      const int last = (rows ? d.height : d.width) - 1;
      // When tiled, the last line lies beside the first, so the pair should
      // differ no more than neighbouring lines inside. Lines half an image
      // apart differ 1.5 times (caustics) to 15 times (water maps) as much
      // as the most different neighbours; one level allows for JPEG.
      EXPECT_LE(LineGap(d, 0, last, rows), LargestInnerGap(d, rows) + 1.0);
    }
  }
}

TEST(CausticFramesTest, TheLoopClosesAsSmoothlyAsItMoves) {
  std::vector<Decoded> frames;
  for (int f = 0; f < caustics::kFrameCount; ++f) {
    frames.push_back(Roundtrip(caustics::PaintFrame(f, 128), ImageFormat::kJpeg));
  }
  double smallest = 1e9, largest = 0;
  for (int f = 0; f + 1 < caustics::kFrameCount; ++f) {
    const double gap = ImageGap(frames[f], frames[f + 1]);
    smallest = std::min(smallest, gap);
    largest = std::max(largest, gap);
  }
  // Still frames would make no animation; a jump from the last frame back
  // to the first would be many times a step's change.
  EXPECT_GT(smallest, 1.0);
  EXPECT_LE(ImageGap(frames.back(), frames.front()), largest * 1.25);
}

TEST(WaterMapsTest, MapsHoldWhatTheWaterExpects) {
  const Decoded normal = Roundtrip(water::PaintNormalMap(256), ImageFormat::kPng);
  double blue = 0;
  for (int y = 0; y < normal.height; ++y) {
    for (int x = 0; x < normal.width; ++x) {
      double length2 = 0;
      for (int c = 0; c < 3; ++c) {
        const double n = normal.At(x, y, c) / 127.5 - 1.0;
        length2 += n * n;
      }
      // Unit normals, within 8-bit rounding; all of them face up.
      ASSERT_NEAR(std::sqrt(length2), 1.0, 0.02) << x << "," << y;
      ASSERT_GT(normal.At(x, y, 2), 128);
      blue += normal.At(x, y, 2);
    }
  }
  // Small ripples: on average the normal leans less than 20 degrees.
  EXPECT_GT(blue / (normal.width * normal.height), 127.5 * (1 + std::cos(20 * 3.14159 / 180)));

  const Decoded dudv = Roundtrip(water::PaintDudvMap(256), ImageFormat::kPng);
  double r = 0, g = 0;
  for (int y = 0; y < dudv.height; ++y) {
    for (int x = 0; x < dudv.width; ++x) {
      ASSERT_EQ(dudv.At(x, y, 2), 0);
      r += dudv.At(x, y, 0);
      g += dudv.At(x, y, 1);
    }
  }
  // Offsets around zero: the mean of a tiling field's slope is zero.
  const double count = dudv.width * dudv.height;
  EXPECT_NEAR(r / count, 127.5, 4.0);
  EXPECT_NEAR(g / count, 127.5, 4.0);
}

TEST(GeneratorsTest, SameBytesOnEveryRun) {
  struct Case {
    const char* name;
    asset::Image (*paint)();
    ImageFormat format;
  };
  const Case cases[] = {
      {"sky overhead", [] { return sky::PaintFace(3, 512); }, ImageFormat::kJpeg},
      {"normal map", [] { return water::PaintNormalMap(256); }, ImageFormat::kPng},
      {"dudv map", [] { return water::PaintDudvMap(256); }, ImageFormat::kPng},
      {"caustic frame", [] { return caustics::PaintFrame(7, 128); }, ImageFormat::kJpeg},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<unsigned char> first = asset::EncodeImage(c.paint(), c.format, 90);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, asset::EncodeImage(c.paint(), c.format, 90));
  }
}

}  // namespace
