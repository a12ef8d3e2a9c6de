#include "bench/run_report.h"

#include <charconv>
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

}  // namespace

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
         "), highest " + Fixed(result.maxMegaTris, 2) + " Mega-Tris";
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
  record["frame_time_ms"] = {{"minimum", times.minimumMs},
                             {"median", times.medianMs},
                             {"p99", times.percentile99Ms},
                             {"maximum", times.maximumMs}};
  record["one_percent_low_fps"] = times.onePercentLowFps;
  // Texts from the driver are not ours to trust: bytes that are not UTF-8
  // are replaced rather than refused.
  return record.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string FormatProgressLine(double percent, double fps) {
  return Padded(Fixed(percent, 1), 6) + " %  " + Padded(Fixed(fps, 1), 7) + " FPS";
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
