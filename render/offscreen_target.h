// A frame buffer of its own (colour and depth), so that a picture of a fixed
// size can be drawn whatever the window's size, and read back. Constructible
// without a context; Create looks up the functions in the current one.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <vector>

#include "render/gl_entry_points.h"

namespace render {

class OffscreenTarget {
 public:
  OffscreenTarget() = default;
  OffscreenTarget(const OffscreenTarget&) = delete;
  OffscreenTarget& operator=(const OffscreenTarget&) = delete;
  ~OffscreenTarget() = default;

  // False when the driver has no frame buffer objects or refuses the size.
  bool Create(const GlLookup& lookup, int width, int height);
  // Draws go to this target until Unbind, which returns them to the window.
  void Bind();
  void Unbind();
  // The lower-left width x height pixels as R, G, B bytes, top row first.
  std::vector<uint8_t> ReadRgb(int width, int height) const;
  // Needs the context that created it.
  void Release();

 private:
  PFNGLGENFRAMEBUFFERSPROC genFramebuffers_ = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers_ = nullptr;
  PFNGLBINDFRAMEBUFFERPROC bindFramebuffer_ = nullptr;
  PFNGLGENRENDERBUFFERSPROC genRenderbuffers_ = nullptr;
  PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers_ = nullptr;
  PFNGLBINDRENDERBUFFERPROC bindRenderbuffer_ = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage_ = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer_ = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus_ = nullptr;
  GLuint framebuffer_ = 0;
  GLuint colour_ = 0;
  GLuint depth_ = 0;
};

}  // namespace render
