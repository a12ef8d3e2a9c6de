// A run flown as several laps of the path: each lap's own figures and their
// spread, which tells whether the run's figure is stable enough to compare.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace bench {

// A coefficient of variation above this, in per cent, marks a result as
// unstable: two such results cannot tell apart differences of a few per cent.
inline constexpr double kStableCvPercent = 3.0;

struct LapFigures {
  double durationMs = 0.0;
  int frames = 0;
  double averageFps = 0.0;
  double averageMegaTris = 0.0;
};

struct Spread {
  double mean = 0.0;
  double standardDeviation = 0.0;  // sample (n - 1); 0 for a single value
  // 100 sd / mean; empty for fewer than two values or a mean of 0.
  std::optional<double> cvPercent;
};

Spread SpreadOf(const std::vector<double>& values);

// Empty when the spread is unknown (one lap), otherwise whether the
// coefficient of variation is at most kStableCvPercent.
std::optional<bool> IsStable(const Spread& fpsSpread);

// A plain sentence on the stability, for the result line and the record.
std::string StabilitySentence(const Spread& fpsSpread, int laps);

}  // namespace bench
