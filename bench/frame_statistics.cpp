#include "bench/frame_statistics.h"

#include <charconv>

namespace bench {

void UpdateFrameStatistics(FrameStatistics& stats, int64_t now, int64_t frequency,
                           int frameTriangles) {
  stats.updated = false;
  if (stats.secondStart == 0) stats.secondStart = now;
  ++stats.framesThisSecond;
  stats.trianglesThisSecond += frameTriangles;
  const int64_t elapsed = now - stats.secondStart;
  if (frequency <= 0 || elapsed < frequency) return;
  const double seconds = static_cast<double>(elapsed) / static_cast<double>(frequency);
  stats.framesPerSecond = stats.framesThisSecond / seconds;
  stats.megaTris = static_cast<double>(stats.trianglesThisSecond) / seconds / 1.0e6;
  stats.framesThisSecond = 0;
  stats.trianglesThisSecond = 0;
  stats.secondStart = now;
  stats.updated = true;
}

std::string BuildWindowTitle(double fps, const std::string& product, int width, int height,
                             const std::string& renderer) {
  char number[64];
  const auto end = std::to_chars(number, number + sizeof number, fps, std::chars_format::fixed, 1);
  return std::string(number, end.ptr) + " FPS " + product + " - " + std::to_string(width) + " x " +
         std::to_string(height) + " " + renderer;
}

}  // namespace bench
