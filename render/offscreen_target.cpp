#include "render/offscreen_target.h"

#include <algorithm>

namespace render {
namespace {

template <typename Function>
bool Resolve(Function& function, const GlLookup& lookup, const char* name) {
  function = reinterpret_cast<Function>(lookup(name));
  return function != nullptr;
}

}  // namespace

bool OffscreenTarget::Create(const GlLookup& lookup, int width, int height) {
  Release();
  if (!Resolve(genFramebuffers_, lookup, "glGenFramebuffers") ||
      !Resolve(deleteFramebuffers_, lookup, "glDeleteFramebuffers") ||
      !Resolve(bindFramebuffer_, lookup, "glBindFramebuffer") ||
      !Resolve(genRenderbuffers_, lookup, "glGenRenderbuffers") ||
      !Resolve(deleteRenderbuffers_, lookup, "glDeleteRenderbuffers") ||
      !Resolve(bindRenderbuffer_, lookup, "glBindRenderbuffer") ||
      !Resolve(renderbufferStorage_, lookup, "glRenderbufferStorage") ||
      !Resolve(framebufferRenderbuffer_, lookup, "glFramebufferRenderbuffer") ||
      !Resolve(checkFramebufferStatus_, lookup, "glCheckFramebufferStatus")) {
    return false;
  }
  genFramebuffers_(1, &framebuffer_);
  genRenderbuffers_(1, &colour_);
  genRenderbuffers_(1, &depth_);
  bindRenderbuffer_(GL_RENDERBUFFER, colour_);
  renderbufferStorage_(GL_RENDERBUFFER, GL_RGBA8, width, height);
  bindRenderbuffer_(GL_RENDERBUFFER, depth_);
  renderbufferStorage_(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
  bindRenderbuffer_(GL_RENDERBUFFER, 0);
  bindFramebuffer_(GL_FRAMEBUFFER, framebuffer_);
  framebufferRenderbuffer_(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
  framebufferRenderbuffer_(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
  const bool complete = checkFramebufferStatus_(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  bindFramebuffer_(GL_FRAMEBUFFER, 0);
  if (!complete) Release();
  return complete;
}

void OffscreenTarget::Bind() {
  if (framebuffer_ != 0) bindFramebuffer_(GL_FRAMEBUFFER, framebuffer_);
}

void OffscreenTarget::Unbind() {
  if (framebuffer_ != 0) bindFramebuffer_(GL_FRAMEBUFFER, 0);
}

std::vector<uint8_t> OffscreenTarget::ReadRgb(int width, int height) const {
  const size_t row = static_cast<size_t>(width) * 3;
  std::vector<uint8_t> bottomUp(row * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<uint8_t> topDown(bottomUp.size());
  for (int y = 0; y < height; ++y) {
    std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(row * (height - 1 - y)), row,
                topDown.begin() + static_cast<std::ptrdiff_t>(row * y));
  }
  return topDown;
}

void OffscreenTarget::Release() {
  if (framebuffer_ != 0) deleteFramebuffers_(1, &framebuffer_);
  if (colour_ != 0) deleteRenderbuffers_(1, &colour_);
  if (depth_ != 0) deleteRenderbuffers_(1, &depth_);
  framebuffer_ = colour_ = depth_ = 0;
}

}  // namespace render
