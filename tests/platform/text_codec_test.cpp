#include "platform/text_codec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "tests/support/comma_locale.h"

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
  const test_support::CommaLocale locale;
  MG_REQUIRE_INSTALLED(locale.active(), "a locale with a decimal comma (package locales)");
  EXPECT_EQ(platform::FormatFloat(131.5), u"131.500000");
  EXPECT_EQ(platform::FormatFloat(-0.25), u"-0.250000");
  EXPECT_EQ(platform::FormatInt(-150), u"-150");
  EXPECT_DOUBLE_EQ(platform::ParseLeadingDouble(u" 1.5xyz"), 1.5);
  EXPECT_DOUBLE_EQ(platform::ParseLeadingDouble(u"1,5"), 1.0);
}

// Numbers beyond the double range read as the C library's conversion reads
// them: an infinity of their sign when too large, zero when too small.
TEST(TextCodecTest, NumbersOutOfRangeReadLikeTheCLibrary) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    std::u16string_view text;
    double value;
  } cases[] = {{u"1e309", inf},       {u"-1e309", -inf},    {u"1e999999999999999999", inf},
               {u"123456e305x", inf}, {u"0.0001e313", inf}, {u"1e-400", 0.0},
               {u"-1e-400", -0.0},    {u"0.001e-330", 0.0}, {u"1e308", 1e308},
               {u"inf", inf},         {u"abc", 0.0},        {u"+2.5", 2.5}};
  for (const auto& c : cases) {
    const double value = platform::ParseLeadingDouble(c.text);
    EXPECT_EQ(value, c.value) << platform::Utf16ToUtf8(c.text);
    EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << platform::Utf16ToUtf8(c.text);
  }
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

TEST(TextCodecTest, PercentEncodingKeepsOnlyUnreservedBytes) {
  EXPECT_EQ(platform::PercentEncode("azAZ09-._~"), "azAZ09-._~");
  EXPECT_EQ(platform::PercentEncode(" !#$%&'()*+,/:;=?@[]\\\"`\r\n"),
            "%20%21%23%24%25%26%27%28%29%2A%2B%2C%2F%3A%3B%3D%3F%40%5B%5D%5C%22%60%0D%0A");
  const std::string bytes =
      "Gr\xC3\xBC\xC3\x9F"
      "e & 100% \xE6\x97\xA5";
  EXPECT_EQ(platform::PercentDecode(platform::PercentEncode(bytes)), bytes);
  struct Case {
    const char* text;
    const char* decoded;
  };
  const Case cases[] = {
      {"a%2fb%2Fc", "a/b/c"},  // either case of hex digits
      {"100%", "100%"},        // no digits after it
      {"%4", "%4"},           {"%zz%41", "%zzA"},
      {"a+b", "a+b"},  // "+" is no space in a mailto: address
  };
  for (const Case& c : cases) EXPECT_EQ(platform::PercentDecode(c.text), c.decoded) << c.text;
}

}  // namespace
