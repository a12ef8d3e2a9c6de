// A 2D drawing surface of W x H 32-bit pixels: the menu overlay paints into
// it and uploads its pixels into a texture.
//
// Colours are given as they appear on screen. Rectangles use the window
// convention: left and top inclusive, right and bottom exclusive. Text is
// UTF-16; shaping, right-to-left order and font fallback are the
// implementation's (platform/sdl/canvas_cairo.h draws with Pango and Cairo;
// platform/fake/recording_canvas.h records the calls for tests).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/win32_names.h"
#include "platform/window.h"

namespace platform {

struct Color {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Color&) const = default;
};

struct CanvasFont {
  // Family list, first choice first. The default names both families the
  // program ships with, so pictures do not change with other installed fonts.
  std::string families = "DejaVu Sans, WenQuanYi Micro Hei";
  int pixelSize = 12;  // character height in pixels
  int weight = 400;    // 400 normal, 700 bold
  bool italic = false;
  bool operator==(const CanvasFont&) const = default;
};

enum class TextFlow {
  CentredLine,   // one line, centred both ways; shrunk until it fits the width
  WrappedBlock,  // words wrapped at the box width, lines centred; shrunk
                 // until the block fits the height
};

struct TextSize {
  int width = 0;
  int height = 0;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual int width() const = 0;
  virtual int height() const = 0;

  virtual void Clear(Color color) = 0;
  virtual void FillRect(const Rect& box, Color color) = 0;
  // One-pixel lines along the box's inner edges (four FillRect calls unless
  // an implementation knows better).
  virtual void OutlineRect(const Rect& box, Color color);
  // A one-pixel line from (x0, y0) to (x1, y1), both ends included.
  virtual void Line(int x0, int y0, int x1, int y1, Color color) = 0;
  // Text inside the box; it never draws outside it.
  virtual void DrawText(const Rect& box, std::u16string_view text, const CanvasFont& font,
                        Color color, TextFlow flow) = 0;
  // One line of text at its font size, its left edge at x, centred
  // vertically in the box and cut at the box's edges (a scrolling line).
  virtual void DrawTextAt(const Rect& box, int x, std::u16string_view text, const CanvasFont& font,
                          Color color) = 0;
  // The size of the text laid out on one line.
  virtual TextSize MeasureText(std::u16string_view text, const CanvasFont& font) = 0;

  // Pixels after all drawing so far, rows top first, stride() pixels apart;
  // each pixel is 0xAARRGGBB as a native 32-bit value (GL_BGRA with
  // GL_UNSIGNED_INT_8_8_8_8_REV).
  virtual const uint32_t* Pixels() = 0;
  virtual int stride() const = 0;
};

}  // namespace platform
