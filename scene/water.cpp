#include "scene/water.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>

#include "embedded/caustics.h"
#include "embedded/water.h"
#include "render/gl_entry_points.h"
#include "render/image_decode.h"
#include "render/textures.h"

namespace scene {
namespace {

constexpr int kWaterUnits = 5;

render::BitmapHandle DecodeEmbedded(render::EmbeddedFile& file) {
  render::DibBitmap bitmap;
  const std::span<uint8_t> bytes = file.Unscrambled();
  render::DecodeImage(bitmap, bytes.data(), static_cast<int32_t>(bytes.size()), false);
  return bitmap.Release();
}

void SetUniform1i(const render::ShaderProgram& program, const char* name, int value) {
  const GLint location = program.UniformLocation(name);
  if (location >= 0) render::Gl().glUniform1iARB(location, value);
}

void SetUniform4f(const render::ShaderProgram& program, const char* name, float x, float y, float z,
                  float w) {
  const GLint location = program.UniformLocation(name);
  if (location >= 0) render::Gl().glUniform4fARB(location, x, y, z, w);
}

void TexCoords(float s0, float t0, float s1, float t1, float s2, float t2) {
  render::GlEntryPoints& gl = render::Gl();
  gl.glMultiTexCoord2fARB(GL_TEXTURE0, s0, t0);
  gl.glMultiTexCoord2fARB(GL_TEXTURE1, s1, t1);
  gl.glMultiTexCoord2fARB(GL_TEXTURE2, s2, t2);
  gl.glMultiTexCoord2fARB(GL_TEXTURE3, 0.0f, 0.0f);
  gl.glMultiTexCoord2fARB(GL_TEXTURE4, 0.0f, 0.0f);
}

}  // namespace

void DrawWaterQuad(WaterAnimation& animation, const WaterSurfaceState& state) {
  const float before = animation.waterScroll;
  animation.waterScroll = AdvanceScroll(before, state.frameTimeMs, kWaterScrollPerMs);
  const float o = animation.waterScroll;
  const float r = kWaterTextureRepeat;
  const float k = state.waveParameter;
  const float h = state.waterHeight;
  const float e = kWaterHalfSize;
  glBegin(GL_QUADS);
  TexCoords(0.0f, r, 0.0f, r - o, 0.0f, r * k + k * before);
  glVertex3f(-e, h, -e);
  TexCoords(0.0f, 0.0f, 0.0f, -o, 0.0f, k * before);
  glVertex3f(-e, h, e);
  TexCoords(r, 0.0f, r, -o, r * k, k * before);
  glVertex3f(e, h, e);
  TexCoords(r, r, r, r - o, r * k, r * k + k * before);
  glVertex3f(e, h, -e);
  glEnd();
}

void DrawWaterSurface(render::ShaderProgram& program, const render::TextureSlots& textures,
                      WaterAnimation& animation, const WaterSurfaceState& state) {
  render::GlEntryPoints& gl = render::Gl();
  if (gl.glActiveTextureARB == nullptr || gl.glMultiTexCoord2fARB == nullptr) return;
  using render::TextureSlots;
  // Units 1 and 4 have no texture of their own: their slots stay empty.
  const GLuint unitTextures[kWaterUnits] = {textures.Get(TextureSlots::kWaterReflection),
                                            textures.Get(1),
                                            textures.Get(TextureSlots::kWaterOverlayMap),
                                            textures.Get(TextureSlots::kWaterMap), textures.Get(4)};
  for (int unit = 0; unit < kWaterUnits; ++unit) {
    gl.glActiveTextureARB(GL_TEXTURE0 + unit);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, unitTextures[unit]);
  }
  if (program.complete() && gl.glUniform1iARB != nullptr && gl.glUniform4fARB != nullptr) {
    SetUniform1i(program, "reflection", 0);
    SetUniform1i(program, "refraction", 1);
    SetUniform1i(program, "normalMap", 2);
    SetUniform1i(program, "dudvMap", 3);
    SetUniform1i(program, "depthMap", 4);
    SetUniform4f(program, "waterColor", 0.1f, 0.2f, 0.4f, 1.0f);
    SetUniform4f(program, "lightPos", 270000.0f, 5000.0f, -270500.0f, 1.0f);
    program.SetUniformFloat("m_gama", 1.0f);
    const CVector3& eye = state.cameraPosition;
    SetUniform4f(program, "cameraPos", eye.x, eye.y, eye.z, 1.0f);
    SetUniform4f(program, "water_alha", 0.1f, 0.2f, 0.4f, WaterAlpha(eye.y, state.waterHeight));
  }
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  DrawWaterQuad(animation, state);
  glDisable(GL_BLEND);
  for (int unit = 0; unit < kWaterUnits; ++unit) {
    gl.glActiveTextureARB(GL_TEXTURE0 + unit);
    glDisable(GL_TEXTURE_2D);
  }
}

bool BuildWaterProgram(render::ShaderProgram& program) {
  const std::span<uint8_t> vertex = embedded::water_vertex_shader.Unscrambled();
  const std::span<uint8_t> fragment = embedded::water_fragment_shader.Unscrambled();
  // Each embedded file keeps a spare byte after its length for the
  // terminator the build writes there.
  program.LoadFromSeparateTexts(
      reinterpret_cast<char*>(vertex.data()), static_cast<int>(vertex.size()),
      reinterpret_cast<char*>(fragment.data()), static_cast<int>(fragment.size()));
  return program.complete();
}

void LoadWaterMaps(render::TextureSlots& textures) {
  using render::TextureSlots;
  render::CreateTextureInSlot(textures, TextureSlots::kWaterMap,
                              DecodeEmbedded(embedded::water_dudv_map), false);
  render::CreateTextureInSlot(textures, TextureSlots::kWaterOverlayMap,
                              DecodeEmbedded(embedded::water_normal_map), true);
}

std::span<render::EmbeddedFile* const> CausticFrameFiles() {
  // Addresses of the generated files, in frame order; a constant table.
  static const std::array<render::EmbeddedFile*, kCausticFrameCount> files = [] {
    std::array<render::EmbeddedFile*, kCausticFrameCount> table{};
    const auto named = embedded::caustics_files();
    for (size_t i = 0; i < table.size() && i < named.size(); ++i) table[i] = named[i].file;
    return table;
  }();
  return std::span(files).first(std::min(files.size(), embedded::caustics_files().size()));
}

}  // namespace scene
