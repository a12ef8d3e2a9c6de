#include "tests/support/gl_test_context.h"

#include <GL/gl.h>

namespace mgtest {

GlTestContext::GlTestContext(int width, int height, int samples) : width_(width), height_(height) {
  if (!windows_.Init()) return;
  platform::WindowCreateInfo info;
  info.title = "test";
  info.clientWidth = width;
  info.clientHeight = height;
  info.samples = samples;
  window_ = windows_.CreateWindow(info);
  if (!window_) return;
  context_ = window_->CreateContext(false);
  if (context_) window_->MakeCurrent(context_);
}

GlTestContext::~GlTestContext() {
  if (context_) {
    windows_.ReleaseCurrentContext();
    windows_.DeleteContext(context_);
  }
  window_.reset();
  windows_.Shutdown();
}

std::vector<uint8_t> GlTestContext::ReadPixels() const {
  std::vector<uint8_t> pixels(static_cast<size_t>(width_) * height_ * 4);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

}  // namespace mgtest
