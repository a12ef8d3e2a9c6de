#include "render/text_box.h"

#include <algorithm>
#include <cstring>

namespace render {

void TextBox::Clear() {
  usedBytes_ = 0;
  lineCount_ = 0;
  longestLine_ = 0;
}

bool TextBox::AddLine(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  if (text.size() + 1 > static_cast<size_t>(kCapacity - usedBytes_)) return false;
  std::memcpy(lines_.data() + usedBytes_, text.data(), text.size());
  lines_[usedBytes_ + text.size()] = '\0';
  usedBytes_ += static_cast<int>(text.size()) + 1;
  ++lineCount_;
  longestLine_ = std::max(longestLine_, static_cast<int>(text.size()));
  return true;
}

void TextBox::SetTextColour(float r, float g, float b) {
  textColour[0] = r;
  textColour[1] = g;
  textColour[2] = b;
}

void TextBox::SetFrameColour(float r, float g, float b) {
  frameColour[0] = r;
  frameColour[1] = g;
  frameColour[2] = b;
}

std::string_view TextBox::Line(int index) const {
  int offset = 0;
  for (int i = 0; i < lineCount_; ++i) {
    const std::string_view line(lines_.data() + offset);
    if (i == index) return line;
    offset += static_cast<int>(line.size()) + 1;
  }
  return {};
}

int TextBox::TextWidth(const BitmapFont& font) const {
  int widest = 0;
  int offset = 0;
  for (int i = 0; i < lineCount_; ++i) {
    const std::string_view line(lines_.data() + offset);
    int width = 0;
    for (char c : line) width += font.charWidths[static_cast<unsigned char>(c)];
    widest = std::max(widest, width);
    offset += static_cast<int>(line.size()) + 1;
  }
  return widest;
}

PixelRect TextBox::Draw(int x, int y, const BitmapFont& font) const {
  const int d = font.averageWidth;
  const int h = font.height;
  const PixelRect box{x, y, x + TextWidth(font) + 2 * d, y + h * (lineCount_ + 1)};
  const float left = static_cast<float>(box.left), top = static_cast<float>(box.top);
  const float right = static_cast<float>(box.right), bottom = static_cast<float>(box.bottom);

  const GLboolean texturing = glIsEnabled(GL_TEXTURE_2D);
  glDisable(GL_TEXTURE_2D);
  BeginPixelSpace();
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4fv(backgroundColour.data());
  glBegin(GL_QUADS);
  glVertex2f(left, top);
  glVertex2f(left, bottom);
  glVertex2f(right, bottom);
  glVertex2f(right, top);
  glEnd();
  glDisable(GL_BLEND);
  if (showFrame) {
    glColor4fv(frameColour.data());
    glBegin(GL_LINE_LOOP);
    glVertex2f(left, top);
    glVertex2f(left, bottom);
    glVertex2f(right, bottom);
    glVertex2f(right, top);
    glEnd();
  }
  glColor4fv(textColour.data());
  int offset = 0;
  for (int i = 0; i < lineCount_; ++i) {
    const std::string_view line(lines_.data() + offset);
    glRasterPos2i(x + d, y + h * (i + 1));
    font.DrawString(line);
    offset += static_cast<int>(line.size()) + 1;
  }
  glEnable(GL_DEPTH_TEST);
  EndPixelSpace();
  if (texturing) glEnable(GL_TEXTURE_2D);
  return box;
}

}  // namespace render
