// The per-second statistics, checked once per main-loop pass: frames per
// second, Mega-Tris (millions of triangles per second), and what a run asks of the
// system while it plays (the display kept awake, the main thread's priority
// raised, both given back afterwards). Pure: the caller passes the clock's
// tick, the facts of the pass and the power service.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/power.h"

namespace bench {

// The start value of the priority fields: neither raised nor restored, and
// the saved priority not yet read.
inline constexpr int kNotYet = 4444444;

// Only presented frames count: a loop pass that draws nothing (a paced
// loading pass, a pass that only served events) is not a frame.
struct FrameStatistics {
  int frameCount = 0;           // frames presented since the last update
  int64_t windowTriangles = 0;  // their triangles
  uint32_t lastTick = 0;        // tick of the last per-second update
  double fps = 0.0;             // frames per second of the last completed interval
  double megaTris = 0.0;        // Mega-Tris of the last completed interval
  // Raised at each per-second update; the HUD is rebuilt when it is not 0
  // and sets it back to 0.
  int secondTicks = 0;
  int priorityRaised = kNotYet;  // 1 raised, 0 restored
  int savedPriority = kNotYet;   // the priority before raising
  // What the system was last asked: empty before the first pass.
  std::optional<bool> keepAwake;
};

struct PassFacts {
  uint32_t tickMs = 0;  // TickMs of the program's clock
  bool playing = false;
  bool autopilot = false;
};

// The counter reading as a 32-bit millisecond tick that wraps around; 0
// when the frequency is not positive.
uint32_t TickMs(int64_t counter, int64_t frequency);

// A frame was presented with this many triangles.
void CountPresentedFrame(FrameStatistics& stats, int triangles);

// A run starts: the interval starts again at this tick with no frames, so
// that the run's first second holds only its own frames.
void RestartInterval(FrameStatistics& stats, uint32_t tickMs);

// Once per pass. Keeps the display awake while a run plays or the
// autopilot flies and lets it sleep otherwise (telling the service only
// when that changes); raises the thread's priority while a run plays and
// restores it afterwards (a refusal is ignored). When more than 1000 ms
// have passed since the last update, computes fps and megaTris (the
// interval's triangles over its length) from the frames presented, raises
// secondTicks and returns true: the caller keeps the highest Mega-Tris and
// shows the frame rate in the window title.
bool UpdateFrameStatistics(FrameStatistics& stats, const PassFacts& pass, platform::Power& power);

// While the HUD shows, a second that has ended (secondTicks not 0) asks for
// one rebuild of its text: true, and secondTicks is cleared. While it is
// hidden the request waits.
bool TakeHudRebuild(FrameStatistics& stats, bool showInfo);

// "%.1f FPS <product> - <width> x <height> <renderer>"
std::string BuildWindowTitle(double fps, const std::string& product, int width, int height,
                             const std::string& renderer);

}  // namespace bench
