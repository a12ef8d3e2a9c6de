// A hidden window with a current GL 2.1 compatibility context for GL tests,
// made by the program's own window code. Under the test suite SDL runs on its
// offscreen driver (Mesa over EGL), so no X server is needed.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/sdl/sdl_window_system.h"

namespace mgtest {

class GlTestContext {
 public:
  explicit GlTestContext(int width = 64, int height = 64, int samples = 0);
  ~GlTestContext();
  GlTestContext(const GlTestContext&) = delete;
  GlTestContext& operator=(const GlTestContext&) = delete;

  bool ok() const { return static_cast<bool>(context_); }
  platform::WindowSystem& windows() { return windows_; }
  platform::Window& window() { return *window_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // The back buffer as RGBA rows, bottom row first (glReadPixels order).
  std::vector<uint8_t> ReadPixels() const;

 private:
  platform::sdl::SdlWindowSystem windows_;
  std::unique_ptr<platform::Window> window_;
  platform::GlContext context_;
  int width_;
  int height_;
};

}  // namespace mgtest
