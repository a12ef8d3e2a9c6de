// The comparison of one reference view: two 320 x 240 RGB pictures.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "bench/reference_views.h"

namespace {

void BM_PsnrOfOneView(benchmark::State& state) {
  const size_t bytes = static_cast<size_t>(bench::kReferenceWidth) * bench::kReferenceHeight * 3;
  std::vector<uint8_t> a(bytes), b(bytes);
  for (size_t i = 0; i < bytes; ++i) {
    a[i] = static_cast<uint8_t>(i * 7);
    b[i] = static_cast<uint8_t>(i * 7 + (i % 5 == 0 ? 3 : 0));
  }
  for (auto _ : state) benchmark::DoNotOptimize(bench::Psnr(a, b));
}
BENCHMARK(BM_PsnrOfOneView)->Unit(benchmark::kMillisecond);

}  // namespace
