#include "render/embedded_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "embedded/render.h"
#include "render/image_decode.h"

namespace {

TEST(EmbeddedFileTest, UnscrambleLeavesBytesAloneForEmptyOrNegativeLength) {
  for (int32_t length : {0, -1, -1000}) {
    uint8_t bytes[3] = {1, 2, 3};
    EXPECT_EQ(render::Unscramble(bytes, length, 128), 1);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[2], 3);
  }
}

TEST(EmbeddedFileTest, UnscrambleIsItsOwnInverseWithKey128) {
  std::vector<uint8_t> bytes = {0, 1, 127, 128, 200, 255};
  const std::vector<uint8_t> stored = bytes;
  render::Unscramble(bytes.data(), static_cast<int32_t>(bytes.size()), 128);
  EXPECT_EQ(bytes, (std::vector<uint8_t>{128, 129, 255, 0, 72, 127}));
  render::Unscramble(bytes.data(), static_cast<int32_t>(bytes.size()), 128);
  EXPECT_EQ(bytes, stored);
}

TEST(EmbeddedFileTest, UnscrambledRestoresThePlainFileOnlyOnce) {
  uint8_t bytes[] = {0x89 + 128 - 256, 'P' + 128, 0};
  const int32_t length = 2;
  render::EmbeddedFile file(bytes, &length);
  EXPECT_FALSE(file.unscrambled());
  EXPECT_EQ(file.Unscrambled()[0], 0x89);
  EXPECT_EQ(file.Unscrambled()[1], 'P');
  EXPECT_TRUE(file.unscrambled());
  EXPECT_EQ(bytes[2], 0) << "the spare byte past the end is not touched";
}

// The program's own images travel scrambled: neither a PNG/JPEG signature nor
// the start of any plain image appears in the executable, and each unscrambles
// to an image that decodes.
TEST(EmbeddedFileTest, ImagesAreStoredScrambledAndDecodeAfterUnscrambling) {
  std::ifstream exe("/proc/self/exe", std::ios::binary);
  const std::string binary((std::istreambuf_iterator<char>(exe)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(binary.empty());
  // The signature is built at run time (a volatile key keeps the compiler
  // from folding it) so that this test holds no copy.
  volatile int key = 128;
  std::string pngSignature = "\x09\xD0\xCE\xC7\x8D\x8A\x9A\x8A";
  for (char& c : pngSignature) c = static_cast<char>(c - key);
  EXPECT_EQ(binary.find(pngSignature), std::string::npos);

  for (const render::NamedEmbeddedFile& named : embedded::render_files()) {
    SCOPED_TRACE(named.name);
    std::vector<uint8_t> plain(named.file->stored().begin(), named.file->stored().end());
    if (!named.file->unscrambled()) {
      render::Unscramble(plain.data(), static_cast<int32_t>(plain.size()), 128);
    }
    ASSERT_GE(plain.size(), 64u);
    const std::string head(plain.begin(), plain.begin() + 64);
    EXPECT_EQ(binary.find(head), std::string::npos) << "plain copy inside the executable";

    render::DibBitmap bitmap;
    EXPECT_TRUE(
        render::DecodeImage(bitmap, plain.data(), static_cast<int32_t>(plain.size()), false));
  }
  EXPECT_EQ(embedded::wait_picture.length() > 0, true);
}

// Painted at the wait window's own size, so it is shown unstretched.
TEST(EmbeddedFileTest, WaitPictureIsAWideOpaqueImageOfTheWaitWindowsSize) {
  std::span<uint8_t> plain = embedded::wait_picture.Unscrambled();
  render::DibBitmap bitmap;
  ASSERT_TRUE(render::DecodeImage(bitmap, plain.data(), static_cast<int32_t>(plain.size()), false));
  EXPECT_EQ(bitmap.description().bitsPixel, 24);
  EXPECT_EQ(bitmap.width(), 798);
  EXPECT_EQ(bitmap.height(), 244);
}

}  // namespace
