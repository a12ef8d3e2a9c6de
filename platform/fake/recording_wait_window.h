// A wait window that draws nothing: it records what it is told ("create
// 798x244 Morvandel.Gauge class …", "paint Please wait\n....", "raise",
// "destroy") in a log the test owns.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/wait_window.h"

namespace platform::fake {

class WaitWindowLog {
 public:
  void Record(const std::string& entry);
  std::vector<std::string> entries() const;
  // The texts painted, in order.
  std::vector<std::u16string> paints() const;

 private:
  friend class RecordingWaitWindow;
  mutable std::mutex mutex_;
  std::vector<std::string> entries_;
  std::vector<std::u16string> paints_;
};

// Records into log, which must outlive the window. id is what id() gives.
std::unique_ptr<WaitWindow> CreateRecordingWaitWindow(WaitWindowLog& log,
                                                      const WaitWindowInfo& info,
                                                      uint32_t id = 900);

}  // namespace platform::fake
