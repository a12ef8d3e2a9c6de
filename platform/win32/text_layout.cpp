#include "platform/win32/text_layout.h"

namespace platform::win32 {
namespace {

enum class Direction { None, LeftToRight, RightToLeft };

bool InRange(char16_t c, char16_t first, char16_t last) { return c >= first && c <= last; }

// The strong direction of a UTF-16 unit. Surrogates count as none: the
// scripts beyond the first plane matter little for a first strong letter,
// and emoji are neutral.
Direction DirectionOf(char16_t c) {
  if (c < 0x80) {
    return InRange(c, u'A', u'Z') || InRange(c, u'a', u'z') ? Direction::LeftToRight
                                                            : Direction::None;
  }
  if (InRange(c, 0x0590, 0x08FF)) {
    // Hebrew to Arabic Extended-A, but for the Arabic-Indic digits and
    // number separators.
    const bool number = InRange(c, 0x0660, 0x066C) || InRange(c, 0x06F0, 0x06F9) || c == 0x060C;
    return number ? Direction::None : Direction::RightToLeft;
  }
  if (InRange(c, 0xFB1D, 0xFDFF) || InRange(c, 0xFE70, 0xFEFE)) return Direction::RightToLeft;
  const bool neutral = (InRange(c, 0x80, 0xBF) && c != 0xAA && c != 0xB5 && c != 0xBA) ||
                       c == 0xD7 || c == 0xF7 || InRange(c, 0x0300, 0x036F) ||
                       InRange(c, 0x2000, 0x2BFF) || InRange(c, 0x3000, 0x3004) ||
                       InRange(c, 0x3008, 0x3020) || InRange(c, 0xD800, 0xDFFF) ||
                       InRange(c, 0xFE00, 0xFE6F) || InRange(c, 0xFF00, 0xFF20) || c >= 0xFFF0;
  return neutral ? Direction::None : Direction::LeftToRight;
}

bool IsEastAsian(char16_t c) {
  return InRange(c, 0x2E80, 0x9FFF) || InRange(c, 0xAC00, 0xD7AF) || InRange(c, 0xF900, 0xFAFF) ||
         InRange(c, 0xFF01, 0xFFEF);
}

// Characters that never start a line in Chinese and Japanese text.
bool NeverStartsLine(char16_t c) {
  return std::u16string_view(
             u"、。，．：；！？）」』】〕ー々ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮ")
             .find(c) != std::u16string_view::npos;
}

// The length of the character at `i`: 2 for a surrogate pair.
size_t CharLength(std::u16string_view text, size_t i) {
  return InRange(text[i], 0xD800, 0xDBFF) && i + 1 < text.size() &&
                 InRange(text[i + 1], 0xDC00, 0xDFFF)
             ? 2
             : 1;
}

// The end of the word starting at `i`, without the spaces after it.
size_t WordEnd(std::u16string_view text, size_t i) {
  if (text[i] == u' ') return i;
  if (IsEastAsian(text[i])) {
    ++i;
    while (i < text.size() && NeverStartsLine(text[i])) ++i;
    return i;
  }
  while (i < text.size() && text[i] != u' ' && !IsEastAsian(text[i])) i += CharLength(text, i);
  return i;
}

size_t SkipSpaces(std::u16string_view text, size_t i) {
  while (i < text.size() && text[i] == u' ') ++i;
  return i;
}

void WrapParagraph(std::u16string_view text, int maxWidth, const MeasureWidth& measure,
                   std::vector<std::u16string_view>& lines) {
  size_t start = 0;
  for (;;) {
    size_t end = start;   // the end of the words on this line
    size_t next = start;  // where the next line starts
    while (next < text.size()) {
      const size_t wordEnd = WordEnd(text, next);
      if (wordEnd > start && measure(text.substr(start, wordEnd - start)) > maxWidth) break;
      end = wordEnd;
      next = SkipSpaces(text, wordEnd);
    }
    if (next == start && next < text.size()) {
      // Not even the first word fits: as many of its characters as do, at
      // least one.
      end = start + CharLength(text, start);
      while (end < WordEnd(text, start)) {
        const size_t longer = end + CharLength(text, end);
        if (measure(text.substr(start, longer - start)) > maxWidth) break;
        end = longer;
      }
      next = end;
    }
    lines.push_back(text.substr(start, end - start));
    if (next >= text.size()) return;
    start = next;
  }
}

}  // namespace

bool StartsRightToLeft(std::u16string_view text) {
  for (const char16_t c : text) {
    const Direction direction = DirectionOf(c);
    if (direction != Direction::None) return direction == Direction::RightToLeft;
  }
  return false;
}

std::vector<std::u16string_view> BreakLines(std::u16string_view text, int maxWidth,
                                            const MeasureWidth& measure) {
  std::vector<std::u16string_view> lines;
  for (;;) {
    const size_t feed = text.find(u'\n');
    std::u16string_view paragraph = text.substr(0, feed);
    if (!paragraph.empty() && paragraph.back() == u'\r') paragraph.remove_suffix(1);
    if (maxWidth > 0) {
      WrapParagraph(paragraph, maxWidth, measure, lines);
    } else {
      lines.push_back(paragraph);
    }
    if (feed == std::u16string_view::npos) return lines;
    text.remove_prefix(feed + 1);
  }
}

}  // namespace platform::win32
