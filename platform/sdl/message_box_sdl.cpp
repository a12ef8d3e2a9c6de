#include <SDL.h>

#include <cstdio>

#include "platform/message_box.h"
#include "platform/text_codec.h"

namespace platform {

void ShowNativeMessageBox(const MessageBoxRequest& request) {
  const std::string text = Utf16ToUtf8(request.text);
  const std::string caption = Utf16ToUtf8(request.caption);
  Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
  if (request.icon == MessageIcon::Error) flags = SDL_MESSAGEBOX_ERROR;
  // Without a display SDL cannot show the box; the text still reaches the
  // user on the terminal, as it is (SDL's log would put its own prefix on it).
  if (SDL_ShowSimpleMessageBox(flags, caption.c_str(), text.c_str(), nullptr) != 0) {
    std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", text.c_str());
  }
}

}  // namespace platform
