#include "lang/translation_text.h"

#include "platform/text_codec.h"

namespace lang {
namespace {

std::u16string OrEmpty(const char16_t* text) { return text != nullptr ? text : u""; }

bool NonEmpty(const char16_t* text) { return text != nullptr && text[0] != u'\0'; }

}  // namespace

void ApplyUserTranslation(StringArchive& archive, std::string_view bytes) {
  const std::u16string text = platform::DecodeTextFile(bytes);
  archive.userText.assign(text.begin(), text.end());
  archive.userText.push_back(u'\0');
  archive.user.fill(nullptr);
  ParseEntryLines(archive.userText, 0, text.size(), archive.user, false);
  archive.userTableActive = true;
}

std::u16string TranslationCoverageReport(const StringArchive& archive) {
  std::u16string report =
      platform::FormatInt(CountCoverage(archive, archive.user).Percent()) + u" %";
  const LanguageTable& english = archive.languageText[kEnglish];
  int missing = 0;
  for (int id = 0; id < kLanguageIds; ++id) {
    if (!NonEmpty(english[id]) || NonEmpty(archive.user[id])) continue;
    if (missing == 0) report += u"\n\nmiss:\n";
    if (missing < 9) {
      report += platform::FormatInt(id) + u"=" + english[id] + u"\n";
    } else {
      if (missing == 9) report += u"........\n";
      report += platform::FormatInt(id) + u",";
    }
    ++missing;
  }
  return report;
}

std::string TranslationTemplateFileName(const StringArchive& archive) {
  std::u16string name = OrEmpty(GetGeneralString(archive, 19));
  for (char16_t& c : name) {
    if (c == u' ' || c == u'/') c = u'_';
  }
  return platform::Utf16ToUtf8(name) + "_translate.txt";
}

std::u16string TranslationTemplateText(const StringArchive& archive) {
  std::u16string text = u"\r\nPlease don't forget! Write in e-mail subject: Strings for: ";
  text += OrEmpty(GetGeneralString(archive, 19));
  text += u" and Language Name i.e. : German / Deutsch \r\n\r\n";
  text += OrEmpty(GetGeneralString(archive, 25));
  text += u"\r\n\r\n##=";
  text += OrEmpty(archive.languageNames[kEnglish]);
  text += u"\r\n\r\n\r\n";
  text += archive.englishSection;
  text += u"\r\n\r\n";
  return text;
}

}  // namespace lang
