#include "render/dib_bitmap.h"

#include <gtest/gtest.h>

#include "platform/fake/recording_message_box.h"
#include "render/bitmap_messages.h"

namespace {

using platform::fake::RecordingMessageBox;

TEST(DibBitmapTest, CreateMakesZeroedBottomUp32BitPixels) {
  RecordingMessageBox boxes;
  render::DibBitmap bitmap;
  ASSERT_TRUE(bitmap.Create(3, 2));
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_TRUE(bitmap.ownsHandle());
  EXPECT_EQ(bitmap.description().bitsPixel, 32);
  EXPECT_EQ(bitmap.description().widthBytes, 12);
  EXPECT_EQ(bitmap.description().planes, 1);
  EXPECT_EQ(bitmap.GetPixel(2, 1), 0u);
}

TEST(DibBitmapTest, FailedCreateIsReportedByTheCallerAsSizeThenMissingPixels) {
  struct Case {
    int width, height;
    const char16_t* size;
  };
  for (const Case& c :
       {Case{0, 5, u"0 x 5"}, Case{10, -1, u"10 x -1"}, Case{100000, 100000, u"100000 x 100000"}}) {
    SCOPED_TRACE(c.width);
    RecordingMessageBox boxes;
    render::DibBitmap bitmap;
    bitmap.Create(4, 4);
    EXPECT_FALSE(bitmap.Create(c.width, c.height));
    EXPECT_TRUE(bitmap.empty());
    EXPECT_FALSE(bitmap.ownsHandle()) << "the old bitmap is dropped";
    EXPECT_TRUE(boxes.boxes().empty()) << "the bitmap itself only returns false";

    EXPECT_FALSE(render::CreateBitmapOrReport(bitmap, c.width, c.height));
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[0].text, c.size);
    EXPECT_EQ(boxes.boxes()[0].caption, u"dib-err");
    EXPECT_EQ(boxes.boxes()[1].text, u"WidthBytes: 0 bmWidth:0 bmBitsPixel:0");
    EXPECT_EQ(boxes.boxes()[1].caption, u"Err");
  }
}

TEST(DibBitmapTest, CoordinatesWrapAroundIncludingNegativeOnes) {
  render::DibBitmap bitmap;
  bitmap.Create(4, 3);
  bitmap.SetPixel(5, 4, 0x11223344);  // (1, 1)
  EXPECT_EQ(bitmap.GetPixel(1, 1), 0x11223344u);
  bitmap.SetPixel(-1, -1, 0xAABBCCDD);  // (3, 2)
  EXPECT_EQ(bitmap.GetPixel(3, 2), 0xAABBCCDDu);
  EXPECT_EQ(bitmap.GetPixel(7, 5), 0xAABBCCDDu);
  const uint8_t* bottomRow = bitmap.pixels();
  EXPECT_EQ(bottomRow[0], 0) << "row 0 untouched";
}

TEST(DibBitmapTest, WholeBitmapOperations) {
  render::DibBitmap bitmap;
  bitmap.Create(2, 2);
  bitmap.Fill(0x40FF8010);
  bitmap.ScaleColour(0.5f);
  EXPECT_EQ(bitmap.GetPixel(1, 1), 0x407F4008u) << "B, G, R halved and truncated; alpha kept";
  bitmap.ScaleColour(3.0f);
  EXPECT_EQ(bitmap.GetPixel(0, 0), 0x40FFC018u) << "clamped at 255";
  bitmap.SetOpaque();
  EXPECT_EQ(bitmap.GetPixel(0, 1), 0xFFFFC018u);
}

TEST(DibBitmapTest, CopyPixelWrapsTheSourceAndReadsZeroFromAnEmptyOne) {
  render::DibBitmap tile, target, empty;
  tile.Create(2, 2);
  tile.SetPixel(1, 0, 0xFF0000FF);
  target.Create(8, 8);
  target.Fill(0xFFFFFFFF);
  target.CopyPixel(5, 2, tile);  // source (1, 0)
  EXPECT_EQ(target.GetPixel(5, 2), 0xFF0000FFu);
  target.CopyPixel(3, 3, empty);
  EXPECT_EQ(target.GetPixel(3, 3), 0u);
}

// Rows of the rectangle count from the top of the picture: row 0 is the last
// memory row of a bottom-up bitmap.
TEST(DibBitmapTest, FillRectCountsRowsFromTheTop) {
  render::DibBitmap bitmap;
  bitmap.Create(4, 4);
  bitmap.FillRect({1, 0, 3, 2}, 0xFF00FF00);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const bool inside = x >= 1 && x < 3 && y >= 2;
      EXPECT_EQ(bitmap.GetPixel(x, y), inside ? 0xFF00FF00u : 0u) << x << "," << y;
    }
  }
  bitmap.FillRect({3, 3, 5, 4}, 1);  // columns 3 and 4 -> 0
  EXPECT_EQ(bitmap.GetPixel(0, 0), 1u);
  EXPECT_EQ(bitmap.GetPixel(3, 0), 1u);
}

TEST(DibBitmapTest, PixelOperationsIgnoreBitmapsThatAreNot32Bit) {
  render::DibBitmap empty;
  empty.Fill(1);
  empty.SetPixel(0, 0, 1);
  empty.FillRect({0, 0, 1, 1}, 1);
  EXPECT_EQ(empty.GetPixel(0, 0), 0u);

  render::DibBitmap rgb;
  rgb.Attach(render::BitmapObject::Allocate(3, 1, 24));
  rgb.Fill(0xFFFFFFFF);
  rgb.SetOpaque();
  EXPECT_EQ(rgb.pixels()[0], 0);
  EXPECT_EQ(rgb.description().widthBytes, 12) << "rows padded to 4 bytes";
}

TEST(DibBitmapTest, ReleaseHandsTheBitmapOver) {
  render::DibBitmap bitmap;
  bitmap.Create(2, 2);
  const render::BitmapObject* object = bitmap.handle();
  render::BitmapHandle handle = bitmap.Release();
  EXPECT_EQ(handle.get(), object);
  EXPECT_TRUE(bitmap.empty());
  EXPECT_FALSE(bitmap.ownsHandle());
}

}  // namespace
