// Layout rules of the GDI canvas that need no device: the reading direction
// of a paragraph and where its lines break.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace platform::win32 {

// True when the first character with a strong direction reads right to left
// (Hebrew, Arabic and the other right-to-left scripts). Digits, spaces and
// punctuation have no direction of their own, so a text without letters
// reads left to right.
bool StartsRightToLeft(std::u16string_view text);

// The width in pixels of a piece of text on one line.
using MeasureWidth = std::function<int(std::u16string_view)>;

// Splits the text into lines, views into `text`: at every line feed, and
// when maxWidth > 0 also before the word that would pass maxWidth. Words
// end at spaces, and every East Asian character is a word of its own
// (closing punctuation and small kana stay with the character before). A
// word wider than a line breaks between characters. The spaces at a break
// belong to no line. Always at least one line.
std::vector<std::u16string_view> BreakLines(std::u16string_view text, int maxWidth,
                                            const MeasureWidth& measure);

}  // namespace platform::win32
