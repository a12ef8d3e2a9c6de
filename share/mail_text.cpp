#include "share/mail_text.h"

#include "platform/text_codec.h"
#include "share/links.h"

namespace share {
namespace {

constexpr int kRecommendText = 240;
constexpr int kProgramSubject = 60;
constexpr int kProgramText = 61;

std::u16string Text(lang::StringArchive& strings, int id) {
  const char16_t* text = lang::GetString(strings, id);
  return text != nullptr ? std::u16string(text) : std::u16string();
}

std::u16string SubjectFor(lang::StringArchive& strings, int id) {
  return Text(strings, id) + u" :" + platform::Utf8ToUtf16(kProductName);
}

}  // namespace

MailDraft RecommendationMail(lang::StringArchive& strings) {
  return {SubjectFor(strings, kRecommendText), Text(strings, kRecommendText), false};
}

MailDraft ProgramMail(lang::StringArchive& strings) {
  return {SubjectFor(strings, kProgramSubject), Text(strings, kProgramText), true};
}

std::u16string ExpandNoteText(std::u16string_view text, std::u16string_view homepageBase) {
  const std::u16string product = platform::Utf8ToUtf16(kProductName);
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const std::u16string_view rest = text.substr(i);
    if (rest.starts_with(u"\\r")) {
      out += u'\r';
      i += 2;
    } else if (rest.starts_with(u"\\n")) {
      out += u'\n';
      i += 2;
    } else if (rest.starts_with(u"#IN#")) {
      out += homepageBase;
      i += 4;
    } else if (rest.starts_with(u"#AP#")) {
      out += product;
      i += 4;
    } else {
      out += text[i];
      ++i;
    }
  }
  return out;
}

std::string MailtoAddress(std::u16string_view subject, std::u16string_view body) {
  return "mailto:?subject=" + platform::PercentEncode(platform::Utf16ToUtf8(subject)) +
         "&body=" + platform::PercentEncode(platform::Utf16ToUtf8(body));
}

}  // namespace share
