#include "bench/frame_time_figures.h"

#include <algorithm>
#include <numeric>

namespace bench {

FrameTimeFigures ComputeFrameTimeFigures(std::vector<double> times) {
  FrameTimeFigures figures;
  const size_t n = times.size();
  if (n == 0) return figures;
  std::sort(times.begin(), times.end());
  figures.minimumMs = times.front();
  figures.maximumMs = times.back();
  figures.medianMs = n % 2 == 1 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2.0;
  const size_t rank = (99 * n + 99) / 100;  // ceil(0.99 n) without rounding error
  figures.percentile99Ms = times[rank - 1];
  const size_t slowest = std::max<size_t>(1, (n + 99) / 100);
  const double mean =
      std::accumulate(times.end() - static_cast<std::ptrdiff_t>(slowest), times.end(), 0.0) /
      static_cast<double>(slowest);
  figures.onePercentLowFps = mean > 0.0 ? 1000.0 / mean : 0.0;
  return figures;
}

}  // namespace bench
