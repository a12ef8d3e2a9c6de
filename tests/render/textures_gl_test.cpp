#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <vector>

#include "platform/fake/recording_message_box.h"
#include "render/gl_entry_points.h"
#include "render/image_decode.h"
#include "render/textures.h"
#include "tests/render/render_test_support.h"
#include "tests/support/gl_table.h"
#include "tests/support/gl_test_context.h"

namespace {

GLint LevelParameter(GLuint texture, int level, GLenum name) {
  GLint value = 0;
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
  return value;
}

GLint Parameter(GLuint texture, GLenum name) {
  GLint value = 0;
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
  return value;
}

class TexturesGLTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ctx_.ok());
    mgtest::LoadGlTable();
  }
  mgtest::GlTestContext ctx_{16, 16};
};

// 24-bit bitmaps become RGB textures, 32-bit ones RGBA, 8-bit ones a texture
// without an image; mip levels exist only when asked for on a driver with
// anisotropic filtering.
TEST_F(TexturesGLTest, FormatAndMipmapsFollowDepthAndAnisotropy) {
  struct Case {
    int bitsPixel;
    bool mipmaps;
    int maxAnisotropy;
    GLint components;  // 0: no image
    bool mipLevels;
  };
  const Case cases[] = {
      {24, true, 16, 3, true},   {32, true, 16, 4, true}, {24, true, 0, 3, false},
      {32, false, 16, 4, false}, {8, true, 16, 0, false}, {8, false, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.bitsPixel << " bits, mip " << c.mipmaps << ", aniso " << c.maxAnisotropy);
    GLuint name = 0;
    ASSERT_TRUE(render::CreateTextureFromBitmap(
        name, rendertest::SolidBitmap(8, 4, c.bitsPixel, 0x80), c.mipmaps, c.maxAnisotropy));
    ASSERT_NE(name, 0u);
    EXPECT_EQ(LevelParameter(name, 0, GL_TEXTURE_WIDTH), c.components ? 8 : 0);
    if (c.components != 0) {
      EXPECT_EQ(LevelParameter(name, 0, GL_TEXTURE_INTERNAL_FORMAT), c.components);
      EXPECT_EQ(LevelParameter(name, 0, GL_TEXTURE_ALPHA_SIZE), c.components == 4 ? 8 : 0);
    }
    EXPECT_EQ(LevelParameter(name, 1, GL_TEXTURE_WIDTH) != 0, c.mipLevels);
    const bool anisotropic = c.mipmaps && c.maxAnisotropy != 0;
    EXPECT_EQ(Parameter(name, GL_TEXTURE_MIN_FILTER),
              anisotropic ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    EXPECT_EQ(Parameter(name, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    GLfloat anisotropy = 0;
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
    EXPECT_EQ(anisotropy, anisotropic ? c.maxAnisotropy : 1.0f);
    glDeleteTextures(1, &name);
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// --anisotropy 1 gives trilinear filtering without anisotropy; without the
// option a texture gets the driver's maximum.
TEST_F(TexturesGLTest, TheRunsAnisotropyReachesTheTexturesFilter) {
  GLint driverMaximum = 0;
  glGetIntegerv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &driverMaximum);
  ASSERT_GT(driverMaximum, 1) << "llvmpipe offers anisotropic filtering";
  for (const std::optional<int> asked : {std::optional<int>(1), std::optional<int>()}) {
    const int chosen = render::ChooseAnisotropy(driverMaximum, asked, nullptr);
    GLuint name = 0;
    ASSERT_TRUE(render::CreateTextureFromBitmap(name, rendertest::SolidBitmap(8, 8, 24, 0x40), true,
                                                chosen));
    GLfloat anisotropy = 0;
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &anisotropy);
    EXPECT_EQ(anisotropy, asked ? 1.0f : static_cast<GLfloat>(driverMaximum));
    EXPECT_EQ(Parameter(name, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_LINEAR);
    glDeleteTextures(1, &name);
  }
}

TEST_F(TexturesGLTest, ReplacesTheOldTextureAndRefusesANullBitmap) {
  GLuint name = 0;
  render::CreateTextureFromBitmap(name, rendertest::SolidBitmap(2, 2, 32, 1), false, 0);
  const GLuint first = name;
  EXPECT_FALSE(render::CreateTextureFromBitmap(name, nullptr, false, 0));
  EXPECT_EQ(name, first);
  EXPECT_TRUE(glIsTexture(first));
  render::CreateTextureFromBitmap(name, rendertest::SolidBitmap(2, 2, 32, 1), false, 0);
  EXPECT_FALSE(glIsTexture(first) && first != name) << "the old texture is deleted";
  glDeleteTextures(1, &name);
}

// The table owns its textures: a slot given a new texture deletes its old
// one, ReleaseAll deletes each held texture once, and the destructor leaves
// GL alone.
TEST_F(TexturesGLTest, TextureSlotsDeleteEachTextureOnce) {
  using render::TextureSlots;
  const auto solid = [] { return rendertest::SolidBitmap(2, 2, 32, 1); };
  GLuint survivor = 0;
  {
    TextureSlots slots;
    ASSERT_TRUE(
        render::CreateTextureInSlot(slots, TextureSlots::kTerrainColourMap, solid(), false));
    const GLuint old = slots.Get(TextureSlots::kTerrainColourMap);
    ASSERT_TRUE(glIsTexture(old));
    ASSERT_TRUE(
        render::CreateTextureInSlot(slots, TextureSlots::kTerrainColourMap, solid(), false));
    EXPECT_NE(slots.Get(TextureSlots::kTerrainColourMap), old);
    EXPECT_FALSE(glIsTexture(old)) << "the replaced texture is deleted";
    EXPECT_TRUE(glIsTexture(slots.Get(TextureSlots::kTerrainColourMap)));
    const GLuint kept = slots.Get(TextureSlots::kTerrainColourMap);
    EXPECT_TRUE(slots.Replace(TextureSlots::kTerrainColourMap, kept));
    EXPECT_TRUE(glIsTexture(kept)) << "putting the same texture back keeps it";

    EXPECT_FALSE(render::CreateTextureInSlot(slots, TextureSlots::kCount, solid(), false));
    EXPECT_FALSE(render::CreateTextureInSlot(slots, -1, solid(), false));
    EXPECT_EQ(slots.Get(TextureSlots::kCount), 0u);

    const int used[] = {TextureSlots::kWaterReflection, TextureSlots::SkyFace(5),
                        TextureSlots::CausticFrame(31), TextureSlots::kTerrainRegionMask,
                        TextureSlots::kCount - 1};
    for (int slot : used) ASSERT_TRUE(render::CreateTextureInSlot(slots, slot, solid(), false));
    std::vector<GLuint> held = {kept};
    for (int slot : used) held.push_back(slots.Get(slot));
    slots.ReleaseAll();
    for (GLuint name : held) EXPECT_FALSE(glIsTexture(name)) << name;
    for (int slot : used) EXPECT_EQ(slots.Get(slot), 0u);

    // A texture made afterwards may reuse a freed name; a second ReleaseAll
    // must not delete it again.
    render::CreateTextureFromBitmap(survivor, solid(), false, 0);
    slots.ReleaseAll();
    EXPECT_TRUE(glIsTexture(survivor));

    ASSERT_TRUE(render::CreateTextureInSlot(slots, 7, solid(), false));
    survivor = slots.Get(7);
  }
  EXPECT_TRUE(glIsTexture(survivor)) << "the destructor makes no GL call";
  glDeleteTextures(1, &survivor);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TexturesGLTest, EmptyTextures) {
  render::TextureSlots table;
  EXPECT_TRUE(render::CreateEmptyClampedTexture(table, 32, 3, GL_RGB, 2));
  EXPECT_EQ(LevelParameter(table.Get(2), 0, GL_TEXTURE_WIDTH), 32);
  EXPECT_EQ(Parameter(table.Get(2), GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
  EXPECT_EQ(Parameter(table.Get(2), GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
  EXPECT_FALSE(render::CreateEmptyClampedTexture(table, 32, 3, GL_RGB, 1000));
  EXPECT_FALSE(render::CreateEmptyClampedTexture(table, 32, 3, GL_RGB, -1));
  table.ReleaseAll();

  GLuint menu = 0;
  ASSERT_TRUE(render::CreateEmptyTexture2D(menu, 40, 20, GL_RGBA, GL_RGBA));
  const GLuint first = menu;
  ASSERT_TRUE(render::CreateEmptyTexture2D(menu, 80, 20, GL_RGBA, GL_RGBA));
  EXPECT_EQ(LevelParameter(menu, 0, GL_TEXTURE_WIDTH), 80);
  EXPECT_FALSE(glIsTexture(first) && first != menu);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The menu canvas goes up byte for byte: its B, G, R, A bytes land in the
// texture's R, G, B, A. A canvas smaller than the texture is refused.
TEST_F(TexturesGLTest, UploadBitmapTakesTheBytesAsTheyLie) {
  render::DibBitmap canvas;
  canvas.Create(4, 4);
  canvas.Fill(0x80C04020);  // bytes 20 40 C0 80
  GLuint texture = 0;
  render::CreateEmptyTexture2D(texture, 4, 4, GL_RGBA, GL_RGBA);
  ASSERT_TRUE(render::UploadBitmapToTexture(canvas, texture, 4, 4));
  std::array<uint8_t, 64> texels{};
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  EXPECT_EQ(texels[0], 0x20);
  EXPECT_EQ(texels[2], 0xC0);
  EXPECT_EQ(texels[3], 0x80);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(render::UploadBitmapToTexture(canvas, texture, 8, 8));
  EXPECT_FALSE(render::UploadBitmapToTexture(render::DibBitmap{}, texture, 4, 4));
}

// Stand-in caustic frames: frames are flipped on decoding, a broken frame
// stops the sequence with "Mem-Bitmap-Errr", and files are unscrambled on the
// first load only.
TEST_F(TexturesGLTest, CausticSequence) {
  std::vector<uint8_t> frame = rendertest::EncodePng(4, 2, 3, rendertest::TestPixels(4, 2, 3));
  std::vector<std::vector<uint8_t>> stored = {frame, frame, std::vector<uint8_t>(50, 7), frame};
  std::vector<int32_t> lengths;
  std::vector<render::EmbeddedFile> files;
  for (auto& bytes : stored) {
    render::Unscramble(bytes.data(), static_cast<int32_t>(bytes.size()), 128);  // store scrambled
    bytes.push_back(0);
    lengths.push_back(static_cast<int32_t>(bytes.size()) - 1);
  }
  for (size_t i = 0; i < stored.size(); ++i) files.emplace_back(stored[i].data(), &lengths[i]);
  std::vector<render::EmbeddedFile*> pointers;
  for (auto& f : files) pointers.push_back(&f);

  render::TextureSlots table;
  render::CausticSequence caustics{pointers};
  platform::fake::RecordingMessageBox boxes;
  EXPECT_EQ(render::LoadCausticSequence(caustics, table, 5), 2);
  EXPECT_NE(table.Get(5), 0u);
  EXPECT_NE(table.Get(6), 0u);
  EXPECT_EQ(table.Get(7), 0u);
  EXPECT_EQ(table.Get(8), 0u) << "frames after the broken one stay unloaded";
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text, u"Mem-Bitmap-Errr");
  EXPECT_EQ(boxes.boxes()[0].caption, u"");

  std::array<uint8_t, 4 * 2 * 4> texels{};
  glBindTexture(GL_TEXTURE_2D, table.Get(5));
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  EXPECT_EQ(texels[1], 0) << "texel row 0 holds the image's top row (G = 0)";
  EXPECT_EQ(texels[4 * 4 + 1], 16);

  const std::vector<uint8_t> plainFirst = stored[0];
  EXPECT_EQ(render::LoadCausticSequence(caustics, table, 5), 2);
  EXPECT_EQ(stored[0], plainFirst) << "not unscrambled a second time";
  EXPECT_EQ(std::vector<uint8_t>(stored[0].begin(), stored[0].begin() + 4),
            (std::vector<uint8_t>{0x89, 'P', 'N', 'G'}));
  table.ReleaseAll();
}

}  // namespace
