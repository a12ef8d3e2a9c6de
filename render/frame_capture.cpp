#include "render/frame_capture.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

#include "render/gl_entry_points.h"

namespace render {
namespace {

// The framebuffer-object functions the resolve needs, looked up when a
// multisampled frame is read (they are needed nowhere else).
struct ResolveEntryPoints {
  PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
  PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
  PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
  PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
  PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
  PFNGLBLITFRAMEBUFFERPROC blitFramebuffer = nullptr;

  bool complete() const {
    return genFramebuffers && deleteFramebuffers && bindFramebuffer && genRenderbuffers &&
           deleteRenderbuffers && bindRenderbuffer && renderbufferStorage &&
           framebufferRenderbuffer && checkFramebufferStatus && blitFramebuffer;
  }
};

template <typename F>
void Resolve(F& function, const char* name) {
  function = reinterpret_cast<F>(GlProcLookup()(name));
}

ResolveEntryPoints LookUpResolve() {
  ResolveEntryPoints gl;
  Resolve(gl.genFramebuffers, "glGenFramebuffers");
  Resolve(gl.deleteFramebuffers, "glDeleteFramebuffers");
  Resolve(gl.bindFramebuffer, "glBindFramebuffer");
  Resolve(gl.genRenderbuffers, "glGenRenderbuffers");
  Resolve(gl.deleteRenderbuffers, "glDeleteRenderbuffers");
  Resolve(gl.bindRenderbuffer, "glBindRenderbuffer");
  Resolve(gl.renderbufferStorage, "glRenderbufferStorage");
  Resolve(gl.framebufferRenderbuffer, "glFramebufferRenderbuffer");
  Resolve(gl.checkFramebufferStatus, "glCheckFramebufferStatus");
  Resolve(gl.blitFramebuffer, "glBlitFramebuffer");
  return gl;
}

void ReadRows(int width, int height, std::vector<uint8_t>& bottomUp) {
  GLint alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
}

// Blits the multisampled frame into a single-sample renderbuffer and reads
// that; false when the framebuffer objects are not available.
bool ReadResolved(int width, int height, std::vector<uint8_t>& bottomUp) {
  const ResolveEntryPoints gl = LookUpResolve();
  if (!gl.complete()) return false;
  GLint readBinding = 0;
  GLint drawBinding = 0;
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readBinding);
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawBinding);
  GLuint framebuffer = 0;
  GLuint colour = 0;
  gl.genRenderbuffers(1, &colour);
  gl.bindRenderbuffer(GL_RENDERBUFFER, colour);
  gl.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  gl.genFramebuffers(1, &framebuffer);
  gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
  gl.framebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
  const bool ok = gl.checkFramebufferStatus(GL_DRAW_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  if (ok) {
    gl.blitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    gl.bindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    ReadRows(width, height, bottomUp);
  }
  gl.bindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readBinding));
  gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawBinding));
  gl.bindRenderbuffer(GL_RENDERBUFFER, 0);
  gl.deleteFramebuffers(1, &framebuffer);
  gl.deleteRenderbuffers(1, &colour);
  return ok;
}

}  // namespace

FrameImage ReadFrame(int width, int height) {
  FrameImage image;
  if (width <= 0 || height <= 0) return image;
  const size_t row = static_cast<size_t>(width) * 3;
  std::vector<uint8_t> bottomUp(row * height);

  // Read from where this frame was drawn.
  GLint readBuffer = GL_BACK;
  GLint drawBuffer = GL_BACK;
  glGetIntegerv(GL_READ_BUFFER, &readBuffer);
  glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
  glReadBuffer(static_cast<GLenum>(drawBuffer));
  GLint sampleBuffers = 0;
  glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
  if (sampleBuffers == 0 || !ReadResolved(width, height, bottomUp))
    ReadRows(width, height, bottomUp);
  glReadBuffer(static_cast<GLenum>(readBuffer));

  image.width = width;
  image.height = height;
  image.rgb.resize(bottomUp.size());
  for (int y = 0; y < height; ++y) {
    std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(row * (height - 1 - y)), row,
                image.rgb.begin() + static_cast<std::ptrdiff_t>(row * y));
  }
  return image;
}

}  // namespace render
