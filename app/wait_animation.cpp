#include "app/wait_animation.h"

namespace app {

void SetWaitMessage(WaitAnimation& animation, std::u16string_view message) {
  animation.message = message;
  animation.dotCount = 0;
}

bool AnimateWait(WaitAnimation& animation) {
  if (animation.dotCount < 0 || animation.dotCount > 20) animation.dotCount = 0;
  std::u16string text = animation.message + u"\n....";
  text.append(static_cast<size_t>(animation.dotCount), u'.');
  ++animation.dotCount;
  if (text == animation.shownText) return false;
  animation.shownText = std::move(text);
  return true;
}

}  // namespace app
