#include "tests/support/gl_test_context.h"

#include <GL/gl.h>

namespace mgtest {

GlTestContext::GlTestContext(int width, int height, int samples) : width_(width), height_(height) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples);
  window_ = SDL_CreateWindow("test", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (window_ == nullptr) return;
  context_ = SDL_GL_CreateContext(window_);
  if (context_ != nullptr) SDL_GL_MakeCurrent(window_, context_);
}

GlTestContext::~GlTestContext() {
  if (context_ != nullptr) {
    SDL_GL_MakeCurrent(window_, nullptr);
    SDL_GL_DeleteContext(context_);
  }
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::vector<uint8_t> GlTestContext::ReadPixels() const {
  std::vector<uint8_t> pixels(static_cast<size_t>(width_) * height_ * 4);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

}  // namespace mgtest
