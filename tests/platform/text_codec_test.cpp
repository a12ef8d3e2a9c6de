#include "platform/text_codec.h"

#include <gtest/gtest.h>

#include <clocale>

namespace {

using platform::WString;

TEST(TextCodecTest, EightBitTextIsUtf8WhenValidElseWindows1252) {
  EXPECT_EQ(platform::AnsiToUtf16("Gr\xC3\xBC\xC3\x9F"
                                  "e"),
            u"Grüße");
  EXPECT_EQ(platform::AnsiToUtf16("Gr\xFC\xDF"
                                  "e \x80"),
            u"Grüße €");
  EXPECT_EQ(platform::AnsiToUtf16("\xE6\x97\xA5\xE6\x9C\xAC"), u"日本");
  // A UTF-8 sequence cut short is not valid UTF-8.
  EXPECT_FALSE(platform::IsValidUtf8("abc\xE6\x97"));
  EXPECT_FALSE(platform::IsValidUtf8("\xC0\xAF"));  // overlong
  EXPECT_TRUE(platform::IsValidUtf8(""));
}

TEST(TextCodecTest, Utf16RoundTripKeepsSupplementaryCharacters) {
  const std::string utf8 = "A\xF0\x9F\x8C\xB4 \xD8\xB9";  // palm tree, Arabic ain
  const WString wide = platform::Utf8ToUtf16(utf8);
  EXPECT_EQ(wide.size(), 5u);
  EXPECT_EQ(platform::Utf16ToUtf8(wide), utf8);
}

TEST(TextCodecTest, NumbersIgnoreTheProcessLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_EQ(platform::FormatFloat(131.5), u"131.500000");
  EXPECT_EQ(platform::FormatFloat(-0.25), u"-0.250000");
  EXPECT_EQ(platform::FormatInt(-150), u"-150");
  EXPECT_DOUBLE_EQ(platform::ParseLeadingDouble(u" 1.5xyz"), 1.5);
  if (previous != nullptr) std::setlocale(LC_NUMERIC, "C");
}

TEST(TextCodecTest, LeadingIntegerReadsLikeTheCLibrary) {
  const struct {
    std::u16string_view text;
    int value;
  } cases[] = {{u"12abc", 12},
               {u"abc", 0},
               {u"  -7", -7},
               {u"+3", 3},
               {u"", 0},
               {u"99999999999", 2147483647},
               {u"-99999999999", -2147483647 - 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(platform::ParseLeadingInt(c.text), c.value) << platform::Utf16ToUtf8(c.text);
  }
}

}  // namespace
