#include "render/shader_program.h"

#include <GL/glext.h>

#include <cstring>

#include "platform/message_box.h"
#include "platform/text_codec.h"
#include "render/gl_entry_points.h"
#include "render/shader_text.h"

namespace render {
namespace {

// A driver log ends with its NUL; keep the text before it.
std::string TrimLog(std::string log) {
  const size_t end = log.find('\0');
  if (end != std::string::npos) log.resize(end);
  return log;
}

std::string ShaderLog(GLuint shader) {
  GLint length = 0;
  GetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
  if (length <= 0) return {};
  std::string log(static_cast<size_t>(length), '\0');
  GetShaderInfoLog(shader, length, nullptr, log.data());
  return TrimLog(std::move(log));
}

std::string ProgramLog(GLuint program) {
  GLint length = 0;
  GetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
  if (length <= 0) return {};
  std::string log(static_cast<size_t>(length), '\0');
  GetProgramInfoLog(program, length, nullptr, log.data());
  return TrimLog(std::move(log));
}

void ShowLog(const std::string& log, std::u16string_view caption) {
  platform::ShowMessageBox(platform::AnsiToUtf16(log), caption);
}

// Shows the compile log of a shader built on the shader-object path.
void ReportCompileFailure(GLuint shader) {
  if (shader == 0) return;
  GLint status = GL_TRUE;
  GetShaderiv(shader, GL_COMPILE_STATUS, &status);
  if (status == GL_FALSE) ShowLog(ShaderLog(shader), u"Err1");
}

}  // namespace

GlBuildResult CompileShader(GLenum type, const char* source, GLint length) {
  GlBuildResult result;
  result.handle = CreateShader(type);
  if (result.handle == 0) return result;
  ShaderSource(result.handle, 1, &source, &length);
  CompileShader(result.handle);
  GLint status = GL_FALSE;
  GetShaderiv(result.handle, GL_COMPILE_STATUS, &status);
  if (status == GL_FALSE) {
    result.log = ShaderLog(result.handle);
    ShowLog(result.log, u"Err1");
    DeleteShader(result.handle);
    result.handle = 0;
    result.failed = true;
  }
  return result;
}

GlBuildResult LinkProgram(GLuint vertexShader, GLuint fragmentShader) {
  GlBuildResult result;
  result.handle = CreateProgram();
  if (result.handle == 0) return result;
  if (vertexShader != 0) AttachShader(result.handle, vertexShader);
  if (fragmentShader != 0) AttachShader(result.handle, fragmentShader);
  LinkProgram(result.handle);
  GLint status = GL_FALSE;
  GetProgramiv(result.handle, GL_LINK_STATUS, &status);
  if (status == GL_FALSE) {
    result.log = ProgramLog(result.handle);
    ShowLog(result.log, u"Err3");
    if (Gl().glDeleteObjectARB != nullptr) Gl().glDeleteObjectARB(result.handle);
    result.handle = 0;
    result.failed = true;
    return result;
  }
  if (vertexShader != 0) DeleteShader(vertexShader);
  if (fragmentShader != 0) DeleteShader(fragmentShader);
  return result;
}

GLuint ShaderProgram::LoadFromCombinedText(const char* text, std::string& error) {
  if (text == nullptr || text[0] == '\0') return m_hProgramObject;
  const CombinedShaderText parts = SplitCombinedShaderText(text);
  if (parts.hasVertex) {
    const GlBuildResult vs = CompileShader(GL_VERTEX_SHADER, parts.vertex.data(),
                                           static_cast<GLint>(parts.vertex.size()));
    if (vs.failed) {
      error = vs.log;
      return m_hProgramObject;
    }
    m_hVertexShader = vs.handle;
    if (m_hVertexShader == 0) return 0;
  }
  if (parts.hasFragment) {
    const GlBuildResult fs = CompileShader(GL_FRAGMENT_SHADER, parts.fragment.data(),
                                           static_cast<GLint>(parts.fragment.size()));
    if (fs.failed) {
      error = fs.log;
      return m_hProgramObject;
    }
    m_hFragmentShader = fs.handle;
  }
  const GlBuildResult program = LinkProgram(m_hVertexShader, m_hFragmentShader);
  if (program.failed) {
    error = program.log;
    return m_hProgramObject;
  }
  m_hProgramObject = program.handle;
  return m_hProgramObject;
}

void ShaderProgram::LoadFromSeparateTexts(char* vertexText, int vertexLength, char* fragmentText,
                                          int fragmentLength) {
  const GlEntryPoints& gl = Gl();
  if (!gl.shaderObjectsLoaded || vertexText == nullptr || fragmentText == nullptr ||
      vertexLength < 0 || fragmentLength < 0) {
    return;
  }
  vertexText[vertexLength] = '\0';
  fragmentText[fragmentLength] = '\0';
  if (m_hVertexShader != 0 || m_hFragmentShader != 0 || m_hProgramObject != 0) Release();

  m_hVertexShader = gl.glCreateShaderObjectARB(GL_VERTEX_SHADER_ARB);
  m_hFragmentShader = gl.glCreateShaderObjectARB(GL_FRAGMENT_SHADER_ARB);
  const GLcharARB* vertexSource = vertexText;
  const GLcharARB* fragmentSource = fragmentText;
  if (m_hVertexShader != 0) gl.glShaderSourceARB(m_hVertexShader, 1, &vertexSource, nullptr);
  if (m_hFragmentShader != 0) gl.glShaderSourceARB(m_hFragmentShader, 1, &fragmentSource, nullptr);
  if (m_hVertexShader != 0) gl.glCompileShaderARB(m_hVertexShader);
  if (m_hFragmentShader != 0) gl.glCompileShaderARB(m_hFragmentShader);
  ReportCompileFailure(m_hVertexShader);
  ReportCompileFailure(m_hFragmentShader);

  if (m_hVertexShader == 0) platform::ShowMessageBox(u"!m_hVertexShader", u"");
  if (m_hFragmentShader == 0) platform::ShowMessageBox(u"m_hFragmentShader", u"");
  m_hProgramObject = gl.glCreateProgramObjectARB();
  if (m_hProgramObject == 0) {
    platform::ShowMessageBox(u"!m_hProgramObject", u"");
    return;
  }
  if (m_hVertexShader != 0) gl.glAttachObjectARB(m_hProgramObject, m_hVertexShader);
  if (m_hFragmentShader != 0) gl.glAttachObjectARB(m_hProgramObject, m_hFragmentShader);
  gl.glLinkProgramARB(m_hProgramObject);
  GLint linked = GL_FALSE;
  GetProgramiv(m_hProgramObject, GL_LINK_STATUS, &linked);
  if (linked == GL_FALSE) ShowLog(ProgramLog(m_hProgramObject), u"Err3");
  gl.glUseProgramObjectARB(m_hProgramObject);
}

void ShaderProgram::Release() {
  const GlEntryPoints& gl = Gl();
  if (gl.glDetachObjectARB == nullptr || gl.glDeleteObjectARB == nullptr) return;
  for (GLuint* shader : {&m_hVertexShader, &m_hFragmentShader}) {
    if (*shader == 0) continue;
    // A shader flagged for deletion at link time goes away when detached.
    GLint flagged = GL_FALSE;
    GetShaderiv(*shader, GL_DELETE_STATUS, &flagged);
    if (m_hProgramObject != 0) gl.glDetachObjectARB(m_hProgramObject, *shader);
    if (flagged == GL_FALSE) gl.glDeleteObjectARB(*shader);
    *shader = 0;
  }
  if (m_hProgramObject != 0) {
    gl.glDeleteObjectARB(m_hProgramObject);
    m_hProgramObject = 0;
  }
  locations_.clear();
  cachedProgram_ = 0;
}

void ShaderProgram::Bind() const {
  if (complete() && Gl().glUseProgramObjectARB != nullptr) {
    Gl().glUseProgramObjectARB(m_hProgramObject);
  }
}

void ShaderProgram::Unbind() const {
  if (complete() && Gl().glUseProgramObjectARB != nullptr) Gl().glUseProgramObjectARB(0);
}

GLint ShaderProgram::CachedLocation(const char* name) {
  const GlEntryPoints& gl = Gl();
  if (m_hProgramObject == 0 || gl.glGetUniformLocation == nullptr || name == nullptr) return -1;
  if (cachedProgram_ != m_hProgramObject) {
    locations_.clear();
    cachedProgram_ = m_hProgramObject;
    GLint linked = GL_FALSE;
    GetProgramiv(m_hProgramObject, GL_LINK_STATUS, &linked);
    cachedProgramLinked_ = linked != GL_FALSE;
  }
  if (!cachedProgramLinked_) return -1;
  const std::string_view key(name);
  if (auto it = locations_.find(key); it != locations_.end()) return it->second;
  const GLint location = gl.glGetUniformLocation(m_hProgramObject, name);
  locations_.emplace(key, location);
  return location;
}

bool ShaderProgram::SetUniformInt(const char* name, int value) {
  const GLint location = CachedLocation(name);
  if (location == -1 || Gl().glUniform1i == nullptr) return false;
  Gl().glUniform1i(location, value);
  return true;
}

bool ShaderProgram::SetUniformFloat(const char* name, float value) {
  const GLint location = CachedLocation(name);
  if (location < 0 || Gl().glUniform1f == nullptr) return false;
  Gl().glUniform1f(location, value);
  return true;
}

bool ShaderProgram::SetUniformVec3(const char* name, const float* values) {
  const GLint location = CachedLocation(name);
  if (location < 0 || Gl().glUniform3fvARB == nullptr) return false;
  Gl().glUniform3fvARB(location, 1, values);
  return true;
}

GLint ShaderProgram::UniformLocation(const char* name) const {
  if (m_hProgramObject == 0 || Gl().glGetUniformLocationARB == nullptr) return -1;
  return Gl().glGetUniformLocationARB(m_hProgramObject, name);
}

bool BuildCombinedProgram(ShaderProgram& program, const char* text, std::string_view failureLine) {
  std::string error;
  if (program.LoadFromCombinedText(text, error) != 0) return true;
  platform::ShowMessageBox(platform::AnsiToUtf16(std::string(failureLine) + error), u"");
  return false;
}

}  // namespace render
