// Start-up cost of the embedded images: decoding (JPEG/PNG to bitmap) and
// uploading (bitmap to texture, mipmaps made by the driver), per file of the
// embedded set and for stand-in images of one megapixel.
#include <benchmark/benchmark.h>

#include "embedded/render.h"
#include "render/image_decode.h"
#include "render/textures.h"
#include "tests/render/render_test_support.h"
#include "tests/support/gl_test_context.h"

namespace {

std::vector<uint8_t> Plain(render::EmbeddedFile& file) {
  std::vector<uint8_t> bytes(file.stored().begin(), file.stored().end());
  if (!file.unscrambled())
    render::Unscramble(bytes.data(), static_cast<int32_t>(bytes.size()), 128);
  return bytes;
}

void DecodeAndUpload(benchmark::State& state, const std::vector<std::vector<uint8_t>>& files,
                     bool upload) {
  mgtest::GlTestContext ctx(8, 8);
  rendertest::LoadGlTable();
  double pixels = 0;
  for (auto _ : state) {
    pixels = 0;
    for (const auto& file : files) {
      render::DibBitmap bitmap;
      render::DecodeImage(bitmap, file.data(), static_cast<int32_t>(file.size()), false);
      pixels += static_cast<double>(bitmap.width()) * bitmap.height();
      if (upload) {
        GLuint texture = 0;
        render::CreateTextureFromBitmap(texture, bitmap.Release(), true);
        glFinish();
        glDeleteTextures(1, &texture);
      }
    }
  }
  state.counters["megapixels"] = pixels / 1e6;
  state.counters["s_per_megapixel"] = benchmark::Counter(
      pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_EmbeddedImages(benchmark::State& state) {
  std::vector<std::vector<uint8_t>> files;
  for (const render::NamedEmbeddedFile& f : embedded::render_files())
    files.push_back(Plain(*f.file));
  DecodeAndUpload(state, files, state.range(0) != 0);
}
BENCHMARK(BM_EmbeddedImages)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Megapixel(benchmark::State& state) {
  const int channels = static_cast<int>(state.range(1));
  std::vector<uint8_t> pixels(1024 * 1024 * channels);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>((i * 7) ^ (i >> 11));
  const std::vector<uint8_t> file = state.range(0) == 0
                                        ? rendertest::EncodeJpeg(1024, 1024, channels, pixels, 90)
                                        : rendertest::EncodePng(1024, 1024, channels, pixels);
  DecodeAndUpload(state, {file}, true);
}
// (0, 3): JPEG RGB; (1, 4): PNG RGBA.
BENCHMARK(BM_Megapixel)->Args({0, 3})->Args({1, 4})->Unit(benchmark::kMillisecond);

}  // namespace
