#include "platform/fake/recording_power.h"

namespace platform::fake {

void RecordingPower::KeepAwake(bool on) {
  log_.push_back(on ? "keep awake" : "allow sleep");
  awake = on;
}

int RecordingPower::ThreadPriority() {
  log_.push_back("read priority");
  return priority;
}

bool RecordingPower::RaiseThreadPriority() {
  log_.push_back("raise priority");
  if (refuseRaise) return false;
  priority = raisedPriority;
  return true;
}

bool RecordingPower::SetThreadPriority(int value) {
  log_.push_back("set priority " + std::to_string(value));
  priority = value;
  return true;
}

}  // namespace platform::fake
