#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/fake/recording_message_box.h"
#include "render/gl_entry_points.h"
#include "render/shader_program.h"
#include "tests/render/render_test_support.h"
#include "tests/support/gl_table.h"
#include "tests/support/gl_test_context.h"

namespace {

const std::string kVertex =
    "uniform float scale;\n"
    "void main() { gl_Position = gl_Vertex * scale; }\n";
const std::string kFragment =
    "uniform vec3 tint;\n"
    "uniform float unused;\n"
    "void main() { gl_FragColor = vec4(tint, 1.0); }\n";

template <typename F>
F Lookup(const char* name) {
  return reinterpret_cast<F>(render::GlProcLookup()(name));
}

GLint CurrentProgram() {
  GLint program = 0;
  glGetIntegerv(GL_CURRENT_PROGRAM, &program);
  return program;
}

class ShaderProgramGLTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ctx_.ok());
    mgtest::LoadGlTable();
    ASSERT_TRUE(render::Gl().shaderObjectsLoaded);
  }
  void TearDown() override { render::Gl().glUseProgramObjectARB(0); }

  mgtest::GlTestContext ctx_{8, 8};
  platform::fake::RecordingMessageBox boxes_;
};

// The character after the fragment code is never compiled: "@" there would
// be a syntax error.
TEST_F(ShaderProgramGLTest, CombinedTextBuildsBothStagesWithoutTheLastCharacter) {
  render::ShaderProgram program;
  std::string error;
  const std::string text = "// header\n[vert]" + kVertex + "[frag]" + kFragment + "@";
  EXPECT_NE(program.LoadFromCombinedText(text.c_str(), error), 0u);
  EXPECT_TRUE(error.empty()) << error;
  EXPECT_TRUE(boxes_.boxes().empty());
  ASSERT_TRUE(program.complete());

  program.Bind();
  EXPECT_EQ(CurrentProgram(), static_cast<GLint>(program.m_hProgramObject));
  const float tint[3] = {0, 1, 0};
  EXPECT_TRUE(program.SetUniformVec3("tint", tint));
  EXPECT_TRUE(program.SetUniformFloat("scale", 2.0f));
  EXPECT_TRUE(program.SetUniformFloat("scale", 3.0f));
  GLfloat scale = 0;
  Lookup<PFNGLGETUNIFORMFVPROC>("glGetUniformfv")(program.m_hProgramObject,
                                                  program.UniformLocation("scale"), &scale);
  EXPECT_EQ(scale, 3.0f);
  // Removed by the linker, or never declared: false, and no GL error.
  EXPECT_FALSE(program.SetUniformFloat("unused", 1.0f));
  EXPECT_FALSE(program.SetUniformInt("missing", 1));
  EXPECT_EQ(program.UniformLocation("missing"), -1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  program.Unbind();
  EXPECT_EQ(CurrentProgram(), 0);
}

TEST_F(ShaderProgramGLTest, VertexOnlyTextGivesAnIncompleteProgramThatNeverBinds) {
  render::ShaderProgram program;
  std::string error;
  const std::string text = "[vert]" + kVertex;
  EXPECT_NE(program.LoadFromCombinedText(text.c_str(), error), 0u);
  EXPECT_NE(program.m_hVertexShader, 0u);
  EXPECT_EQ(program.m_hFragmentShader, 0u);
  EXPECT_FALSE(program.complete());
  program.Bind();
  EXPECT_EQ(CurrentProgram(), 0);
}

TEST_F(ShaderProgramGLTest, EmptyTextKeepsTheOldProgram) {
  render::ShaderProgram program;
  std::string error;
  EXPECT_EQ(program.LoadFromCombinedText("", error), 0u);
  const std::string text = "[vert]" + kVertex + "[frag]" + kFragment + "\n";
  const GLuint handle = program.LoadFromCombinedText(text.c_str(), error);
  EXPECT_EQ(program.LoadFromCombinedText("", error), handle);
  EXPECT_EQ(program.m_hProgramObject, handle);
  EXPECT_TRUE(program.complete());
}

// A broken stage shows its log ("Err1" for compiling, "Err3" for linking),
// then the program's failure line with the log; the program stays unbound.
TEST_F(ShaderProgramGLTest, FailuresShowTheLogTwiceAndLeaveTheProgramUnbound) {
  struct Case {
    std::string text;
    const char16_t* caption;
  };
  const Case cases[] = {
      {"[vert]" + kVertex + "[frag]void main() { gl_FragColor = nonsense; }\n", u"Err1"},
      {"[vert]void helper() {}\n[frag]" + kFragment + "\n", u"Err3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.caption, c.caption + 4));
    boxes_.Clear();
    render::ShaderProgram program;
    EXPECT_FALSE(render::BuildCombinedProgram(program, c.text.c_str(),
                                              "Failed to load shader for Terrain (Er1)!\n"));
    ASSERT_EQ(boxes_.boxes().size(), 2u);
    const std::u16string& log = boxes_.boxes()[0].text;
    EXPECT_FALSE(log.empty());
    EXPECT_EQ(boxes_.boxes()[0].caption, c.caption);
    EXPECT_EQ(boxes_.boxes()[1].text, u"Failed to load shader for Terrain (Er1)!\n" + log);
    EXPECT_EQ(boxes_.boxes()[1].caption, u"");
    EXPECT_EQ(program.m_hProgramObject, 0u);
    program.Bind();
    EXPECT_EQ(CurrentProgram(), 0);
    EXPECT_FALSE(program.SetUniformFloat("tint", 1));
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderProgramGLTest, SeparateTextsAreTerminatedAtTheirLengthAndLeftInUse) {
  // Each buffer carries junk past its length, which the build cuts off.
  std::string vertex = kVertex + "JUNK";
  std::string fragment = kFragment + "JUNK";
  render::ShaderProgram program;
  program.LoadFromSeparateTexts(vertex.data(), static_cast<int>(kVertex.size()), fragment.data(),
                                static_cast<int>(kFragment.size()));
  EXPECT_TRUE(boxes_.boxes().empty());
  ASSERT_TRUE(program.complete());
  EXPECT_EQ(CurrentProgram(), static_cast<GLint>(program.m_hProgramObject));
  EXPECT_EQ(vertex[kVertex.size()], '\0');

  const GLuint first = program.m_hProgramObject;
  program.LoadFromSeparateTexts(vertex.data(), static_cast<int>(kVertex.size()), fragment.data(),
                                static_cast<int>(kFragment.size()));
  EXPECT_TRUE(program.complete());
  EXPECT_FALSE(Lookup<PFNGLISPROGRAMPROC>("glIsProgram")(first) &&
               first != program.m_hProgramObject)
      << "old build released";
  program.Release();
  EXPECT_EQ(program.m_hVertexShader + program.m_hFragmentShader + program.m_hProgramObject, 0u);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderProgramGLTest, SeparateTextsReportMissingHandles) {
  render::GlEntryPoints& gl = render::Gl();
  const auto createShader = gl.glCreateShaderObjectARB;
  const auto createProgram = gl.glCreateProgramObjectARB;
  gl.glCreateShaderObjectARB = [](GLenum) -> GLhandleARB { return 0; };
  gl.glCreateProgramObjectARB = []() -> GLhandleARB { return 0; };
  std::string vertex = kVertex, fragment = kFragment;
  render::ShaderProgram program;
  program.LoadFromSeparateTexts(vertex.data(), static_cast<int>(vertex.size()), fragment.data(),
                                static_cast<int>(fragment.size()));
  gl.glCreateShaderObjectARB = createShader;
  gl.glCreateProgramObjectARB = createProgram;
  ASSERT_EQ(boxes_.boxes().size(), 3u);
  EXPECT_EQ(boxes_.boxes()[0].text, u"!m_hVertexShader");
  EXPECT_EQ(boxes_.boxes()[1].text, u"m_hFragmentShader");
  EXPECT_EQ(boxes_.boxes()[2].text, u"!m_hProgramObject");
  for (const auto& box : boxes_.boxes()) EXPECT_EQ(box.caption, u"");
}

}  // namespace
