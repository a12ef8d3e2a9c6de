#include "tests/support/gl_table.h"

#include "render/gl_entry_points.h"

namespace mgtest {

void LoadGlTable() {
  render::GlEntryPoints& gl = render::Gl();
  render::LoadBufferObjectEntryPoints(gl, render::GlProcLookup());
  render::LoadMultitextureEntryPoints(gl, render::GlProcLookup());
  const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  render::CheckShaderExtensions(gl, render::GlProcLookup(), extensions ? extensions : "");
}

}  // namespace mgtest
