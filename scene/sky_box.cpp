#include "scene/sky_box.h"

#include <GL/gl.h>

#include "embedded/sky.h"
#include "render/gl_entry_points.h"
#include "render/image_decode.h"
#include "render/textures.h"
#include "scene/terrain.h"

namespace scene {
namespace {

void SelectUnit0() {
  if (render::Gl().glActiveTextureARB != nullptr) render::Gl().glActiveTextureARB(GL_TEXTURE0);
}

struct Corner {
  float s, t;
  float x, y, z;
};

void Face(GLuint texture, const Corner (&corners)[4]) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glBegin(GL_QUADS);
  for (const Corner& c : corners) {
    glTexCoord2f(c.s, c.t);
    glVertex3f(c.x, c.y, c.z);
  }
  glEnd();
}

}  // namespace

void DrawSkyBox(render::ShaderProgram& simpleProgram, const render::TextureSlots& textures,
                float globalGamma, float cx, float cy, float cz, float width, float height,
                float depth) {
  const float x0 = cx - width / 2, x1 = x0 + width;
  const float y0 = cy - height / 2, y1 = y0 + height;
  const float z0 = cz - depth / 2, z1 = z0 + depth;
  EnableSceneLighting();
  simpleProgram.Bind();
  if (simpleProgram.complete()) {
    simpleProgram.SetUniformFloat("m_gama", 0.6f * globalGamma);
    simpleProgram.SetUniformInt("base_tex", 0);
  }
  SelectUnit0();
  glEnable(GL_TEXTURE_2D);
  using render::TextureSlots;
  Face(textures.Get(TextureSlots::SkyFace(0)),
       {{1, 0, x1, y0, z0}, {1, 1, x1, y1, z0}, {0, 1, x0, y1, z0}, {0, 0, x0, y0, z0}});
  Face(textures.Get(TextureSlots::SkyFace(1)),
       {{1, 0, x0, y0, z1}, {1, 1, x0, y1, z1}, {0, 1, x1, y1, z1}, {0, 0, x1, y0, z1}});
  Face(textures.Get(TextureSlots::SkyFace(2)),
       {{1, 0, x0, y0, z0}, {1, 1, x0, y0, z1}, {0, 1, x1, y0, z1}, {0, 0, x1, y0, z0}});
  Face(textures.Get(TextureSlots::SkyFace(3)),
       {{0, 1, x1, y1, z0}, {0, 0, x1, y1, z1}, {1, 0, x0, y1, z1}, {1, 1, x0, y1, z0}});
  Face(textures.Get(TextureSlots::SkyFace(4)),
       {{1, 1, x0, y1, z0}, {0, 1, x0, y1, z1}, {0, 0, x0, y0, z1}, {1, 0, x0, y0, z0}});
  Face(textures.Get(TextureSlots::SkyFace(5)),
       {{0, 0, x1, y0, z0}, {1, 0, x1, y0, z1}, {1, 1, x1, y1, z1}, {0, 1, x1, y1, z0}});
  SelectUnit0();
  glDisable(GL_TEXTURE_2D);
  simpleProgram.Unbind();
  DisableSceneLighting();
}

bool BuildSimpleProgram(render::ShaderProgram& program) {
  const std::span<uint8_t> text = embedded::simple_shader.Unscrambled();
  if (text.empty()) return false;
  // The text ends with a spare line: its last byte becomes the terminator.
  text.back() = 0;
  render::BuildCombinedProgram(program, reinterpret_cast<const char*>(text.data()),
                               "Failed to load Simple Shader!\n");
  return program.complete();
}

void LoadSkyFaces(render::TextureSlots& textures) {
  render::EmbeddedFile* const faces[render::TextureSlots::kSkyFaceCount] = {
      &embedded::sky_neg_z, &embedded::sky_pos_z, &embedded::sky_neg_y,
      &embedded::sky_pos_y, &embedded::sky_neg_x, &embedded::sky_pos_x};
  for (int face = 0; face < render::TextureSlots::kSkyFaceCount; ++face) {
    render::DibBitmap bitmap;
    const std::span<uint8_t> bytes = faces[face]->Unscrambled();
    render::DecodeImage(bitmap, bytes.data(), static_cast<int32_t>(bytes.size()), false);
    render::CreateTextureInSlot(textures, render::TextureSlots::SkyFace(face), bitmap.Release(),
                                false);
  }
}

}  // namespace scene
