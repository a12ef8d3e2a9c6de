// Records message boxes instead of showing them, for as long as it lives.
#pragma once

#include <string>
#include <vector>

#include "platform/message_box.h"

namespace platform::fake {

struct RecordedMessageBox {
  std::u16string text;
  std::u16string caption;
  MessageIcon icon;
};

class RecordingMessageBox {
 public:
  RecordingMessageBox();
  ~RecordingMessageBox();
  RecordingMessageBox(const RecordingMessageBox&) = delete;
  RecordingMessageBox& operator=(const RecordingMessageBox&) = delete;

  const std::vector<RecordedMessageBox>& boxes() const { return boxes_; }
  void Clear() { boxes_.clear(); }

 private:
  std::vector<RecordedMessageBox> boxes_;
  MessageBoxHandler previous_;
};

}  // namespace platform::fake
