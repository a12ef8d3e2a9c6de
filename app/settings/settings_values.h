// The text forms of settings values: how a stored text reads as an int or a
// float, the window placement text, and the brightness range.
#pragma once

#include <string_view>

#include "platform/text_codec.h"

namespace app {

// A non-empty text gives the integer at its start (0 when there is none); an
// empty one gives `fallback`. When neither bound is -1 the value is clamped
// to [min, max].
int IntFromSettingText(std::u16string_view text, int fallback, int min, int max);

// The decimal number at the start of the text, 0 when there is none, read
// as the C library's conversion reads it: beyond the float range it is an
// infinity of its sign.
float FloatFromSettingText(std::u16string_view text);

// The window placement text: left, top, right, bottom and show command,
// followed by the literal "x,y,w,h,SW".
platform::WString FormatWindowRect(int left, int top, int right, int bottom, int showCommand);

// Brightness is used within [0.5, 1.5]; a value that is not a number gives
// the default 1.0.
float ClampGamma(float gamma);

}  // namespace app
