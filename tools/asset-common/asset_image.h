// An image being generated: 0..1 float channels (the values written out),
// top row first, written out as PNG or JPEG with stb_image_write. Every
// generator is deterministic: the same build gives the same bytes.
#pragma once

#include <string>
#include <vector>

namespace asset {

struct Colour {
  float r = 0, g = 0, b = 0, a = 1;
};

Colour Mix(const Colour& a, const Colour& b, float t);

class Image {
 public:
  // channels: 3 (RGB) or 4 (RGBA).
  Image(int width, int height, int channels);

  int width() const { return width_; }
  int height() const { return height_; }
  int channels() const { return channels_; }

  Colour Get(int x, int y) const;
  void Set(int x, int y, const Colour& c);
  // Mixes `c` over the pixel by `coverage` (0..1); outside the image nothing.
  void Blend(int x, int y, const Colour& c, float coverage);

  // 8-bit samples, rounded and clamped, in stb_image_write's row order.
  std::vector<unsigned char> ToBytes() const;

 private:
  int width_;
  int height_;
  int channels_;
  std::vector<Colour> pixels_;
};

enum class ImageFormat { kPng, kJpeg };

// The file's bytes as WriteImage would write them; empty when encoding fails.
std::vector<unsigned char> EncodeImage(const Image& image, ImageFormat format,
                                       int jpegQuality = 90);

// Writes by the file's extension: ".png", or ".jpg" / ".jpeg" with the
// quality given (1..100). On failure prints a message, removes a partial
// file and returns false.
bool WriteImage(const Image& image, const std::string& path, int jpegQuality = 90);

// The usual main of a generator that writes one image: `<tool> <output>`.
// Returns the process exit code.
int RunImageGenerator(int argc, char** argv, const Image& image, int jpegQuality = 90);

}  // namespace asset
