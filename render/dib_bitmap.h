// Off-screen bitmaps shared by image decoding, the terrain painter and the
// menu canvas. Pixels are B, G, R(, A) bytes (8-bit: one grey byte) in rows
// of widthBytes bytes, padded to 4 bytes; row 0 is the bottom row. A 32-bit
// pixel read as a uint32_t is 0xAARRGGBB.
#pragma once

#include <cstdint>
#include <memory>

#include "render/pixel_rect.h"

namespace render {

// What the bitmap reports about itself (the fields of a Windows BITMAP).
struct BitmapDescription {
  int32_t type = 0;
  int32_t width = 0;
  int32_t height = 0;
  int32_t widthBytes = 0;
  int16_t planes = 0;
  int16_t bitsPixel = 0;
  uint8_t* bits = nullptr;
};

// Pixel memory and its description: what a bitmap handle refers to.
class BitmapObject {
 public:
  // A zero-filled bottom-up bitmap of 8, 24 or 32 bits per pixel; null when the
  // size is not positive, its byte count would overflow or exceed
  // kMaxBitmapBytes, or the memory cannot be had.
  static std::unique_ptr<BitmapObject> Allocate(int width, int height, int bitsPixel);

  const BitmapDescription& description() const { return description_; }

 private:
  BitmapObject() = default;
  std::unique_ptr<uint8_t[]> memory_;
  BitmapDescription description_;
};

using BitmapHandle = std::unique_ptr<BitmapObject>;

// The largest pixel block a bitmap may have.
inline constexpr int64_t kMaxBitmapBytes = int64_t{1} << 30;
// Bytes per row of a bitmap, padded to a multiple of 4; -1 on overflow.
int64_t BitmapRowBytes(int width, int bitsPixel);

class DibBitmap {
 public:
  DibBitmap() = default;
  DibBitmap(const DibBitmap&) = delete;
  DibBitmap& operator=(const DibBitmap&) = delete;

  // Makes a 32-bit bitmap of width x height (bottom-up), zero-filled. When it
  // cannot be made the bitmap is empty. Returns whether pixels exist; the
  // caller reports a failure (render/bitmap_messages.h).
  bool Create(int width, int height);
  // Adopts `handle` (the old one is deleted). Returns whether the new bitmap
  // has pixels.
  bool Attach(BitmapHandle handle);
  // Hands the handle over to the caller; the bitmap is empty afterwards.
  BitmapHandle Release();
  // Deletes the handle; the bitmap is empty afterwards.
  void Reset();

  const BitmapObject* handle() const { return handle_.get(); }
  bool ownsHandle() const { return handle_ != nullptr; }
  bool empty() const { return pixels_ == nullptr; }
  uint8_t* pixels() const { return pixels_; }
  const BitmapDescription& description() const { return description_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Pixel operations on 32-bit bitmaps; on an empty or 24-bit bitmap they do
  // nothing (GetPixel gives 0). Coordinates outside the bitmap wrap around
  // (x mod width, y mod height; negative ones too). x is the column, y the
  // memory row (0 = bottom).
  uint32_t GetPixel(int x, int y) const;
  void SetPixel(int x, int y, uint32_t value);
  void Fill(uint32_t value);
  // Alpha byte of every pixel = 255.
  void SetOpaque();
  // B, G, R of every pixel multiplied by `factor` and truncated (clamped to
  // 0..255); alpha kept.
  void ScaleColour(float factor);
  // Pixel (x, y) = source pixel (x, y), the source coordinates wrapped by the
  // source's size; 0 when the source is empty.
  void CopyPixel(int x, int y, const DibBitmap& source);
  // Fills rows top <= i < bottom and columns left <= j < right, counted from
  // the top of the picture, each wrapped.
  void FillRect(const PixelRect& rect, uint32_t value);

 private:
  void Adopt(BitmapHandle handle);
  uint32_t* At(int x, int y) const;

  BitmapHandle handle_;
  uint8_t* pixels_ = nullptr;
  BitmapDescription description_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace render
