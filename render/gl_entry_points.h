// GL functions beyond OpenGL 1.1, looked up by name at the stage where the
// program first needs them and kept in one process-wide table. A pointer that
// stays null after its lookup means the driver does not offer the function;
// nothing ever calls through a null pointer.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include <functional>
#include <optional>
#include <string_view>

namespace render {

struct GlEntryPoints {
  // Buffer objects.
  PFNGLGENBUFFERSPROC glGenBuffers = nullptr;
  PFNGLBINDBUFFERPROC glBindBuffer = nullptr;
  PFNGLBUFFERDATAPROC glBufferData = nullptr;
  PFNGLDELETEBUFFERSPROC glDeleteBuffers = nullptr;
  // Multitexture and instancing.
  PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
  PFNGLMULTITEXCOORD2FARBPROC glMultiTexCoord2fARB = nullptr;
  PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = nullptr;
  PFNGLDRAWELEMENTSINSTANCEDARBPROC glDrawElementsInstancedARB = nullptr;
  PFNGLTEXBUFFERPROC glTexBuffer = nullptr;
  PFNGLACTIVETEXTUREPROC glActiveTexture = nullptr;
  // Shader objects (ARB names and the few core names used with them).
  PFNGLCREATESHADEROBJECTARBPROC glCreateShaderObjectARB = nullptr;
  PFNGLSHADERSOURCEARBPROC glShaderSourceARB = nullptr;
  PFNGLCOMPILESHADERARBPROC glCompileShaderARB = nullptr;
  PFNGLCREATEPROGRAMOBJECTARBPROC glCreateProgramObjectARB = nullptr;
  PFNGLATTACHOBJECTARBPROC glAttachObjectARB = nullptr;
  PFNGLLINKPROGRAMARBPROC glLinkProgramARB = nullptr;
  PFNGLUSEPROGRAMOBJECTARBPROC glUseProgramObjectARB = nullptr;
  PFNGLUNIFORM1IARBPROC glUniform1iARB = nullptr;
  PFNGLUNIFORM4FARBPROC glUniform4fARB = nullptr;
  PFNGLGETUNIFORMLOCATIONARBPROC glGetUniformLocationARB = nullptr;
  PFNGLDETACHOBJECTARBPROC glDetachObjectARB = nullptr;
  PFNGLDELETEOBJECTARBPROC glDeleteObjectARB = nullptr;
  PFNGLGETUNIFORMLOCATIONPROC glGetUniformLocation = nullptr;
  PFNGLUNIFORM1IPROC glUniform1i = nullptr;
  PFNGLUNIFORM1FPROC glUniform1f = nullptr;
  PFNGLUNIFORM3FVARBPROC glUniform3fvARB = nullptr;
  // Looked up on first use (see the wrappers below).
  PFNGLCREATESHADERPROC glCreateShader = nullptr;
  PFNGLSHADERSOURCEPROC glShaderSource = nullptr;
  PFNGLCOMPILESHADERPROC glCompileShader = nullptr;
  PFNGLGETSHADERIVPROC glGetShaderiv = nullptr;
  PFNGLGETSHADERINFOLOGPROC glGetShaderInfoLog = nullptr;
  PFNGLCREATEPROGRAMPROC glCreateProgram = nullptr;
  PFNGLATTACHSHADERPROC glAttachShader = nullptr;
  PFNGLLINKPROGRAMPROC glLinkProgram = nullptr;
  PFNGLGETPROGRAMIVPROC glGetProgramiv = nullptr;
  PFNGLGETPROGRAMINFOLOGPROC glGetProgramInfoLog = nullptr;
  PFNGLDELETESHADERPROC glDeleteShader = nullptr;
  PFNGLMAPBUFFERPROC glMapBuffer = nullptr;
  PFNGLUNMAPBUFFERPROC glUnmapBuffer = nullptr;

  // GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, 0 when the driver has no anisotropic
  // filtering.
  int maxAnisotropy = 0;
  // Whether the shader-object stage found both shader extensions.
  bool shaderObjectsLoaded = false;
};

// Resolves a GL function by name in the current context; null when absent.
using GlLookup = std::function<void*(const char* name)>;

// The process-wide table and the lookup it uses (the platform's, unless a
// test replaced it). The table stays process-wide: the loader thread's shared
// context calls through the same pointers as the main context, and a
// re-created context keeps them.
GlEntryPoints& Gl();
const GlLookup& GlProcLookup();
void SetGlProcLookup(GlLookup lookup);

// Reads maxAnisotropy, then looks up the buffer-object functions.
void LoadBufferObjectEntryPoints(GlEntryPoints& gl, const GlLookup& lookup);
void LoadMultitextureEntryPoints(GlEntryPoints& gl, const GlLookup& lookup);
// A developer's cap on the driver's maximum anisotropy (MG_MAX_ANISOTROPY):
// a whole decimal number from 0 up lowers the maximum to it (0: no
// anisotropy, and with it no mipmaps); no text or any other text leaves the
// driver's maximum.
int CapAnisotropy(int driverMaximum, const char* cap);
// The anisotropy textures are made with: the one asked for (capped at the
// driver's maximum), or without a request the developer's cap above.
int ChooseAnisotropy(int driverMaximum, std::optional<int> asked, const char* developerCap);
// True when both multitexture functions the scene needs are present.
bool HasMultitexture(const GlEntryPoints& gl);

struct GlVersion {
  int major = 0;
  int minor = 0;
};
// The leading "major.minor" of a GL_VERSION string; 0.0 when there is none.
GlVersion ParseGlVersion(std::string_view version);
// Whether the driver itself offers multitexturing: "GL_ARB_multitexture" in
// its extension string, or GL 1.3 or later (where it is core). Needed
// besides the pointers because some lookups return an address for any name.
bool DriverHasMultitexture(std::string_view extensions, std::string_view version);

// False unless both the pointers and the driver's extension string or
// version say multitexturing is there. The caller tells the user.
bool CheckMultitexture(const GlEntryPoints& gl, std::string_view extensions,
                       std::string_view version);
// The same with the current context's extension and version strings.
bool CheckMultitexture(const GlEntryPoints& gl);

// The first of "GL_ARB_shader_objects" and "GL_ARB_shading_language_100"
// that the extension string lacks (plain substring search); empty when it
// has both.
std::string_view MissingShaderExtension(std::string_view extensions);
// Checks the extension string as MissingShaderExtension does; on success
// looks up the shader-object functions. The caller tells the user of a
// missing extension. The check rests on the extension string alone, never on
// the lookups, which may return an address for any name.
bool CheckShaderExtensions(GlEntryPoints& gl, const GlLookup& lookup, std::string_view extensions);

// The on-demand functions: each resolves its name on first call, keeps the
// pointer in Gl() and calls it. When the driver lacks the function they do
// nothing and return 0 / nullptr / GL_FALSE.
GLuint CreateShader(GLenum type);
void ShaderSource(GLuint shader, GLsizei count, const GLchar* const* text, const GLint* length);
void CompileShader(GLuint shader);
void GetShaderiv(GLuint shader, GLenum name, GLint* value);
void GetShaderInfoLog(GLuint shader, GLsizei size, GLsizei* length, GLchar* log);
GLuint CreateProgram();
void AttachShader(GLuint program, GLuint shader);
void LinkProgram(GLuint program);
void GetProgramiv(GLuint program, GLenum name, GLint* value);
void GetProgramInfoLog(GLuint program, GLsizei size, GLsizei* length, GLchar* log);
void DeleteShader(GLuint shader);
void* MapBuffer(GLenum target, GLenum access);
GLboolean UnmapBuffer(GLenum target);

}  // namespace render
