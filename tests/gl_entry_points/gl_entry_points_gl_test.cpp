#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/fake/recording_message_box.h"
#include "render/gl_entry_points.h"
#include "tests/support/gl_test_context.h"

namespace {

using platform::fake::RecordingMessageBox;

// A lookup that finds nothing but records what was asked for.
struct RecordingLookup {
  std::set<std::string> asked;
  render::GlLookup Lookup() {
    return [this](const char* name) -> void* {
      asked.insert(name);
      return nullptr;
    };
  }
};

TEST(GlEntryPointsTest, ShaderExtensionCheckReportsTheFirstMissingOne) {
  const struct {
    const char* extensions;
    bool ok;
    const char16_t* message;
  } cases[] = {
      {"GL_ARB_multitexture GL_ARB_shading_language_100", false,
       u"GL_ARB_shader_objects extension not supported!"},
      {"GL_ARB_shader_objects GL_ARB_multitexture", false,
       u"GL_ARB_shading_language_100 extension not supported!"},
      {"", false, u"GL_ARB_shader_objects extension not supported!"},
      // A plain substring search: a longer name that contains it passes.
      {"GL_ARB_shader_objects_extended GL_ARB_shading_language_100x", true, nullptr},
  };
  for (const auto& c : cases) {
    RecordingMessageBox boxes;
    RecordingLookup lookup;
    render::GlEntryPoints gl;
    EXPECT_EQ(render::CheckShaderExtensions(gl, lookup.Lookup(), c.extensions), c.ok)
        << c.extensions;
    if (c.ok) {
      EXPECT_TRUE(boxes.boxes().empty());
      EXPECT_TRUE(lookup.asked.count("glCreateShaderObjectARB"));
      EXPECT_TRUE(lookup.asked.count("glUniform3fvARB"));
    } else {
      ASSERT_EQ(boxes.boxes().size(), 1u) << c.extensions;
      EXPECT_EQ(boxes.boxes()[0].text, c.message);
      EXPECT_EQ(boxes.boxes()[0].caption, u"Error");
      EXPECT_TRUE(lookup.asked.empty()) << "nothing is looked up after a failed check";
    }
  }
}

TEST(GlEntryPointsTest, MissingMultitextureIsReported) {
  RecordingMessageBox boxes;
  render::GlEntryPoints gl;
  RecordingLookup lookup;
  render::LoadMultitextureEntryPoints(gl, lookup.Lookup());
  EXPECT_FALSE(render::CheckMultitexture(gl));
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].text, u"Your current setup does not support multitexturing");
  EXPECT_EQ(boxes.boxes()[0].caption, u"OpenGL 2.1 Error");
}

TEST(GlEntryPointsGLTest, RealDriverFillsTheTableAndOnDemandFunctionsWork) {
  mgtest::GlTestContext context(16, 16);
  ASSERT_TRUE(context.ok());
  render::GlEntryPoints& gl = render::Gl();
  render::LoadBufferObjectEntryPoints(gl, render::GlProcLookup());
  render::LoadMultitextureEntryPoints(gl, render::GlProcLookup());
  EXPECT_GT(gl.maxAnisotropy, 0);
  EXPECT_NE(gl.glGenBuffers, nullptr);
  EXPECT_TRUE(render::HasMultitexture(gl));
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  ASSERT_NE(extensions, nullptr);
  EXPECT_TRUE(render::CheckShaderExtensions(gl, render::GlProcLookup(), extensions));
  EXPECT_NE(gl.glUseProgramObjectARB, nullptr);

  // On-demand lookups fill their slot on first use.
  gl.glCreateShader = nullptr;
  const GLuint shader = render::CreateShader(GL_VERTEX_SHADER);
  EXPECT_NE(shader, 0u);
  EXPECT_NE(gl.glCreateShader, nullptr);
  render::DeleteShader(shader);

  GLuint buffer = 0;
  gl.glGenBuffers(1, &buffer);
  gl.glBindBuffer(GL_ARRAY_BUFFER, buffer);
  gl.glBufferData(GL_ARRAY_BUFFER, 16, nullptr, GL_STATIC_DRAW);
  void* mapped = render::MapBuffer(GL_ARRAY_BUFFER, GL_WRITE_ONLY);
  EXPECT_NE(mapped, nullptr);
  EXPECT_EQ(render::UnmapBuffer(GL_ARRAY_BUFFER), GL_TRUE);
  gl.glDeleteBuffers(1, &buffer);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GlEntryPointsTest, OnDemandFunctionsDoNothingWhenTheDriverLacksThem) {
  const render::GlLookup saved = render::GlProcLookup();
  render::SetGlProcLookup([](const char*) -> void* { return nullptr; });
  render::Gl().glCreateProgram = nullptr;
  render::Gl().glMapBuffer = nullptr;
  EXPECT_EQ(render::CreateProgram(), 0u);
  EXPECT_EQ(render::MapBuffer(GL_ARRAY_BUFFER, GL_WRITE_ONLY), nullptr);
  EXPECT_EQ(render::UnmapBuffer(GL_ARRAY_BUFFER), GL_FALSE);
  render::SetGlProcLookup(saved);
}

}  // namespace
