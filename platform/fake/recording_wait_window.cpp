#include "platform/fake/recording_wait_window.h"

#include "platform/text_codec.h"

namespace platform::fake {

void WaitWindowLog::Record(const std::string& entry) {
  std::lock_guard<std::mutex> lock(mutex_);
  entries_.push_back(entry);
}

std::vector<std::string> WaitWindowLog::entries() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return entries_;
}

std::vector<std::u16string> WaitWindowLog::paints() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return paints_;
}

class RecordingWaitWindow final : public WaitWindow {
 public:
  RecordingWaitWindow(WaitWindowLog& log, uint32_t id) : log_(log), id_(id) {}
  ~RecordingWaitWindow() override { log_.Record("destroy"); }

  uint32_t id() const override { return id_; }
  void Paint(std::u16string_view text) override {
    {
      std::lock_guard<std::mutex> lock(log_.mutex_);
      log_.paints_.emplace_back(text);
    }
    log_.Record("paint " + Utf16ToUtf8(text));
  }
  void Raise() override { log_.Record("raise"); }

 private:
  WaitWindowLog& log_;
  uint32_t id_;
};

std::unique_ptr<WaitWindow> CreateRecordingWaitWindow(WaitWindowLog& log,
                                                      const WaitWindowInfo& info, uint32_t id) {
  log.Record("create " + std::to_string(info.width) + "x" + std::to_string(info.height) + " " +
             info.title + " class " + info.windowClass + " picture " +
             std::to_string(info.pictureWidth) + "x" + std::to_string(info.pictureHeight));
  return std::make_unique<RecordingWaitWindow>(log, id);
}

}  // namespace platform::fake
