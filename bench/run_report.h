// How a benchmark started from the command line reports: the result line,
// the JSON record and the progress line. Pure; every number is written with
// a '.' whatever the locale.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "bench/benchmark_player.h"

namespace bench {

struct RunReport {
  std::string product;  // "Morvandel.Gauge"
  std::string version;  // "2.33"
  std::string glRenderer;
  std::string glVersion;
  std::string glVendor;
  int width = 0;
  int height = 0;
  int samples = 0;      // antialiasing; 0 = off
  int detailLevel = 1;  // terrain detail: 0 fine (high quality) to 2 coarse (low)
  int water = 1;        // the pass drawn: 0 none, 1 reflecting water, 2 simple water
  RunResult result;
};

// "low", "medium" or "high" for the detail levels 2, 1 and 0; "custom" for
// any other.
const char* QualityName(int detailLevel);

// One line, no newline: average FPS, duration, frames, size, antialiasing,
// quality and the highest Mega-Tris.
std::string FormatResultLine(const RunReport& report);

// The JSON record, indented, with a final newline.
std::string FormatRunJson(const RunReport& report);

// "  42.5 %   17.3 FPS": the share of the path flown and the current rate.
std::string FormatProgressLine(double percent, double fps);

// Keeps the first `limit` keyframes of a path (a test-only shortening). A
// limit of fewer than two keyframes, or text that is not a whole number, is
// ignored.
std::optional<size_t> ParseKeyframeLimit(const char* text);
void KeepFirstKeyframes(std::vector<Keyframe>& keyframes, std::optional<size_t> limit);

}  // namespace bench
