#include "app/settings/ini_document.h"

#include <gtest/gtest.h>

#include <optional>

namespace app {
namespace {

const char16_t kSample[] =
    u"; written by hand\n"
    u"[Program]\n"
    u"TestIni=eeee\n"
    u"\n"
    u"[Morvandel.Gauge]\r\n"
    u"  render_type =  2  \r\n"
    u"quoted=\"a b \"\n"
    u"single='x'\n"
    u"; m_p_x=99\n"
    u"no equals sign here\n"
    u"empty=\n"
    u"render_type=7\n"
    u"[morvandel.gauge]\n"
    u"m_p_x=5\n";

TEST(IniDocumentTest, ReadsKeysLikeProfileStrings) {
  const IniDocument doc(kSample);
  struct Case {
    const char16_t* section;
    const char16_t* key;
    std::optional<std::u16string> expected;
  };
  const Case cases[] = {
      {u"Program", u"TestIni", u"eeee"},
      {u"PROGRAM", u"testini", u"eeee"},           // names match without case
      {u"Morvandel.Gauge", u"render_type", u"2"},  // blanks trimmed, first key wins
      {u"Morvandel.Gauge", u"quoted", u"a b "},    // a pair of quotes is removed
      {u"Morvandel.Gauge", u"single", u"x"},
      {u"Morvandel.Gauge", u"empty", u""},           // present but empty
      {u"Morvandel.Gauge", u"m_p_x", std::nullopt},  // commented out; the second section is ignored
      {u"Morvandel.Gauge", u"no equals sign here", std::nullopt},
      {u"Program", u"render_type", std::nullopt},
      {u"Missing", u"TestIni", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(doc.Get(c.section, c.key), c.expected)
        << std::string(c.key, c.key + std::char_traits<char16_t>::length(c.key));
  }
}

TEST(IniDocumentTest, KeepsEveryLineAndEndsThemWithCrLf) {
  const IniDocument doc(u"; c\n\n[A]\r\nk = v \nodd line\n[B]\nx=1");
  EXPECT_EQ(doc.Text(), u"; c\r\n\r\n[A]\r\nk = v \r\nodd line\r\n[B]\r\nx=1\r\n");
  EXPECT_TRUE(IniDocument(u"").Empty());
}

TEST(IniDocumentTest, WritesInPlaceAtSectionEndOrAsNewSection) {
  IniDocument doc(u"; top\n[Program]\nTestIni=M\n\n[Morvandel.Gauge]\nRender_Type=1\n; tail\n\n");

  doc.Set(u"program", u"testini", u"eeee");            // replaced where it is, spelling kept
  doc.Set(u"Morvandel.Gauge", u"m_p_x", u"12");        // after the section's last non-blank line
  doc.Set(u"Program", u"m_win_rc", u"0;0;800;600;2");  // before the blank separator
  doc.Set(u"New", u"k", u"line\r\nbreak");             // new section; no line injected

  EXPECT_EQ(doc.Text(),
            u"; top\r\n[Program]\r\nTestIni=eeee\r\nm_win_rc=0;0;800;600;2\r\n\r\n"
            u"[Morvandel.Gauge]\r\nRender_Type=1\r\n; tail\r\nm_p_x=12\r\n\r\n"
            u"[New]\r\nk=line  break\r\n");

  IniDocument empty;
  empty.Set(u"Program", u"TestIni", u"eeee");
  EXPECT_EQ(empty.Text(), u"[Program]\r\nTestIni=eeee\r\n");
}

}  // namespace
}  // namespace app
