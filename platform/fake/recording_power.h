// Records what the program asks of the power service, in order: "keep awake",
// "allow sleep", "read priority", "raise priority", "set priority N". The
// thread priority is a number the test sets; a raise can be scripted to be
// refused.
#pragma once

#include <string>
#include <vector>

#include "platform/power.h"

namespace platform::fake {

class RecordingPower final : public Power {
 public:
  void KeepAwake(bool on) override;
  int ThreadPriority() override;
  bool RaiseThreadPriority() override;
  bool SetThreadPriority(int priority) override;

  const std::vector<std::string>& log() const { return log_; }
  void ClearLog() { log_.clear(); }

  // Scripting and state.
  int priority = 0;
  int raisedPriority = -10;  // what a granted raise sets
  bool refuseRaise = false;  // as for a normal user
  bool awake = false;

 private:
  std::vector<std::string> log_;
};

}  // namespace platform::fake
