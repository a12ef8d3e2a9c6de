#include "lang/translation.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/shell.h"
#include "platform/text_codec.h"

namespace lang {
namespace {

constexpr std::u16string_view kTranslateCaption = u"Translate";

std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const auto first = static_cast<uint8_t>(bytes[2 * i]);
    const auto second = static_cast<uint8_t>(bytes[2 * i + 1]);
    text[i] = static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
  }
  return text;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

// Reads at most one byte more than the size limit; `tooLarge` tells whether
// there was more. Anything but a readable regular file reads as empty.
std::string ReadTranslationFile(const std::filesystem::path& path, bool& tooLarge) {
  tooLarge = false;
  std::string bytes;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return bytes;
  struct stat st {};
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    if (static_cast<uint64_t>(st.st_size) > kMaxTranslationFileSize) {
      tooLarge = true;
    } else {
      char buffer[1024];
      for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
        if (bytes.size() > kMaxTranslationFileSize) {
          tooLarge = true;
          break;
        }
      }
    }
  }
  close(fd);
  return bytes;
}

std::u16string OrEmpty(const char16_t* text) { return text != nullptr ? text : u""; }

bool NonEmpty(const char16_t* text) { return text != nullptr && text[0] != u'\0'; }

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Creates the file anew (an older file or a link of that name is removed
// first, never followed) and writes the text as UTF-16LE with its mark.
bool WriteUtf16File(const std::filesystem::path& path, std::u16string_view text) {
  if (unlink(path.c_str()) != 0 && errno != ENOENT) return false;
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + text.size() * 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  const bool written = WriteAll(fd, bytes);
  return close(fd) == 0 && written;
}

}  // namespace

std::u16string DecodeTranslationBytes(std::string_view bytes) {
  std::u16string text;
  if (StartsWith(bytes, "\xFF\xFE")) {
    text = Utf16FromBytes(bytes.substr(2), false);
  } else if (StartsWith(bytes, "\xFE\xFF")) {
    text = Utf16FromBytes(bytes.substr(2), true);
  } else {
    text = platform::AnsiToUtf16(bytes);
    if (!text.empty() && text[0] == u'\uFEFF') text.erase(0, 1);
  }
  return text;
}

bool LoadUserTranslation(StringArchive& archive, const std::filesystem::path& path) {
  bool tooLarge = false;
  const std::string bytes = ReadTranslationFile(path, tooLarge);
  if (tooLarge) {
    platform::ShowMessageBox(
        u"This file is too large for a translation (more than 4 MB) and was not loaded:\n" +
            platform::Utf8ToUtf16(path.string()),
        kTranslateCaption, platform::MessageIcon::Error);
    return false;
  }
  const std::u16string text = DecodeTranslationBytes(bytes);
  archive.userText.assign(text.begin(), text.end());
  archive.userText.push_back(u'\0');
  archive.user.fill(nullptr);
  ParseEntryLines(archive.userText, 0, text.size(), archive.user, false);
  archive.userTableActive = true;
  ReportTranslationCoverage(archive);
  return true;
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

bool ExportTranslationTemplate(StringArchive& archive, const std::filesystem::path& folder) {
  const std::filesystem::path path =
      folder.empty() ? std::filesystem::path() : folder / TranslationTemplateFileName(archive);
  const std::u16string shownPath = platform::Utf8ToUtf16(path.string());
  if (path.empty() || !WriteUtf16File(path, TranslationTemplateText(archive))) {
    platform::ShowMessageBox(OrEmpty(GetString(archive, 222)) + u"\n" + shownPath,
                             kTranslateCaption, platform::MessageIcon::Error);
    return false;
  }
  if (!platform::OpenWithDefaultHandler(path.string())) {
    platform::ShowMessageBox(
        u"The translation template was saved, but no program could be found to open it:\n" +
            shownPath,
        kTranslateCaption, platform::MessageIcon::Information);
    return false;
  }
  return true;
}

bool ExportTranslationTemplate(StringArchive& archive) {
  return ExportTranslationTemplate(archive, platform::PrivateTempDir());
}

}  // namespace lang
