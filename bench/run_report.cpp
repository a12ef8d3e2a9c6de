#include "bench/run_report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>

namespace bench {
namespace {

std::string Fixed(double value, int decimals) {
  char text[64];
  const auto end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, end.ptr);
}

std::string Padded(std::string text, size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string AntialiasingText(int samples) {
  return samples == 0 ? "off" : std::to_string(samples) + "x";
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// ", laps 15.8 16.0 15.6 FPS (CV 1.3 %, stable)" for a run of several laps.
std::string LapsText(const RunResult& result) {
  if (result.laps.size() < 2) return {};
  std::string text = ", laps";
  for (const LapFigures& lap : result.laps) text += " " + Fixed(lap.averageFps, 1);
  text += " FPS";
  if (result.lapFps.cvPercent) {
    text += " (CV " + Fixed(*result.lapFps.cvPercent, 1) + " %, " +
            (*IsStable(result.lapFps) ? "stable" : "not stable") + ")";
  }
  return text;
}

nlohmann::ordered_json SpreadJson(const Spread& spread) {
  return {{"mean", spread.mean},
          {"sd", spread.standardDeviation},
          {"cv_percent", spread.cvPercent ? nlohmann::ordered_json(*spread.cvPercent)
                                          : nlohmann::ordered_json(nullptr)}};
}

}  // namespace

bool IsSoftwareRenderer(std::string_view renderer) {
  // Mesa's three, the Windows fallbacks, and the other CPU rasterisers
  // people meet (in virtual machines, remote desktops and browsers).
  static constexpr std::array<std::string_view, 8> kSoftware{"llvmpipe",    "softpipe",
                                                             "swrast",      "software rasterizer",
                                                             "gdi generic", "basic render driver",
                                                             "swiftshader", "openswr"};
  const std::string lower = Lower(renderer);
  return std::any_of(kSoftware.begin(), kSoftware.end(), [&lower](std::string_view name) {
    return lower.find(name) != std::string::npos;
  });
}

bool CappedByVsync(double averageFps, int refreshHz, bool swapMayWaitForRefresh) {
  if (!swapMayWaitForRefresh || refreshHz <= 0 || averageFps <= 0.0) return false;
  for (int divisor = 1; divisor <= 4; ++divisor) {
    const double cap = static_cast<double>(refreshHz) / divisor;
    if (std::abs(averageFps - cap) <= cap * 0.02) return true;
  }
  return false;
}

const char* QualityName(int detailLevel) {
  switch (detailLevel) {
    case 0:
      return "high";
    case 1:
      return "medium";
    case 2:
      return "low";
    default:
      return "custom";
  }
}

std::string FormatResultLine(const RunReport& r) {
  const RunResult& result = r.result;
  return Fixed(result.averageFps, 1) + " FPS average, " + Fixed(result.durationMs / 1000.0, 1) +
         " s, " + std::to_string(result.frames) + " frames, " + std::to_string(r.width) + "x" +
         std::to_string(r.height) + ", antialiasing " + AntialiasingText(r.samples) + ", quality " +
         QualityName(r.detailLevel) + " (detail level " + std::to_string(r.detailLevel) +
         "), anisotropy " + std::to_string(r.anisotropy) + "x, highest " +
         Fixed(result.maxMegaTris, 2) + " Mega-Tris, average " + Fixed(result.averageMegaTris, 2) +
         " Mega-Tris" +
         (result.glTrianglesPerCounted
              ? ", GL assembled " + Fixed(*result.glTrianglesPerCounted, 2) + " per counted"
              : std::string()) +
         (CappedByVsync(result.averageFps, r.refreshHz, r.swapMayWaitForRefresh)
              ? ", capped by vsync at " + std::to_string(r.refreshHz) + " Hz"
              : std::string()) +
         LapsText(result);
}

std::string FormatRunJson(const RunReport& r) {
  const RunResult& result = r.result;
  const FrameTimeFigures& times = result.frameTimes;
  nlohmann::ordered_json record;
  record["program"] = r.product;
  record["version"] = r.version;
  record["gl"] = {{"renderer", r.glRenderer}, {"version", r.glVersion}, {"vendor", r.glVendor}};
  record["width"] = r.width;
  record["height"] = r.height;
  record["antialiasing"] = r.samples;
  record["detail_level"] = r.detailLevel;
  record["quality"] = QualityName(r.detailLevel);
  record["water"] = r.water;
  record["duration_s"] = result.durationMs / 1000.0;
  record["frames"] = result.frames;
  record["average_fps"] = result.averageFps;
  record["max_mega_tris"] = result.maxMegaTris;
  record["average_mega_tris"] = result.averageMegaTris;
  record["gl_triangles_per_counted"] = result.glTrianglesPerCounted
                                           ? nlohmann::ordered_json(*result.glTrianglesPerCounted)
                                           : nlohmann::ordered_json(nullptr);
  record["anisotropy"] = r.anisotropy;
  record["software_renderer"] = r.softwareRenderer;
  record["capped_by_vsync"] =
      CappedByVsync(result.averageFps, r.refreshHz, r.swapMayWaitForRefresh);
  record["refresh_hz"] =
      r.refreshHz > 0 ? nlohmann::ordered_json(r.refreshHz) : nlohmann::ordered_json(nullptr);
  record["frame_time_ms"] = {{"minimum", times.minimumMs},
                             {"median", times.medianMs},
                             {"p99", times.percentile99Ms},
                             {"maximum", times.maximumMs}};
  record["one_percent_low_fps"] = times.onePercentLowFps;
  record["warmup"] = r.warmup;
  nlohmann::ordered_json laps = nlohmann::ordered_json::array();
  for (const LapFigures& lap : result.laps) {
    laps.push_back({{"duration_s", lap.durationMs / 1000.0},
                    {"frames", lap.frames},
                    {"average_fps", lap.averageFps},
                    {"average_mega_tris", lap.averageMegaTris}});
  }
  record["laps"] = laps;
  record["lap_fps"] = SpreadJson(result.lapFps);
  record["lap_mega_tris"] = SpreadJson(result.lapMegaTris);
  record["cv_percent"] = result.lapFps.cvPercent ? nlohmann::ordered_json(*result.lapFps.cvPercent)
                                                 : nlohmann::ordered_json(nullptr);
  const std::optional<bool> stable = IsStable(result.lapFps);
  record["stable"] = stable ? nlohmann::ordered_json(*stable) : nlohmann::ordered_json(nullptr);
  record["stability"] = StabilitySentence(result.lapFps, static_cast<int>(result.laps.size()));
  if (r.validated) record["validated"] = *r.validated;
  // Texts from the driver are not ours to trust: bytes that are not UTF-8
  // are replaced rather than refused.
  return record.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string FormatProgressLine(double percent, double fps, std::optional<double> remainingMs) {
  std::string line = Padded(Fixed(percent, 1), 6) + " %  " + Padded(Fixed(fps, 1), 7) + " FPS";
  if (remainingMs) line += "  about " + FormatDuration(*remainingMs) + " left";
  return line;
}

std::string FormatDuration(double ms) {
  const auto seconds = static_cast<long long>(std::llround(std::max(ms, 0.0) / 1000.0));
  if (seconds < 60) return std::to_string(seconds) + " s";
  if (seconds < 3600) {
    const long long rest = seconds % 60;
    return std::to_string(seconds / 60) + " min" +
           (rest != 0 ? " " + std::to_string(rest) + " s" : std::string());
  }
  const long long minutes = (seconds + 30) / 60;
  const long long rest = minutes % 60;
  return std::to_string(minutes / 60) + " h " + (rest < 10 ? "0" : "") + std::to_string(rest) +
         " min";
}

std::optional<size_t> ParseKeyframeLimit(const char* text) {
  if (text == nullptr) return std::nullopt;
  const char* end = text + std::strlen(text);
  size_t limit = 0;
  const auto parsed = std::from_chars(text, end, limit);
  if (parsed.ec != std::errc() || parsed.ptr != end || limit < 2) return std::nullopt;
  return limit;
}

void KeepFirstKeyframes(std::vector<Keyframe>& keyframes, std::optional<size_t> limit) {
  if (limit && *limit < keyframes.size()) keyframes.resize(*limit);
}

}  // namespace bench
