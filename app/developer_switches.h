// Switches for developers and the tests, from the environment. They are read
// once, by the entry function, and passed down with the application.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace app {

struct DeveloperSwitches {
  // MG_PASS_TIMES: the render passes' times on standard error.
  bool passTimes = false;
  // MG_BENCH_PATH_KEYFRAMES=N: a run flies only the path's first N keyframes.
  std::optional<size_t> pathKeyframes;
  // MG_MAX_ANISOTROPY=N: a cap on the driver's anisotropy, as written (see
  // render::CapAnisotropy for what counts).
  std::optional<std::string> maxAnisotropy;
};

DeveloperSwitches ReadDeveloperSwitches();

}  // namespace app
