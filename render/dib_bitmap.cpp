#include "render/dib_bitmap.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace render {
namespace {

int Wrap(int value, int size) {
  if (value >= 0 && value < size) return value;
  const int m = value % size;
  return m < 0 ? m + size : m;
}

}  // namespace

int64_t BitmapRowBytes(int width, int bitsPixel) {
  if (width <= 0 || bitsPixel <= 0) return -1;
  const int64_t bits = int64_t{width} * bitsPixel;
  if (bits > kMaxBitmapBytes * 8) return -1;
  return (bits + 31) / 32 * 4;
}

std::unique_ptr<BitmapObject> BitmapObject::Allocate(int width, int height, int bitsPixel) {
  if (height <= 0 || (bitsPixel != 8 && bitsPixel != 24 && bitsPixel != 32)) return nullptr;
  const int64_t rowBytes = BitmapRowBytes(width, bitsPixel);
  if (rowBytes < 0 || rowBytes > kMaxBitmapBytes / height) return nullptr;
  const size_t bytes = static_cast<size_t>(rowBytes * height);
  std::unique_ptr<uint8_t[]> memory(new (std::nothrow) uint8_t[bytes]);
  if (memory == nullptr) return nullptr;
  std::memset(memory.get(), 0, bytes);
  std::unique_ptr<BitmapObject> bitmap(new BitmapObject);
  bitmap->memory_ = std::move(memory);
  bitmap->description_ = {0,
                          width,
                          height,
                          static_cast<int32_t>(rowBytes),
                          1,
                          static_cast<int16_t>(bitsPixel),
                          bitmap->memory_.get()};
  return bitmap;
}

bool DibBitmap::Create(int width, int height) {
  return Attach(BitmapObject::Allocate(width, height, 32));
}

bool DibBitmap::Attach(BitmapHandle handle) {
  Adopt(std::move(handle));
  return pixels_ != nullptr;
}

BitmapHandle DibBitmap::Release() {
  BitmapHandle handle = std::move(handle_);
  Adopt(nullptr);
  return handle;
}

void DibBitmap::Reset() { Adopt(nullptr); }

void DibBitmap::Adopt(BitmapHandle handle) {
  handle_ = std::move(handle);
  description_ = handle_ ? handle_->description() : BitmapDescription{};
  pixels_ = description_.bits;
  width_ = description_.width;
  height_ = description_.height;
}

uint32_t* DibBitmap::At(int x, int y) const {
  if (pixels_ == nullptr || description_.bitsPixel != 32) return nullptr;
  x = Wrap(x, width_);
  y = Wrap(y, height_);
  return reinterpret_cast<uint32_t*>(pixels_ + static_cast<size_t>(y) * description_.widthBytes) +
         x;
}

uint32_t DibBitmap::GetPixel(int x, int y) const {
  const uint32_t* p = At(x, y);
  return p ? *p : 0;
}

void DibBitmap::SetPixel(int x, int y, uint32_t value) {
  if (uint32_t* p = At(x, y)) *p = value;
}

void DibBitmap::Fill(uint32_t value) {
  if (At(0, 0) == nullptr) return;
  auto* p = reinterpret_cast<uint32_t*>(pixels_);
  std::fill(p, p + static_cast<size_t>(width_) * height_, value);
}

void DibBitmap::SetOpaque() {
  if (At(0, 0) == nullptr) return;
  const size_t count = static_cast<size_t>(width_) * height_;
  for (size_t i = 0; i < count; ++i) pixels_[i * 4 + 3] = 255;
}

void DibBitmap::ScaleColour(float factor) {
  if (At(0, 0) == nullptr) return;
  const size_t count = static_cast<size_t>(width_) * height_;
  for (size_t i = 0; i < count; ++i) {
    for (int c = 0; c < 3; ++c) {
      uint8_t& byte = pixels_[i * 4 + c];
      const float scaled = byte * factor;
      byte = scaled >= 255.0f ? 255 : scaled > 0.0f ? static_cast<uint8_t>(scaled) : 0;
    }
  }
}

void DibBitmap::CopyPixel(int x, int y, const DibBitmap& source) {
  if (uint32_t* p = At(x, y)) *p = source.GetPixel(x, y);
}

void DibBitmap::FillRect(const PixelRect& rect, uint32_t value) {
  if (At(0, 0) == nullptr) return;
  for (int i = rect.top; i < rect.bottom; ++i) {
    uint32_t* row = At(0, height_ - 1 - i);
    for (int j = rect.left; j < rect.right; ++j) row[Wrap(j, width_)] = value;
  }
}

}  // namespace render
