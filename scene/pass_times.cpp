#include "scene/pass_times.h"

#include <cstdio>
#include <cstring>

namespace scene {
namespace {

constexpr const char* kStageNames[] = {"reflection",  "copy",  "clear",  "caustics",   "terrain",
                                       "shore-grass", "palms", "bushes", "land-grass", "sky",
                                       "water",       "menu",  "hud"};
static_assert(std::size(kStageNames) == static_cast<size_t>(PassStage::Count));

void Append(std::string& out, const char* name, double ms) {
  char text[64];
  std::snprintf(text, sizeof text, " %s %.1f", name, ms);
  out += text;
}

}  // namespace

bool PassTimesRequested(const char* value) {
  return value != nullptr && std::strcmp(value, "1") == 0;
}

std::string FormatPassTimes(const PassTimes& times, std::chrono::steady_clock::time_point end) {
  std::string out = "pass ms:";
  for (size_t s = 0; s < times.ms.size(); ++s) {
    if (s == static_cast<size_t>(PassStage::ReflectionCopy)) {
      char text[32];
      std::snprintf(text, sizeof text, " (copy %.1f)", times.ms[s]);
      out += text;
      continue;
    }
    Append(out, kStageNames[s], times.ms[s]);
  }
  Append(out, "total", std::chrono::duration<double, std::milli>(end - times.frameStart).count());
  return out;
}

}  // namespace scene
