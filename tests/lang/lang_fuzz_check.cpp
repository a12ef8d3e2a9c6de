#include "tests/lang/lang_fuzz_check.h"

#include <memory>
#include <string_view>
#include <vector>

#include "lang/archive_container.h"
#include "lang/string_archive.h"
#include "lang/translation.h"

namespace lang_test {
namespace {

// Every text must start inside the buffer and end at a terminator in it.
bool PointsInto(const char16_t* text, const std::vector<char16_t>& buffer) {
  if (text == nullptr) return true;
  const char16_t* first = buffer.data();
  const char16_t* last = buffer.data() + buffer.size();
  if (text < first || text >= last) return false;
  for (const char16_t* p = text; p < last; ++p) {
    if (*p == u'\0') return true;
  }
  return false;
}

const char* CheckTables(lang::StringArchive& archive) {
  if (archive.languageCount < 0 || archive.languageCount > lang::kMaxLanguages) {
    return "language count out of range";
  }
  for (int l = 0; l < lang::kMaxLanguages; ++l) {
    if (!PointsInto(archive.languageNames[l], archive.text)) return "name outside the text";
    if (archive.coverage[l] < 0 || archive.coverage[l] > 100) return "coverage out of range";
    for (const char16_t* entry : archive.languageText[l]) {
      if (!PointsInto(entry, archive.text)) return "entry outside the text";
    }
  }
  for (const char16_t* entry : archive.general) {
    if (!PointsInto(entry, archive.text)) return "general entry outside the text";
  }
  for (int language : {-1, 0, 1, 19, 64}) {
    archive.uiLanguage = language;
    for (int id = -1; id <= lang::kLanguageIds; ++id) {
      if (!PointsInto(lang::GetString(archive, id), archive.text)) return "lookup outside the text";
    }
  }
  return nullptr;
}

const char* CheckTranslation(std::span<const uint8_t> bytes) {
  auto archive = std::make_unique<lang::StringArchive>();
  const std::u16string text =
      lang::DecodeTranslationBytes({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  archive->userText.assign(text.begin(), text.end());
  archive->userText.push_back(u'\0');
  lang::ParseEntryLines(archive->userText, 0, text.size(), archive->user, false);
  archive->userTableActive = true;
  for (int id = -1; id <= lang::kLanguageIds; ++id) {
    const char16_t* found = lang::GetString(*archive, id);
    if (found == nullptr) return "no text in user-file mode";
    if (found != archive->missText.c_str() && !PointsInto(found, archive->userText)) {
      return "user entry outside the text";
    }
  }
  const std::u16string report = lang::TranslationCoverageReport(*archive);
  if (report.empty()) return "empty coverage report";
  return nullptr;
}

const char* CheckContainer(std::span<const uint8_t> bytes) {
  std::vector<uint8_t> decoded;
  const bool ok = lang::DecodeArchivePayload(bytes, decoded);
  if (!ok && !decoded.empty()) return "failed decode left output behind";
  if (ok) {
    const size_t length = static_cast<size_t>(bytes[0]) | static_cast<size_t>(bytes[1]) << 8 |
                          static_cast<size_t>(bytes[2]) << 16 | static_cast<size_t>(bytes[3]) << 24;
    if (decoded.size() != length) return "decoded length differs from the stored one";
  }
  return nullptr;
}

}  // namespace

const char* CheckLanguageBytes(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return nullptr;
  const std::span<const uint8_t> input = bytes.subspan(1);
  switch (bytes[0] % 3) {
    case 0:
      return CheckTranslation(input);
    case 1: {
      auto archive = std::make_unique<lang::StringArchive>();
      lang::BuildStringArchive(*archive, input);
      return CheckTables(*archive);
    }
    default:
      return CheckContainer(input);
  }
}

}  // namespace lang_test
