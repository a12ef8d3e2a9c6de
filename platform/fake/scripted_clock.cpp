#include "platform/fake/scripted_clock.h"

#include <cmath>

namespace platform::fake {

int64_t ScriptedClock::Counts(double ms) const {
  return static_cast<int64_t>(std::llround(ms * static_cast<double>(frequency_) / 1000.0));
}

int64_t ScriptedClock::Now() {
  std::lock_guard lock(mutex_);
  if (steps_.empty()) {
    now_ += defaultStep_;
  } else {
    now_ += steps_.front();
    steps_.pop_front();
  }
  return now_;
}

void ScriptedClock::SleepMs(int ms) {
  std::lock_guard lock(mutex_);
  sleeps_.push_back(ms);
  if (ms > 0) now_ += Counts(ms);
}

void ScriptedClock::Script(const std::vector<double>& stepsMs) {
  std::lock_guard lock(mutex_);
  for (double ms : stepsMs) steps_.push_back(Counts(ms));
}

void ScriptedClock::SetDefaultStepMs(double ms) {
  std::lock_guard lock(mutex_);
  defaultStep_ = Counts(ms);
}

std::vector<int> ScriptedClock::sleeps() const {
  std::lock_guard lock(mutex_);
  return sleeps_;
}

}  // namespace platform::fake
