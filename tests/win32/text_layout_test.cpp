// The GDI canvas' layout rules: which paragraphs read right to left, and
// where lines break (measured here at 10 pixels a character).
#include "platform/win32/text_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text_codec.h"

namespace {

using platform::win32::BreakLines;
using platform::win32::StartsRightToLeft;

TEST(TextLayoutTest, DirectionFollowsTheFirstLetter) {
  const struct {
    std::u16string text;
    bool rightToLeft;
  } cases[] = {
      {u"Start benchmark", false},
      {u"ابدأ الاختبار", true},
      {u"התחל", true},
      {u"2024: ابدأ", true},     // digits and punctuation have no direction
      {u"٣ ابدأ", true},         // neither have Arabic-Indic digits
      {u"(Start) ابدأ", false},  // the first letter decides
      {u"ベンチマークを開始", false},
      {u"Тест", false},
      {u"123 ...", false},  // no letter at all
      {u"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StartsRightToLeft(c.text), c.rightToLeft) << platform::Utf16ToUtf8(c.text);
  }
}

std::vector<std::u16string> Lines(std::u16string_view text, int maxWidth) {
  const auto measure = [](std::u16string_view piece) {
    return static_cast<int>(piece.size()) * 10;
  };
  std::vector<std::u16string> lines;
  for (const std::u16string_view line : BreakLines(text, maxWidth, measure))
    lines.emplace_back(line);
  return lines;
}

using LineList = std::vector<std::u16string>;

TEST(TextLayoutTest, BreaksAtFeedsAndBeforeTheWordThatPassesTheWidth) {
  const struct {
    std::u16string text;
    int maxWidth;
    LineList lines;
  } cases[] = {
      {u"", 100, {u""}},
      {u"one two three", 0, {u"one two three"}},  // no width: feeds only
      {u"one\ntwo\r\n\nthree\n", 0, {u"one", u"two", u"", u"three", u""}},
      {u"one two three", 70, {u"one two", u"three"}},
      {u"one two   three", 70, {u"one two", u"three"}},  // spaces at a break are dropped
      {u"one two three", 69, {u"one", u"two", u"three"}},
      {u"a verylongword b", 50, {u"a", u"veryl", u"ongwo", u"rd b"}},
      {u"abc", 5, {u"a", u"b", u"c"}},  // at least one character a line
      // Every East Asian character may start a line, but for closing
      // punctuation and the long vowel mark.
      {u"ベンチマークを開始", 40, {u"ベンチ", u"マークを", u"開始"}},
      {u"始め。です", 20, {u"始", u"め。", u"です"}},
      {u"GPU テスト", 50, {u"GPU テ", u"スト"}},
      {u"a\U0001F600\U0001F600", 30, {u"a\U0001F600", u"\U0001F600"}},  // pairs stay whole
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Lines(c.text, c.maxWidth), c.lines)
        << platform::Utf16ToUtf8(c.text) << " at " << c.maxWidth;
  }
}

}  // namespace
