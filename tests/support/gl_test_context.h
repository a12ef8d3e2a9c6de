// A hidden window with a current GL 2.1 compatibility context for GL tests.
// Under the test suite SDL runs on its offscreen driver (Mesa over EGL), so no
// X server is needed.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace mgtest {

class GlTestContext {
 public:
  explicit GlTestContext(int width = 64, int height = 64, int samples = 0);
  ~GlTestContext();
  GlTestContext(const GlTestContext&) = delete;
  GlTestContext& operator=(const GlTestContext&) = delete;

  bool ok() const { return context_ != nullptr; }
  SDL_Window* window() const { return window_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // The back buffer as RGBA rows, bottom row first (glReadPixels order).
  std::vector<uint8_t> ReadPixels() const;

 private:
  SDL_Window* window_ = nullptr;
  SDL_GLContext context_ = nullptr;
  int width_;
  int height_;
};

}  // namespace mgtest
