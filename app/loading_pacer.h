// Paces the loading frames. Each one draws the scene behind the loading page,
// which on a software renderer costs as much as a running frame and takes
// the processor from the loader; so the next one waits until drawing has
// taken at most a fifth of the time since the last began. On a graphics card
// that is every few milliseconds, on a software renderer every few seconds.
#pragma once

namespace app {

struct LoadingPacer {
  double nextMs = 0.0;  // clock time in ms from which the next frame is due
};

inline bool LoadingFrameDue(const LoadingPacer& pacer, double nowMs) {
  return nowMs >= pacer.nextMs;
}

// A frame was drawn from startMs to endMs.
inline void LoadingFrameDrawn(LoadingPacer& pacer, double startMs, double endMs) {
  pacer.nextMs = endMs + 4.0 * (endMs - startMs);
}

}  // namespace app
