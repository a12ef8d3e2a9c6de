// A canvas that records every drawing call with its box and colour, for
// tests of what the menu draws. Each UTF-16 unit of a measured text is 10/12
// of the font's pixel size wide, so layouts are predictable.
#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"

namespace platform::fake {

struct CanvasCall {
  enum class Kind { Clear, Fill, Outline, Line, Text };
  Kind kind = Kind::Clear;
  Rect box;  // for a line: left, top = first end; right, bottom = second end
  Color color;
  std::u16string text;
  CanvasFont font;
  TextFlow flow = TextFlow::CentredLine;
  int x = 0;  // DrawTextAt: where the line starts
};

class RecordingCanvas final : public Canvas {
 public:
  RecordingCanvas(int width, int height);

  int width() const override { return width_; }
  int height() const override { return height_; }
  void Clear(Color color) override;
  void FillRect(const Rect& box, Color color) override;
  void OutlineRect(const Rect& box, Color color) override;
  void Line(int x0, int y0, int x1, int y1, Color color) override;
  void DrawText(const Rect& box, std::u16string_view text, const CanvasFont& font, Color color,
                TextFlow flow) override;
  void DrawTextAt(const Rect& box, int x, std::u16string_view text, const CanvasFont& font,
                  Color color) override;
  TextSize MeasureText(std::u16string_view text, const CanvasFont& font) override;
  const uint32_t* Pixels() override { return pixels_.data(); }
  int stride() const override { return width_; }

  std::vector<CanvasCall> calls;

 private:
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
};

}  // namespace platform::fake
