#include "render/gl_entry_points.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/gl_proc.h"

namespace render {
namespace {

struct GlLoaderState {
  GlEntryPoints table;
  GlLookup lookup = platform::GetGlProcAddress;
};

GlLoaderState& LoaderState() {
  static GlLoaderState state;
  return state;
}

template <typename F>
void Resolve(F& slot, const GlLookup& lookup, const char* name) {
  slot = reinterpret_cast<F>(lookup(name));
}

// On-demand lookup: fills the slot on first use. The slot is one aligned
// pointer; two threads resolving at once write the same value.
template <typename F>
F OnDemand(F& slot, const char* name) {
  F fn = std::atomic_ref<F>(slot).load(std::memory_order_acquire);
  if (fn == nullptr) {
    fn = reinterpret_cast<F>(GlProcLookup()(name));
    std::atomic_ref<F>(slot).store(fn, std::memory_order_release);
  }
  return fn;
}

std::string_view GlString(GLenum name) {
  const auto* text = reinterpret_cast<const char*>(glGetString(name));
  return text != nullptr ? text : "";
}

}  // namespace

GlEntryPoints& Gl() { return LoaderState().table; }

const GlLookup& GlProcLookup() { return LoaderState().lookup; }

void SetGlProcLookup(GlLookup lookup) { LoaderState().lookup = std::move(lookup); }

void LoadBufferObjectEntryPoints(GlEntryPoints& gl, const GlLookup& lookup) {
  gl.maxAnisotropy = 0;
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  if (extensions != nullptr &&
      std::string_view(extensions).find("GL_EXT_texture_filter_anisotropic") !=
          std::string_view::npos) {
    GLint value = 0;
    glGetIntegerv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &value);
    gl.maxAnisotropy = value;
  }
  Resolve(gl.glGenBuffers, lookup, "glGenBuffers");
  Resolve(gl.glBindBuffer, lookup, "glBindBuffer");
  Resolve(gl.glBufferData, lookup, "glBufferData");
  Resolve(gl.glDeleteBuffers, lookup, "glDeleteBuffers");
}

int ChooseAnisotropy(int driverMaximum, std::optional<int> asked, const char* developerCap) {
  if (asked) return std::min(*asked, driverMaximum);
  return CapAnisotropy(driverMaximum, developerCap);
}

int CapAnisotropy(int driverMaximum, const char* cap) {
  if (cap == nullptr) return driverMaximum;
  const std::string_view text(cap);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
    return driverMaximum;
  return std::min(value, driverMaximum);
}

void LoadMultitextureEntryPoints(GlEntryPoints& gl, const GlLookup& lookup) {
  Resolve(gl.glActiveTextureARB, lookup, "glActiveTextureARB");
  Resolve(gl.glMultiTexCoord2fARB, lookup, "glMultiTexCoord2fARB");
  Resolve(gl.glClientActiveTextureARB, lookup, "glClientActiveTextureARB");
  Resolve(gl.glDrawElementsInstancedARB, lookup, "glDrawElementsInstancedARB");
  Resolve(gl.glTexBuffer, lookup, "glTexBuffer");
  Resolve(gl.glActiveTexture, lookup, "glActiveTexture");
}

bool HasMultitexture(const GlEntryPoints& gl) {
  return gl.glActiveTextureARB != nullptr && gl.glMultiTexCoord2fARB != nullptr;
}

GlVersion ParseGlVersion(std::string_view version) {
  GlVersion parsed;
  // "OpenGL ES 3.2 Mesa ..." carries a prefix; desktop GL starts with the
  // number.
  const size_t digit = version.find_first_of("0123456789");
  if (digit == std::string_view::npos) return parsed;
  const std::string text(version.substr(digit));
  char* end = nullptr;
  parsed.major = static_cast<int>(std::strtol(text.c_str(), &end, 10));
  if (*end == '.') parsed.minor = static_cast<int>(std::strtol(end + 1, nullptr, 10));
  return parsed;
}

bool DriverHasMultitexture(std::string_view extensions, std::string_view version) {
  const GlVersion v = ParseGlVersion(version);
  return extensions.find("GL_ARB_multitexture") != std::string_view::npos || v.major > 1 ||
         (v.major == 1 && v.minor >= 3);
}

bool CheckMultitexture(const GlEntryPoints& gl, std::string_view extensions,
                       std::string_view version) {
  return HasMultitexture(gl) && DriverHasMultitexture(extensions, version);
}

bool CheckMultitexture(const GlEntryPoints& gl) {
  return CheckMultitexture(gl, GlString(GL_EXTENSIONS), GlString(GL_VERSION));
}

