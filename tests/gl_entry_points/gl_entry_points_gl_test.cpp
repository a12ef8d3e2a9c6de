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

TEST(GlEntryPointsTest, ShaderExtensionCheckNamesTheFirstMissingOne) {
  const struct {
    const char* extensions;
    std::string_view missing;
  } cases[] = {
      {"GL_ARB_multitexture GL_ARB_shading_language_100", "GL_ARB_shader_objects"},
      {"GL_ARB_shader_objects GL_ARB_multitexture", "GL_ARB_shading_language_100"},
      {"", "GL_ARB_shader_objects"},
      // A plain substring search: a longer name that contains it passes.
      {"GL_ARB_shader_objects_extended GL_ARB_shading_language_100x", ""},
  };
  for (const auto& c : cases) {
    RecordingMessageBox boxes;
    RecordingLookup lookup;
    render::GlEntryPoints gl;
    EXPECT_EQ(render::MissingShaderExtension(c.extensions), c.missing) << c.extensions;
    EXPECT_EQ(render::CheckShaderExtensions(gl, lookup.Lookup(), c.extensions), c.missing.empty())
        << c.extensions;
    EXPECT_TRUE(boxes.boxes().empty()) << "the program tells the user, in the user's language";
    if (c.missing.empty()) {
      EXPECT_TRUE(lookup.asked.count("glCreateShaderObjectARB"));
      EXPECT_TRUE(lookup.asked.count("glUniform3fvARB"));
    } else {
      EXPECT_TRUE(lookup.asked.empty()) << "nothing is looked up after a failed check";
    }
  }
}

void NeverCalled() {}

// Like GLX: every name resolves to some address, whether the driver has the
// function or not.
void* AnyNameResolves(const char*) { return reinterpret_cast<void*>(&NeverCalled); }

TEST(GlEntryPointsTest, MultitextureCheckTrustsTheDriverStringsNotTheLookup) {
  const struct {
    bool lookupFinds;
    const char* extensions;
    const char* version;
    bool ok;
  } cases[] = {
      {true, "GL_EXT_bgra", "1.2 Mesa", false},  // the lookup alone proves nothing
      {true, "", "", false},
      {true, "GL_EXT_bgra GL_ARB_multitexture", "1.2", true},
      {true, "", "1.3", true},
      {true, "", "4.5 (Compatibility Profile) Mesa 22.3.6", true},
      {true, "", "OpenGL ES 3.2 Mesa", true},
      {false, "GL_ARB_multitexture", "4.5", false},  // the pointers are needed as well
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.extensions) + " / " + c.version);
    RecordingMessageBox boxes;
    render::GlEntryPoints gl;
    RecordingLookup nothing;
    if (c.lookupFinds) {
      render::LoadMultitextureEntryPoints(gl, AnyNameResolves);
    } else {
      render::LoadMultitextureEntryPoints(gl, nothing.Lookup());
    }
    EXPECT_EQ(render::CheckMultitexture(gl, c.extensions, c.version), c.ok);
    EXPECT_TRUE(boxes.boxes().empty());
  }
}

TEST(GlEntryPointsTest, ShaderCheckFailsOnTheExtensionStringEvenWhenEveryNameResolves) {
  render::GlEntryPoints gl;
  EXPECT_FALSE(render::CheckShaderExtensions(gl, AnyNameResolves, "GL_ARB_multitexture"));
  EXPECT_FALSE(gl.shaderObjectsLoaded);
  EXPECT_EQ(gl.glCreateShaderObjectARB, nullptr) << "nothing is looked up after a failed check";
}

TEST(GlEntryPointsTest, VersionStrings) {
  const struct {
    const char* text;
    int major, minor;
  } cases[] = {{"2.1", 2, 1},
               {"4.5 (Compatibility Profile) Mesa 22.3.6", 4, 5},
               {"OpenGL ES 3.2 Mesa", 3, 2},
               {"", 0, 0},
               {"none", 0, 0},
               {"7", 7, 0}};
  for (const auto& c : cases) {
    const render::GlVersion v = render::ParseGlVersion(c.text);
    EXPECT_EQ(v.major, c.major) << c.text;
    EXPECT_EQ(v.minor, c.minor) << c.text;
  }
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
  EXPECT_TRUE(render::CheckMultitexture(gl));
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
