#include "render/bitmap_font.h"

#include <GL/glu.h>

#include "platform/font_lookup.h"
#include "platform/message_box.h"
#include "platform/text_codec.h"

namespace render {

bool BitmapFont::Build(std::string_view faceName, int size, bool italic, bool bold) {
  const platform::FontRequest font = FontRequestFor(faceName, bold, italic);
  const std::string file = platform::FindFontFile(font);
  RasterFont raster;
  std::string error = "the font " + std::string(font.family) + " is not installed";
  if (file.empty() || !RasteriseFont(file, size, raster, error)) {
    platform::ShowMessageBox(platform::AnsiToUtf16("The HUD font cannot be loaded: " + error),
                             u"Error");
    return false;
  }
  return BuildFromRaster(raster);
}

bool BitmapFont::BuildFromRaster(const RasterFont& raster) {
  const GLuint base = glGenLists(256);
  if (base == 0) return false;
  Destroy();
  listBase = base;
  GLint oldAlignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &oldAlignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  // A blank glyph (the space) is a bitmap of no pixels that only moves the
  // pen; it still names a byte, as some GL front ends skip a null bitmap
  // whole, its move included.
  const GLubyte blank = 0;
  for (int code = 0; code < 256; ++code) {
    const GlyphImage& g = raster.glyphs[code];
    glNewList(listBase + code, GL_COMPILE);
    glBitmap(g.width, g.height, g.originX, g.originY, static_cast<GLfloat>(g.advance), 0,
             g.rows.empty() ? &blank : g.rows.data());
    glEndList();
    charWidths[code] = g.advance;
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, oldAlignment);
  height = raster.height;
  averageWidth = raster.averageWidth;
  maxWidth = raster.maxWidth;
  return true;
}

void BitmapFont::Destroy() {
  if (listBase != 0) glDeleteLists(listBase, 256);
  *this = BitmapFont{};
}

int BitmapFont::DrawString(std::string_view text) const {
  text = text.substr(0, text.find('\0'));
  glPushAttrib(GL_LIST_BIT);
  glListBase(listBase);
  glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
  glPopAttrib();
  return static_cast<int>(text.size());
}

void BeginPixelSpace() {
  GLint viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, viewport);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(0, viewport[2], viewport[3], 0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void EndPixelSpace() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

}  // namespace render
