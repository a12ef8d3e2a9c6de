// Saves what the X screen shows as a PNG, for the start-up screenshots.
// Usage: x11-grab OUTPUT.png
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "cannot open display\n");
    return 1;
  }
  const Window root = DefaultRootWindow(display);
  XWindowAttributes attributes;
  XGetWindowAttributes(display, root, &attributes);
  XImage* image =
      XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (image == nullptr) {
    std::fprintf(stderr, "cannot read the screen\n");
    XCloseDisplay(display);
    return 1;
  }
  std::vector<unsigned char> rgb(static_cast<size_t>(image->width) * image->height * 3);
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      unsigned char* out = &rgb[(static_cast<size_t>(y) * image->width + x) * 3];
      out[0] = static_cast<unsigned char>((pixel & image->red_mask) >> 16);
      out[1] = static_cast<unsigned char>((pixel & image->green_mask) >> 8);
      out[2] = static_cast<unsigned char>(pixel & image->blue_mask);
    }
  }
  const int ok =
      stbi_write_png(argv[1], image->width, image->height, 3, rgb.data(), image->width * 3);
  XDestroyImage(image);
  XCloseDisplay(display);
  return ok != 0 ? 0 : 1;
}