std::string_view MissingShaderExtension(std::string_view extensions) {
  for (const std::string_view name : {"GL_ARB_shader_objects", "GL_ARB_shading_language_100"}) {
    if (extensions.find(name) == std::string_view::npos) return name;
  }
  return {};
}

bool CheckShaderExtensions(GlEntryPoints& gl, const GlLookup& lookup, std::string_view extensions) {
  gl.shaderObjectsLoaded = false;
  if (!MissingShaderExtension(extensions).empty()) return false;
  Resolve(gl.glCreateShaderObjectARB, lookup, "glCreateShaderObjectARB");
  Resolve(gl.glShaderSourceARB, lookup, "glShaderSourceARB");
  Resolve(gl.glCompileShaderARB, lookup, "glCompileShaderARB");
  Resolve(gl.glCreateProgramObjectARB, lookup, "glCreateProgramObjectARB");
  Resolve(gl.glAttachObjectARB, lookup, "glAttachObjectARB");
  Resolve(gl.glLinkProgramARB, lookup, "glLinkProgramARB");
  Resolve(gl.glUseProgramObjectARB, lookup, "glUseProgramObjectARB");
  Resolve(gl.glUniform1iARB, lookup, "glUniform1iARB");
  Resolve(gl.glUniform4fARB, lookup, "glUniform4fARB");
  Resolve(gl.glGetUniformLocationARB, lookup, "glGetUniformLocationARB");
  Resolve(gl.glDetachObjectARB, lookup, "glDetachObjectARB");
  Resolve(gl.glDeleteObjectARB, lookup, "glDeleteObjectARB");
  Resolve(gl.glGetUniformLocation, lookup, "glGetUniformLocation");
  Resolve(gl.glUniform1i, lookup, "glUniform1i");
  Resolve(gl.glUniform1f, lookup, "glUniform1f");
  Resolve(gl.glUniform3fvARB, lookup, "glUniform3fvARB");
  gl.shaderObjectsLoaded = true;
  return true;
}

GLuint CreateShader(GLenum type) {
  auto fn = OnDemand(Gl().glCreateShader, "glCreateShader");
  return fn != nullptr ? fn(type) : 0;
}

void ShaderSource(GLuint shader, GLsizei count, const GLchar* const* text, const GLint* length) {
  if (auto fn = OnDemand(Gl().glShaderSource, "glShaderSource")) fn(shader, count, text, length);
}

void CompileShader(GLuint shader) {
  if (auto fn = OnDemand(Gl().glCompileShader, "glCompileShader")) fn(shader);
}

void GetShaderiv(GLuint shader, GLenum name, GLint* value) {
  if (auto fn = OnDemand(Gl().glGetShaderiv, "glGetShaderiv")) fn(shader, name, value);
}

void GetShaderInfoLog(GLuint shader, GLsizei size, GLsizei* length, GLchar* log) {
  if (auto fn = OnDemand(Gl().glGetShaderInfoLog, "glGetShaderInfoLog")) {
    fn(shader, size, length, log);
  }
}

GLuint CreateProgram() {
  auto fn = OnDemand(Gl().glCreateProgram, "glCreateProgram");
  return fn != nullptr ? fn() : 0;
}

void AttachShader(GLuint program, GLuint shader) {
  if (auto fn = OnDemand(Gl().glAttachShader, "glAttachShader")) fn(program, shader);
}

void LinkProgram(GLuint program) {
  if (auto fn = OnDemand(Gl().glLinkProgram, "glLinkProgram")) fn(program);
}

void GetProgramiv(GLuint program, GLenum name, GLint* value) {
  if (auto fn = OnDemand(Gl().glGetProgramiv, "glGetProgramiv")) fn(program, name, value);
}

void GetProgramInfoLog(GLuint program, GLsizei size, GLsizei* length, GLchar* log) {
  if (auto fn = OnDemand(Gl().glGetProgramInfoLog, "glGetProgramInfoLog")) {
    fn(program, size, length, log);
  }
}

void DeleteShader(GLuint shader) {
  if (auto fn = OnDemand(Gl().glDeleteShader, "glDeleteShader")) fn(shader);
}

void* MapBuffer(GLenum target, GLenum access) {
  auto fn = OnDemand(Gl().glMapBuffer, "glMapBuffer");
  return fn != nullptr ? fn(target, access) : nullptr;
}

GLboolean UnmapBuffer(GLenum target) {
  auto fn = OnDemand(Gl().glUnmapBuffer, "glUnmapBuffer");
  return fn != nullptr ? fn(target) : GL_FALSE;
}

}  // namespace render
