#include "lang/translation.h"

#include "platform/file_io.h"
#include "platform/message_box.h"
#include "platform/shell.h"
#include "platform/text_codec.h"

namespace lang {
namespace {

constexpr std::u16string_view kTranslateCaption = u"Translate";

std::u16string OrEmpty(const char16_t* text) { return text != nullptr ? text : u""; }

// Shows the outcome of writing the template and opens it when it was written.
bool OpenWrittenTemplate(StringArchive& archive, const platform::PrivateFile& file) {
  const std::u16string shownPath = platform::Utf8ToUtf16(file.path.string());
  if (!file.written) {
    platform::ShowMessageBox(OrEmpty(GetString(archive, 222)) + u"\n" + shownPath,
                             kTranslateCaption, platform::MessageIcon::Error);
    return false;
  }
  if (!platform::OpenWithDefaultHandler(file.path.string())) {
    platform::ShowMessageBox(
        u"The translation template was saved, but no program could be found to open it:\n" +
            shownPath,
        kTranslateCaption, platform::MessageIcon::Information);
    return false;
  }
  return true;
}

std::string TemplateBytes(const StringArchive& archive) {
  return platform::EncodeUtf16LeWithBom(TranslationTemplateText(archive));
}

}  // namespace

bool LoadUserTranslation(StringArchive& archive, const std::filesystem::path& path) {
  const platform::FileBytes file = platform::ReadFile(path, kMaxTranslationFileSize);
  if (file.status == platform::ReadStatus::TooLarge) {
    platform::ShowMessageBox(
        u"This file is too large for a translation (more than 4 MB) and was not loaded:\n" +
            platform::Utf8ToUtf16(path.string()),
        kTranslateCaption, platform::MessageIcon::Error);
    return false;
  }
  ApplyUserTranslation(archive, file.bytes);
  ReportTranslationCoverage(archive);
  return true;
}

void ReportTranslationCoverage(const StringArchive& archive) {
  platform::ShowMessageBox(TranslationCoverageReport(archive), kTranslateCaption);
}

void LoadTranslationFromDialog(StringArchive& archive) {
  const platform::FileChoice choice = platform::ChooseFileToOpen("Load from Unicode File");
  switch (choice.status) {
    case platform::FileChoiceStatus::Chosen:
      LoadUserTranslation(archive, choice.path);
      break;
    case platform::FileChoiceStatus::Cancelled:
      break;
    case platform::FileChoiceStatus::Unavailable:
      platform::ShowMessageBox(
          u"No file dialog could be opened: choosing a file needs the program \"zenity\".\n"
          u"Install it (for example with \"sudo apt install zenity\"), then choose "
          u"\"Load from Unicode File\" again.",
          kTranslateCaption, platform::MessageIcon::Information);
      break;
  }
}

bool ExportTranslationTemplate(StringArchive& archive, const std::filesystem::path& folder) {
  return OpenWrittenTemplate(
      archive,
      platform::WriteNewFile(folder, TranslationTemplateFileName(archive), TemplateBytes(archive)));
}

bool ExportTranslationTemplate(StringArchive& archive) {
  return OpenWrittenTemplate(
      archive,
      platform::WritePrivateTempFile(TranslationTemplateFileName(archive), TemplateBytes(archive)));
}

}  // namespace lang
