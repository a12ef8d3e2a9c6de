// Message boxes. The program shows a box and carries on once the user has
// closed it. Tests install a recorder (platform/fake/recording_message_box.h)
// so that nothing blocks and the text and caption can be compared exactly.
#pragma once

#include <functional>
#include <string_view>

namespace platform {

enum class MessageIcon { None, Information, Error };

struct MessageBoxRequest {
  std::u16string_view text;
  std::u16string_view caption;  // empty: no caption
  MessageIcon icon = MessageIcon::None;
};

using MessageBoxHandler = std::function<void(const MessageBoxRequest&)>;

void ShowMessageBox(std::u16string_view text, std::u16string_view caption,
                    MessageIcon icon = MessageIcon::None);

// Replaces the handler; returns the previous one. An empty handler restores
// the platform's own message box.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// The platform's own box, shown when no handler is set; each platform's side
// defines it.
void ShowNativeMessageBox(const MessageBoxRequest& request);

}  // namespace platform
