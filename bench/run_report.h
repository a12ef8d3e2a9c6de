// How a benchmark started from the command line reports: the result line,
// the JSON record and the progress line. Pure; every number is written with
// a '.' whatever the locale.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
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
  int anisotropy = 0;   // the texture filtering used; 0 = none
  bool softwareRenderer = false;
  // The display's refresh rate, 0 when unknown, and whether the swap may
  // wait for it (an interval other than 0 asked for, or a request for 0
  // refused by the driver).
  int refreshHz = 0;
  bool swapMayWaitForRefresh = false;
  bool warmup = false;  // a warm-up lap was flown before the counted ones
  // The reference pictures' check before the run; empty when not asked for.
  std::optional<bool> validated;
  RunResult result;
};

// Whether the renderer string names a software rasteriser (Mesa's llvmpipe,
// softpipe or swrast, and the other well-known ones): a run then measures
// the processor, not a graphics card.
bool IsSoftwareRenderer(std::string_view renderer);

// Whether an average frame rate is the display's refresh rate or a whole
// fraction of it (1/1 to 1/4) within 2 %, while the swap may wait for the
// refresh: such a figure measures the display, not the graphics card.
bool CappedByVsync(double averageFps, int refreshHz, bool swapMayWaitForRefresh);

// "low", "medium" or "high" for the detail levels 2, 1 and 0; "custom" for
// any other.
const char* QualityName(int detailLevel);

// One line, no newline: average FPS, duration, frames, size, antialiasing,
// quality, anisotropy, the highest and the average Mega-Tris, GL's count
// against ours when sampled, the refresh rate when vsync capped the run, and
// each lap's frame rate with their spread when the run had several laps.
std::string FormatResultLine(const RunReport& report);

// The JSON record, indented, with a final newline.
std::string FormatRunJson(const RunReport& report);

// "  42.5 %   17.3 FPS": the share of the path flown and the current rate,
// followed by "  about 3 min 20 s left" when an estimate is given.
std::string FormatProgressLine(double percent, double fps,
                               std::optional<double> remainingMs = std::nullopt);

// "45 s", "3 min 20 s", "2 h 05 min": a length of time for people, rounded
// to whole seconds (minutes from an hour on).
std::string FormatDuration(double ms);

// Keeps the first `limit` keyframes of a path (a test-only shortening). A
// limit of fewer than two keyframes, or text that is not a whole number, is
// ignored.
std::optional<size_t> ParseKeyframeLimit(const char* text);
void KeepFirstKeyframes(std::vector<Keyframe>& keyframes, std::optional<size_t> limit);

}  // namespace bench
