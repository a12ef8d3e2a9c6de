#include "gui/menu_texture.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include "render/gl_entry_points.h"

namespace gui {
namespace {

void SelectUnit0() {
  const render::GlEntryPoints& gl = render::Gl();
  if (gl.glActiveTextureARB != nullptr) gl.glActiveTextureARB(GL_TEXTURE0);
}

}  // namespace

void UploadMenuCanvas(MenuOverlay& menu) {
  platform::Canvas& canvas = *menu.canvas;
  const uint32_t* pixels = canvas.Pixels();
  if (pixels == nullptr) return;
  SelectUnit0();
  const bool resized = menu.textureWidth != canvas.width() || menu.textureHeight != canvas.height();
  if (menu.texture == 0) glGenTextures(1, &menu.texture);
  glBindTexture(GL_TEXTURE_2D, menu.texture);
  if (resized) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, canvas.width(), canvas.height(), 0, GL_BGRA,
                 GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
    menu.textureWidth = canvas.width();
    menu.textureHeight = canvas.height();
  }
  glPixelStorei(GL_UNPACK_ROW_LENGTH, canvas.stride());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, canvas.width(), canvas.height(), GL_BGRA,
                  GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

void DrawMenuTexture(MenuOverlay& menu, int viewportWidth, int viewportHeight) {
  if (menu.texture == 0) return;
  PlaceOverlay(menu, viewportWidth, viewportHeight);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, viewportWidth, viewportHeight, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
  glDisable(GL_DEPTH_TEST);
  SelectUnit0();
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, menu.texture);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glColor4f(1.0f, 1.0f, 1.0f, 0.8f);
  // The canvas rows are stored top first: t = 0 is the top edge.
  const float left = static_cast<float>(menu.originX);
  const float top = static_cast<float>(menu.originY);
  const float right = left + static_cast<float>(menu.textureWidth);
  const float bottom = top + static_cast<float>(menu.textureHeight);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(left, top);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(left, bottom);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(right, bottom);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(right, top);
  glEnd();
  glPopAttrib();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void DeleteMenuTexture(MenuOverlay& menu) {
  if (menu.texture != 0) glDeleteTextures(1, &menu.texture);
  menu.texture = 0;
  menu.textureWidth = 0;
  menu.textureHeight = 0;
}

}  // namespace gui
