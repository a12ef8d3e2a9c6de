#include "platform/fake/recording_canvas.h"

namespace platform::fake {

using Kind = CanvasCall::Kind;

RecordingCanvas::RecordingCanvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, 0) {}

void RecordingCanvas::Clear(Color color) {
  calls.push_back({Kind::Clear, {0, 0, width_, height_}, color, {}, {}, {}});
}

void RecordingCanvas::FillRect(const Rect& box, Color color) {
  calls.push_back({Kind::Fill, box, color, {}, {}, {}});
}

void RecordingCanvas::OutlineRect(const Rect& box, Color color) {
  calls.push_back({Kind::Outline, box, color, {}, {}, {}});
}

void RecordingCanvas::Line(int x0, int y0, int x1, int y1, Color color) {
  calls.push_back({Kind::Line, {x0, y0, x1, y1}, color, {}, {}, {}});
}

void RecordingCanvas::DrawText(const Rect& box, std::u16string_view text, const CanvasFont& font,
                               Color color, TextFlow flow) {
  calls.push_back({Kind::Text, box, color, std::u16string(text), font, flow});
}

void RecordingCanvas::DrawTextAt(const Rect& box, int x, std::u16string_view text,
                                 const CanvasFont& font, Color color) {
  calls.push_back({Kind::Text, box, color, std::u16string(text), font, TextFlow::CentredLine, x});
}

TextSize RecordingCanvas::MeasureText(std::u16string_view text, const CanvasFont& font) {
  return {static_cast<int>(text.size()) * font.pixelSize * 10 / 12, font.pixelSize};
}

}  // namespace platform::fake
