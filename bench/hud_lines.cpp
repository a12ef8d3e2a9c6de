#include "bench/hud_lines.h"

#include <charconv>

namespace bench {
namespace {

std::string Fixed(double value, int decimals) {
  char text[64];
  const auto end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, end.ptr);
}

}  // namespace

std::vector<std::string> HudLines(const HudFacts& facts) {
  const double trianglesMillions = facts.frameTriangles * 1e-6;
  std::vector<std::string> lines{
      Fixed(facts.fps, 1) + " FPS / " + Fixed(trianglesMillions, 2) + " Mega-Tris",
      "Mega-Tris / sec. " + Fixed(facts.megaTris, 2) + " "};
  if (facts.playing) {
    // A path of a single keyframe has no duration: it shows no progress
    // rather than a division by zero.
    const double percent =
        facts.pathDurationMs > 0.0 ? facts.pathPositionMs / facts.pathDurationMs * 100.0 : 0.0;
    std::string progress = Fixed(percent, 2) + " %";
    if (facts.lap == 0) {
      progress += " warm-up";
    } else if (facts.laps > 1) {
      progress += " lap " + std::to_string(facts.lap) + " of " + std::to_string(facts.laps);
    }
    lines.push_back(progress);
  }
  if (facts.autopilot) lines.push_back("Autopilot [F1]");
  return lines;
}

}  // namespace bench
