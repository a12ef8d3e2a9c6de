#include "tools/asset-common/asset_image.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace asset {

Colour Mix(const Colour& a, const Colour& b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
          a.a + (b.a - a.a) * t};
}

Image::Image(int width, int height, int channels)
    : width_(width),
      height_(height),
      channels_(channels),
      pixels_(static_cast<size_t>(width) * height) {}

Colour Image::Get(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

void Image::Set(int x, int y, const Colour& c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void Image::Blend(int x, int y, const Colour& c, float coverage) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Colour& p = pixels_[static_cast<size_t>(y) * width_ + x];
  p = Mix(p, c, std::clamp(coverage, 0.0f, 1.0f));
}

std::vector<unsigned char> Image::ToBytes() const {
  std::vector<unsigned char> bytes;
  bytes.reserve(pixels_.size() * channels_);
  auto quantise = [](float v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
  };
  for (const Colour& p : pixels_) {
    bytes.push_back(quantise(p.r));
    bytes.push_back(quantise(p.g));
    bytes.push_back(quantise(p.b));
    if (channels_ == 4) bytes.push_back(quantise(p.a));
  }
  return bytes;
}

namespace {

bool EndsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() &&
         s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

std::vector<unsigned char> EncodeImage(const Image& image, ImageFormat format, int jpegQuality) {
  const std::vector<unsigned char> samples = image.ToBytes();
  const int w = image.width(), h = image.height(), n = image.channels();
  std::vector<unsigned char> file;
  auto append = [](void* context, void* data, int size) {
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
  };
  const int ok = format == ImageFormat::kPng
                     ? stbi_write_png_to_func(append, &file, w, h, n, samples.data(), w * n)
                     : stbi_write_jpg_to_func(append, &file, w, h, n, samples.data(), jpegQuality);
  if (ok == 0) file.clear();
  return file;
}

bool WriteImage(const Image& image, const std::string& path, int jpegQuality) {
  ImageFormat format;
  if (EndsWith(path, ".png")) {
    format = ImageFormat::kPng;
  } else if (EndsWith(path, ".jpg") || EndsWith(path, ".jpeg")) {
    format = ImageFormat::kJpeg;
  } else {
    std::fprintf(stderr, "%s: unknown image type (use .png or .jpg)\n", path.c_str());
    return false;
  }
  const std::vector<unsigned char> file = EncodeImage(image, format, jpegQuality);
  FILE* out = file.empty() ? nullptr : std::fopen(path.c_str(), "wb");
  bool ok = out != nullptr && std::fwrite(file.data(), 1, file.size(), out) == file.size();
  if (out != nullptr && std::fclose(out) != 0) ok = false;
  if (!ok) {
    std::fprintf(stderr, "%s: cannot write the image\n", path.c_str());
    std::remove(path.c_str());
    return false;
  }
  return true;
}

int RunImageGenerator(int argc, char** argv, const Image& image, int jpegQuality) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output.png|output.jpg>\n", argc > 0 ? argv[0] : "generator");
    return 2;
  }
  return WriteImage(image, argv[1], jpegQuality) ? 0 : 1;
}

}  // namespace asset
