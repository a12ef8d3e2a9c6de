#include "render/image_decode.h"

#include <gtest/gtest.h>

#include "tests/render/render_test_support.h"

namespace {

using rendertest::EncodePng;
using rendertest::TestPixels;

// Bytes of bitmap pixel (x, memory row y).
const uint8_t* At(const render::DibBitmap& b, int x, int y) {
  return b.pixels() + static_cast<size_t>(y) * b.description().widthBytes +
         static_cast<size_t>(x) * (b.description().bitsPixel / 8);
}

bool Decode(render::DibBitmap& target, const std::vector<uint8_t>& file, bool flip) {
  return render::DecodeImage(target, file.data(), static_cast<int32_t>(file.size()), flip);
}

TEST(ImageDecodeTest, DepthFollowsTheChannelsOfTheFile) {
  struct Case {
    int channels, bitsPixel;
  };
  for (const Case& c : {Case{1, 8}, Case{2, 32}, Case{3, 24}, Case{4, 32}}) {
    SCOPED_TRACE(c.channels);
    render::DibBitmap bitmap;
    ASSERT_TRUE(Decode(bitmap, EncodePng(5, 3, c.channels, TestPixels(5, 3, c.channels)), false));
    EXPECT_EQ(bitmap.description().bitsPixel, c.bitsPixel);
    EXPECT_EQ(bitmap.width(), 5);
    EXPECT_EQ(bitmap.height(), 3);
  }
}

TEST(ImageDecodeTest, PixelsAreBgrBottomUpUnlessFlipped) {
  const std::vector<uint8_t> png = EncodePng(5, 3, 4, TestPixels(5, 3, 4));
  render::DibBitmap bitmap;
  ASSERT_TRUE(Decode(bitmap, png, false));
  // Image pixel (x 2, top row 0) lies in the last memory row.
  const uint8_t* p = At(bitmap, 2, 2);
  EXPECT_EQ(p[0], 200);  // B
  EXPECT_EQ(p[1], 0);    // G = top row * 16
  EXPECT_EQ(p[2], 32);   // R = x * 16
  EXPECT_EQ(p[3], 102);  // A

  ASSERT_TRUE(Decode(bitmap, png, true));
  EXPECT_EQ(At(bitmap, 2, 0)[1], 0) << "flipped: the top row comes first";
  EXPECT_EQ(At(bitmap, 2, 2)[1], 32);

  const std::vector<uint8_t> rgb = EncodePng(5, 3, 3, TestPixels(5, 3, 3));
  ASSERT_TRUE(Decode(bitmap, rgb, false));
  EXPECT_EQ(bitmap.description().widthBytes, 16);
  EXPECT_EQ(At(bitmap, 4, 0)[2], 64);
  EXPECT_EQ(At(bitmap, 4, 0)[1], 32) << "bottom image row (y 2) first";
}

TEST(ImageDecodeTest, JpegDecodesAs24Bit) {
  render::DibBitmap bitmap;
  ASSERT_TRUE(Decode(bitmap, rendertest::EncodeJpeg(16, 8, 3, TestPixels(16, 8, 3), 95), false));
  EXPECT_EQ(bitmap.description().bitsPixel, 24);
  EXPECT_NEAR(At(bitmap, 0, 0)[0], 200, 8);
}

// Damaged files, and ones whose pixels would need more than 64 MiB (or
// overflow the size arithmetic), leave the bitmap empty, even one that held
// a picture before.
TEST(ImageDecodeTest, BadFilesLeaveTheBitmapEmpty) {
  const std::vector<uint8_t> good = EncodePng(4, 4, 3, TestPixels(4, 4, 3));
  auto withSize = [&](uint32_t w, uint32_t h) {
    std::vector<uint8_t> file = good;
    for (int i = 0; i < 4; ++i) {  // IHDR width and height, big-endian
      file[16 + i] = static_cast<uint8_t>(w >> (24 - 8 * i));
      file[20 + i] = static_cast<uint8_t>(h >> (24 - 8 * i));
    }
    return file;
  };
  std::vector<uint8_t> truncated(good.begin(), good.begin() + 40);
  std::vector<uint8_t> noise(300, 0x5A);
  const std::vector<std::vector<uint8_t>> bad = {
      truncated, noise, withSize(4097, 4096), withSize(20000, 20000), withSize(0x7FFFFFFF, 1), {}};
  for (size_t i = 0; i < bad.size(); ++i) {
    SCOPED_TRACE(i);
    render::DibBitmap bitmap;
    ASSERT_TRUE(Decode(bitmap, good, false));
    EXPECT_FALSE(Decode(bitmap, bad[i], false));
    EXPECT_TRUE(bitmap.empty());
    EXPECT_FALSE(bitmap.ownsHandle());
  }
  render::DibBitmap bitmap;
  EXPECT_FALSE(render::DecodeImage(bitmap, good.data(), -5, false));
  EXPECT_FALSE(render::DecodeImage(bitmap, nullptr, 10, false));
}

}  // namespace
