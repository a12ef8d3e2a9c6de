#include "platform/fake/recording_message_box.h"

namespace platform::fake {

RecordingMessageBox::RecordingMessageBox() {
  previous_ = SetMessageBoxHandler([this](const MessageBoxRequest& request) {
    boxes_.push_back({std::u16string(request.text), std::u16string(request.caption), request.icon});
  });
}

RecordingMessageBox::~RecordingMessageBox() { SetMessageBoxHandler(std::move(previous_)); }

}  // namespace platform::fake
