// GLSL programs: a vertex shader, a fragment shader and the program they are
// linked into. A program is complete when all three handles are non-zero;
// only a complete program is ever put in use. The combined text format is
// described in render/shader_text.h.
#pragma once

#include <GL/gl.h>

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace render {

// A shader or program handle, or the log of a failed compile or link. A zero
// handle with `failed` unset means the driver created no object at all.
struct GlBuildResult {
  GLuint handle = 0;
  bool failed = false;
  std::string log;
};

// Compiles one stage from `length` characters of `source` (a negative length
// reads up to the terminating NUL). A compile error shows the log in a
// message box captioned "Err1" and is returned with the log.
GlBuildResult CompileShader(GLenum type, const char* source, GLint length);
// Links the non-zero shaders into a new program. A link error shows the log
// with caption "Err3". On success the shaders are flagged for deletion with
// the program (their handles stay valid while it lives).
GlBuildResult LinkProgram(GLuint vertexShader, GLuint fragmentShader);

class ShaderProgram {
 public:
  ShaderProgram() = default;
  ~ShaderProgram() { Release(); }
  ShaderProgram(const ShaderProgram&) = delete;
  ShaderProgram& operator=(const ShaderProgram&) = delete;

  // Builds from a NUL-terminated combined text. Returns m_hProgramObject: 0
  // after a failed first build, with the compiler's or linker's log in
  // `error`. An empty text changes nothing.
  GLuint LoadFromCombinedText(const char* text, std::string& error);
  // Builds from two texts with the shader-object functions, releasing an old
  // build first. A NUL is written at position `length` of each text, so each
  // buffer needs one byte beyond its length; a negative length builds
  // nothing. Leaves the program in use.
  void LoadFromSeparateTexts(char* vertexText, int vertexLength, char* fragmentText,
                             int fragmentLength);
  void Release();

  bool complete() const {
    return m_hVertexShader != 0 && m_hFragmentShader != 0 && m_hProgramObject != 0;
  }
  void Bind() const;
  void Unbind() const;

  // Set a uniform of the program in use (bind first). False, with nothing
  // set and no GL error, when the program has no such active uniform.
  bool SetUniformInt(const char* name, int value);
  bool SetUniformFloat(const char* name, float value);
  bool SetUniformVec3(const char* name, const float* values);
  // The location through the shader-object function; -1 without a program.
  GLint UniformLocation(const char* name) const;

  GLuint m_hVertexShader = 0;
  GLuint m_hFragmentShader = 0;
  GLuint m_hProgramObject = 0;

 private:
  // Location of an active uniform, -1 when absent. Locations are kept per
  // program and forgotten when the program handle changes.
  GLint CachedLocation(const char* name);

  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_map<std::string, GLint, NameHash, std::equal_to<>> locations_;
  GLuint cachedProgram_ = 0;
  bool cachedProgramLinked_ = false;
};

// Builds `program` from a combined text; when that returns 0 shows
// `failureLine` followed by the error text in a message box without caption.
// Returns whether a program exists.
bool BuildCombinedProgram(ShaderProgram& program, const char* text, std::string_view failureLine);

}  // namespace render
