// Frames and triangles counted per second; the window title shows the
// frame rate once a second.
#pragma once

#include <cstdint>
#include <string>

namespace bench {

struct FrameStatistics {
  int64_t secondStart = 0;  // counter value when the current second began
  int framesThisSecond = 0;
  int64_t trianglesThisSecond = 0;
  double framesPerSecond = 0.0;
  double megaTris = 0.0;
  bool updated = false;  // a second ended in the last update
};

// Counts one pass; when a second has passed since secondStart, computes the
// rates and starts the next second.
void UpdateFrameStatistics(FrameStatistics& stats, int64_t now, int64_t frequency,
                           int frameTriangles);

// "%.1f FPS <product> - <width> x <height> <renderer>"
std::string BuildWindowTitle(double fps, const std::string& product, int width, int height,
                             const std::string& renderer);

}  // namespace bench
