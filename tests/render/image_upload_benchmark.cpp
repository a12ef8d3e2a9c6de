// Start-up cost of the embedded images: decoding (JPEG/PNG to bitmap) and
// uploading (bitmap to texture, mipmaps made by the driver), for this
// library's embedded set, for stand-in images of one megapixel, and for the
// image files named in MG_BENCH_IMAGES (separated by ':'), e.g. the generated
// images of other subsystems in a build folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "embedded/render.h"
#include "render/image_decode.h"
#include "render/textures.h"
#include "tests/render/render_test_support.h"
#include "tests/support/gl_table.h"
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
  mgtest::LoadGlTable();
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
BENCHMARK(BM_EmbeddedImages)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImageFiles(benchmark::State& state) {
  std::vector<std::vector<uint8_t>> files;
  const char* list = std::getenv("MG_BENCH_IMAGES");
  std::stringstream paths(list ? list : "");
  for (std::string path; std::getline(paths, path, ':');) {
    std::ifstream in(path, std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  if (files.empty()) {
    state.SkipWithError("MG_BENCH_IMAGES names no files");
    return;
  }
  DecodeAndUpload(state, files, state.range(0) != 0);
}
BENCHMARK(BM_ImageFiles)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A photo-like stand-in: smooth gradients with a little grain.
std::vector<uint8_t> StandInPixels(int size, int channels) {
  std::vector<uint8_t> pixels;
  pixels.reserve(static_cast<size_t>(size) * size * channels);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const int grain = static_cast<int>(
          ((static_cast<uint32_t>(x) * 73856093u) ^ (static_cast<uint32_t>(y) * 19349663u)) % 24);
      const int values[4] = {x / 4 + grain, y / 4 + grain, (x + y) / 8 + grain, 255};
      for (int c = 0; c < channels; ++c) pixels.push_back(static_cast<uint8_t>(values[c]));
    }
  }
  return pixels;
}

// Args: format (0 JPEG RGB, 1 PNG RGBA), upload (0 decode only, 1 decode and
// upload with mipmaps).
void BM_Megapixel(benchmark::State& state) {
  const int channels = state.range(0) == 0 ? 3 : 4;
  const std::vector<uint8_t> pixels = StandInPixels(1024, channels);
  const std::vector<uint8_t> file = state.range(0) == 0
                                        ? rendertest::EncodeJpeg(1024, 1024, channels, pixels, 90)
                                        : rendertest::EncodePng(1024, 1024, channels, pixels);
  state.counters["file_kb"] = static_cast<double>(file.size()) / 1024;
  DecodeAndUpload(state, {file}, state.range(1) != 0);
}
BENCHMARK(BM_Megapixel)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
