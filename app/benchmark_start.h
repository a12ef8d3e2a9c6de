// A benchmark started from the command line (--benchmark). The run begins
// after the first frame that follows loading, so that the change of
// antialiasing and the first frame's one-off costs stay outside it; it flies
// at the size, quality, antialiasing and water the command line asks for,
// none of which is written to the settings file. Its end writes the same
// result keys as a run from the menu, prints the result line (and the JSON
// record) and ends the program. Keys and mouse do not steer it: Escape, F1,
// closing the window or Ctrl-C stop it, and then nothing is written.
#pragma once

#include <atomic>
#include <iostream>
#include <optional>
#include <string>

#include "app/reference_pictures.h"
#include "bench/benchmark_player.h"
#include "platform/window.h"

namespace app {

struct Application;

struct BenchmarkStart {
  enum class Phase { Loading, FirstFrame, Playing, Done };
  Phase phase = Phase::Loading;
  // Until the run completes and reports, a benchmark start has failed.
  int exitCode = 1;
  // Set by Ctrl-C (platform/console.h) or when the user stops the run;
  // polled once per pass of the loop.
  std::atomic<bool> interrupted{false};
  // The complete run's figures, handed over in the frame the path ends.
  std::optional<bench::RunResult> result;
  std::ostream* out = &std::cout;
  std::ostream* err = &std::cerr;
  // The progress line is rewritten in place, so it is shown on a terminal only.
  bool progressOnTerminal = false;
  bool progressShown = false;
  size_t progressWidth = 0;  // characters of the line shown
  double progressMs = 0.0;
  int progressFrames = 0;
  // The run's expected length has been said (after its first seconds).
  bool lengthTold = false;
  // Compares the reference views with the carried pictures (--validate);
  // the program's entry hands it in. Without it every view fails.
  ReferenceCheck checkReferences;
  // The outcome of --validate, once drawn.
  std::optional<bool> validated;
};

// Before anything runs: false, with the reason on `err`, when the JSON
// record's file could not be written, so that a run is never wasted on it.
bool JsonTargetWritable(const std::optional<std::string>& jsonPath, std::ostream& err);

// At the hand-over from loading: the menu stays hidden and the command
// line's quality, water and antialiasing take effect for this start.
void PrepareBenchmarkStart(Application& ctx);

// Takes the events a benchmark start handles itself; true when the event
// was taken. Window size and activation go on to the window procedure.
bool FilterBenchmarkEvent(Application& ctx, const platform::Event& event);

// After each pass of the loop: after the first frame draws and compares the
// reference views when asked to (and ends there without --benchmark), then
// starts the run, shows its progress and reports its end. True when the program should end.
bool BenchmarkStartStep(Application& ctx);

// The exit code once the loop has ended: 0 after a complete run that
// reported, 130 after a stop, otherwise 1 with a message.
int FinishBenchmarkStart(Application& ctx);

}  // namespace app
