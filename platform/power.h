// What a benchmark run asks of the system while it measures: the display
// kept awake (no screen saver, no display sleep) and the main thread's
// scheduling priority raised. The SDL/POSIX implementation is
// platform/sdl/sdl_power.h; tests record the calls with
// platform/fake/recording_power.h.
#pragma once

namespace platform {

class Power {
 public:
  virtual ~Power() = default;

  // On: the screen saver and display sleep are inhibited. Off: the system
  // may blank the display and sleep again.
  virtual void KeepAwake(bool on) = 0;

  // The calling thread's priority as the system counts it (a nice value:
  // lower runs sooner).
  virtual int ThreadPriority() = 0;
  // Raises the calling thread's priority for a run. False when the system
  // refuses, as it does for a normal user; nothing changes then.
  virtual bool RaiseThreadPriority() = 0;
  // Sets the calling thread's priority to a value ThreadPriority returned.
  // False when the system refuses.
  virtual bool SetThreadPriority(int priority) = 0;
};

}  // namespace platform
