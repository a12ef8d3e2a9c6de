// Figures of a run's own per-frame times, besides its average frame rate.
#pragma once

#include <vector>

namespace bench {

struct FrameTimeFigures {
  double minimumMs = 0.0;
  double medianMs = 0.0;        // the mean of the two middle times for an even count
  double percentile99Ms = 0.0;  // nearest rank: the ceil(0.99 n)-th shortest time
  double maximumMs = 0.0;
  // 1000 / mean of the slowest 1 % of the frames (at least one frame); 0
  // when there are no frames or that mean is 0.
  double onePercentLowFps = 0.0;
};

// All figures 0 for no frames.
FrameTimeFigures ComputeFrameTimeFigures(std::vector<double> frameTimesMs);

}  // namespace bench
