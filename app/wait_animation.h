// The wait window's text: the current message over a row of dots that grows
// by one each animation step and starts again after 21 steps.
#pragma once

#include <string>
#include <string_view>

namespace app {

struct WaitAnimation {
  std::u16string message;
  std::u16string shownText;  // last text painted
  int dotCount = 0;          // extra dots of the next step, 0 ... 20
};

// A new message; the dots start again.
void SetWaitMessage(WaitAnimation& animation, std::u16string_view message);

// One step: the message, a line break, four dots and dotCount more. True
// when that differs from the text painted last, which it then becomes.
bool AnimateWait(WaitAnimation& animation);

}  // namespace app
