#include "app/developer_switches.h"

#include <cstdlib>

#include "bench/run_report.h"
#include "scene/pass_times.h"

namespace app {

DeveloperSwitches ReadDeveloperSwitches() {
  DeveloperSwitches switches;
  switches.passTimes = scene::PassTimesRequested(std::getenv("MG_PASS_TIMES"));
  switches.pathKeyframes = bench::ParseKeyframeLimit(std::getenv("MG_BENCH_PATH_KEYFRAMES"));
  if (const char* cap = std::getenv("MG_MAX_ANISOTROPY")) switches.maxAnisotropy = cap;
  return switches;
}

}  // namespace app
