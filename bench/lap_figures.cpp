#include "bench/lap_figures.h"

#include <cmath>
#include <numeric>

#include "bench/fixed_text.h"

namespace bench {

Spread SpreadOf(const std::vector<double>& values) {
  Spread spread;
  if (values.empty()) return spread;
  const double n = static_cast<double>(values.size());
  spread.mean = std::accumulate(values.begin(), values.end(), 0.0) / n;
  if (values.size() < 2) return spread;
  double squares = 0.0;
  for (const double value : values) squares += (value - spread.mean) * (value - spread.mean);
  spread.standardDeviation = std::sqrt(squares / (n - 1.0));
  if (spread.mean > 0.0) spread.cvPercent = spread.standardDeviation / spread.mean * 100.0;
  return spread;
}

std::optional<bool> IsStable(const Spread& fpsSpread) {
  if (!fpsSpread.cvPercent) return std::nullopt;
  return *fpsSpread.cvPercent <= kStableCvPercent;
}

std::string StabilitySentence(const Spread& fpsSpread, int laps) {
  const std::optional<bool> stable = IsStable(fpsSpread);
  if (!stable) {
    return laps < 2 ? "One lap cannot show how much the figure varies; run --laps 3 or more."
                    : "The laps' frame rates cannot be compared (no frames).";
  }
  const std::string cv = FormatFixed(*fpsSpread.cvPercent, 1);
  if (*stable) return "Stable: the laps' frame rates vary by " + cv + " %.";
  return "Not stable: the laps' frame rates vary by " + cv +
         " %, more than 3 %; close other programs and run more laps before comparing.";
}

}  // namespace bench
