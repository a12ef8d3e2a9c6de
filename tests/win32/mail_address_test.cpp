// mailto: addresses split for Simple MAPI and with the attachment's path in
// the text for a mail program that only gets the address.
#include "platform/win32/mail_address.h"

#include <gtest/gtest.h>

namespace {

using platform::win32::MailtoWithAttachmentNote;
using platform::win32::ParseMailto;

TEST(MailAddressTest, FieldsAreDecodedWhateverTheirCase) {
  const auto fields =
      ParseMailto("mailto:a%40b.example?SUBJECT=Gr%C3%BC%C3%9Fe&Body=1%262%0D%0A&x=y&to=c@d");
  EXPECT_EQ(fields.to, "a@b.example,c@d");
  EXPECT_EQ(fields.subject,
            "Gr\xC3\xBC\xC3\x9F"
            "e");
  EXPECT_EQ(fields.body, "1&2\r\n");
  const auto bare = ParseMailto("mailto:?subject=s");
  EXPECT_EQ(bare.to, "");
  EXPECT_EQ(bare.subject, "s");
  EXPECT_EQ(ParseMailto("http://x/?subject=s").subject, "");
}

TEST(MailAddressTest, TheAttachmentsPathEndsTheText) {
  const std::string path = "C:\\Users\\\xC3\xA9t\xC3\xA9\\Temp\\a b&c.zip";
  const std::string encoded = "C%3A%5CUsers%5C%C3%A9t%C3%A9%5CTemp%5Ca%20b%26c.zip";
  struct Case {
    const char* mailto;
    std::string noted;
  };
  const Case cases[] = {
      {"mailto:?subject=s&body=hello", "mailto:?subject=s&body=hello%0D%0A%0D%0A" + encoded},
      {"mailto:?body=hello&subject=s", "mailto:?body=hello%0D%0A%0D%0A" + encoded + "&subject=s"},
      {"mailto:?subject=s", "mailto:?subject=s&body=" + encoded},
      {"mailto:a@b", "mailto:a@b?body=" + encoded},
      {"mailto:a@b?", "mailto:a@b?body=" + encoded},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mailto);
    const std::string noted = MailtoWithAttachmentNote(c.mailto, path);
    EXPECT_EQ(noted, c.noted);
    EXPECT_TRUE(ParseMailto(noted).body.ends_with(path));
  }
  EXPECT_EQ(MailtoWithAttachmentNote("mailto:?body=x", ""), "mailto:?body=x");
}

}  // namespace
