// A counter that moves only when told: each reading takes the next scripted
// step (or the default step when the script has run out), and each pause
// moves it by the pause and is recorded.
#pragma once

#include <deque>
#include <mutex>
#include <vector>

#include "platform/clock.h"

namespace platform::fake {

class ScriptedClock final : public Clock {
 public:
  // Counts per second: one count per microsecond by default.
  explicit ScriptedClock(int64_t frequency = 1000000) : frequency_(frequency) {}

  int64_t Now() override;
  int64_t Frequency() override { return frequency_; }
  void SleepMs(int ms) override;

  // Milliseconds added before each of the next readings.
  void Script(const std::vector<double>& stepsMs);
  void SetDefaultStepMs(double ms);
  std::vector<int> sleeps() const;

 private:
  int64_t Counts(double ms) const;

  mutable std::mutex mutex_;
  int64_t frequency_;
  int64_t now_ = 0;
  int64_t defaultStep_ = 0;
  std::deque<int64_t> steps_;
  std::vector<int> sleeps_;
};

}  // namespace platform::fake
