// A block of 8-bit text lines drawn over a blended rectangle with an optional
// frame (the HUD). Lines are kept one after another, each with its NUL, in a
// buffer of kCapacity bytes.
#pragma once

#include <array>
#include <string_view>

#include "render/bitmap_font.h"
#include "render/pixel_rect.h"

namespace render {

class TextBox {
 public:
  static constexpr int kCapacity = 2048;

  void Clear();
  // Adds `text` up to its first NUL byte. False, with nothing added, when the
  // line and its terminator do not fit into what is left of the buffer.
  bool AddLine(std::string_view text);
  // Set R, G, B; alpha stays.
  void SetTextColour(float r, float g, float b);
  void SetFrameColour(float r, float g, float b);
  void SetShowFrame(bool show) { showFrame = show; }

  // The widest line in pixels, by the font's advance widths.
  int TextWidth(const BitmapFont& font) const;
  // Draws with the top-left corner at pixel (x, y) of the viewport and
  // returns the rectangle covered: text width + 2 average widths wide,
  // (lines + 1) x line height tall. Texturing is off while drawing and
  // restored afterwards.
  PixelRect Draw(int x, int y, const BitmapFont& font) const;

  int lineCount() const { return lineCount_; }
  int usedBytes() const { return usedBytes_; }
  int longestLine() const { return longestLine_; }
  // Line `index` (0-based) without its terminator.
  std::string_view Line(int index) const;

  std::array<float, 4> textColour{0.8f, 0.8f, 0.8f, 0.0f};
  std::array<float, 4> backgroundColour{0.25f, 0.0f, 0.5f, 0.0f};
  std::array<float, 4> frameColour{0.7f, 0.7f, 0.7f, 0.0f};
  bool showFrame = false;

 private:
  std::array<char, kCapacity> lines_{};
  int usedBytes_ = 0;
  int lineCount_ = 0;
  int longestLine_ = 0;
};

}  // namespace render
