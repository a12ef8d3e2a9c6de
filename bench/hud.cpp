#include "bench/hud.h"

#include "render/gl_entry_points.h"
#include "render/textures.h"

namespace bench {

bool CreateHud(Hud& hud, render::TextureSlots& textures) {
  render::CreateEmptyClampedTexture(textures, kHudTextureSize, GL_RGB, GL_RGB,
                                    render::TextureSlots::kHudText);
  glBindTexture(GL_TEXTURE_2D, 0);
  hud.box.SetShowFrame(true);
  hud.box.SetTextColour(1.0f, 1.0f, 1.0f);
  return hud.font.Build(kHudFontFace, kHudFontHeight, false, false);
}

void ReleaseHud(Hud& hud) { hud.font.Destroy(); }

void BuildHud(Hud& hud, const HudFacts& facts, const render::TextureSlots& textures) {
  render::TextBox& box = hud.box;
  box.Clear();
  box.SetTextColour(0.0f, 1.0f, 0.0f);
  box.SetFrameColour(0.0f, 0.0f, 0.0f);
  for (const std::string& line : HudLines(facts)) box.AddLine(line);

  glViewport(0, 0, kHudTextureSize, kHudTextureSize);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  hud.textRect = box.Draw(10, 0, hud.font);
  glBindTexture(GL_TEXTURE_2D, textures.Get(render::TextureSlots::kHudText));
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, kHudTextureSize, kHudTextureSize);
}

void DrawHud(const Hud& hud, const render::TextureSlots& textures, int viewportHeight,
             bool showInfo) {
  if (!showInfo) return;
  render::BeginPixelSpace();
  glDisable(GL_DEPTH_TEST);
  const render::GlEntryPoints& gl = render::Gl();
  if (gl.glActiveTextureARB != nullptr) gl.glActiveTextureARB(GL_TEXTURE0);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, textures.Get(render::TextureSlots::kHudText));
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(1.0f, 1.0f, 1.0f, 0.7f);
  glPushMatrix();
  const int textHeight = hud.textRect.bottom - hud.textRect.top;
  glTranslatef(20.0f, static_cast<float>(viewportHeight - textHeight), 0.0f);
  const float size = static_cast<float>(kHudTextureSize);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(0.0f, 0.0f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(0.0f, size);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(size, size);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(size, 0.0f);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glPopMatrix();
  glEnable(GL_DEPTH_TEST);
  render::EndPixelSpace();
}

}  // namespace bench
