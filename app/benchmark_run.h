// A benchmark run in the program: the window goes full screen while the
// camera flies the recorded path; a complete run stores its result in the
// settings and opens the results page, a stopped one stores nothing.
#pragma once

#include "app/application.h"

namespace app {

// The results page the menu opens after a complete run.
inline constexpr int kResultsPage = 5;

// The benchmark clock in milliseconds, from the loop's counter.
double NowMs(platform::Clock& clock);

// Starts a run (the menu's start command). False, with nothing changed, when
// no camera path is loaded.
bool StartRun(Application& ctx);

// Starts the player and the per-second interval with it, so that the run's
// first second counts only its own frames. False when no path is loaded.
bool StartPlayback(bench::BenchmarkPlayer& player, bench::FrameStatistics& stats,
                   platform::Clock& clock, bench::RunPlan plan = {});

// Once per running frame: moves the camera along the path; at the end of
// the path it ends the run (EndRun), or in a benchmark start writes the
// result and hands it over (app/benchmark_start.h).
void PlaybackFrame(Application& ctx);

// Writes the run's result (WriteRunResult), marks it fresh (the results page
// then offers Compare), shows the results page and leaves full screen.
void EndRun(Application& ctx, const bench::RunResult& result);

// Writes last_bench_time and last_average_fps, then each of the size,
// antialiasing and mode keys that changed, then last_bench_max_mega_tris.
void WriteRunResult(Application& ctx, const bench::RunResult& result);

// Escape and F1: the run stops and leaves full screen; nothing is written.
void StopRun(Application& ctx);

// A run's window mode ends: borderless mode ends, or the window gets its
// frame back. Does nothing while there is no window.
void LeaveRunWindowMode(platform::WindowSystem& windows, WindowState& win);

}  // namespace app
