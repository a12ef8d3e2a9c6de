// The small picture window shown while the program starts: a picture
// stretched over the whole window with a message drawn over it. It has no
// frame, sits centred on the screen and paints only when told to. Its events
// (keys, a close request) come through the WindowSystem's queue with this
// window's id.
//
// platform/sdl/sdl_wait_window.h draws it with SDL, Cairo and Pango;
// platform/fake/recording_wait_window.h records what it is told.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct WaitWindowInfo {
  std::string title;        // UTF-8
  std::string windowClass;  // the window class where the platform has one
  int width = 798;          // client size in pixels
  int height = 244;
  // The picture, rows top first, each pixel 0xFFRRGGBB; none when empty.
  std::vector<uint32_t> picture;
  int pictureWidth = 0;
  int pictureHeight = 0;
};

class WaitWindow {
 public:
  virtual ~WaitWindow() = default;

  virtual uint32_t id() const = 0;
  // Paints the picture and the text over it (lines split at '\n', each
  // centred, bold italic at a fifth of the window height, white with a black
  // shadow 4 pixels right and down; the block sits centred in the window
  // below its top 44 pixels) and shows the result at once.
  virtual void Paint(std::u16string_view text) = 0;
  // Brings the window above the program's other windows.
  virtual void Raise() = 0;
};

}  // namespace platform
