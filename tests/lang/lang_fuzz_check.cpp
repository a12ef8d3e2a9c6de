#include "tests/lang/lang_fuzz_check.h"

#include <string_view>
#include <vector>

#include "lang/archive_container.h"
#include "lang/lzari.h"
#include "lang/lzari_model.h"
#include "lang/string_archive.h"
#include "lang/translation_text.h"
#include "platform/text_codec.h"
#include "tests/lang/lang_test_support.h"

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

// The records are made once and reused by every input: an archive is large
// (64 x 256 entries), and making one per input would cost more than the
// parsing under test.
lang::StringArchive& ScratchArchive() {
  static lang::StringArchive archive;
  return archive;
}

// The small archive in the stored layout, parsed once: a translation is
// checked against its English texts.
lang::StringArchive& ReferenceArchive() {
  static lang::StringArchive archive = [] {
    lang::StringArchive built;
    lang::BuildStringArchive(built, lang::testing::Utf16Le(lang::testing::kSmallArchive));
    return built;
  }();
  return archive;
}

// "str:<id>?" for the ids the checks look up (-1 .. kLanguageIds), made once.
const std::u16string& MissText(int id) {
  static const std::vector<std::u16string> texts = [] {
    std::vector<std::u16string> made;
    for (int k = -1; k <= lang::kLanguageIds; ++k) {
      made.push_back(u"str:" + platform::FormatInt(k) + u"?");
    }
    return made;
  }();
  return texts[static_cast<size_t>(id + 1)];
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
  lang::StringArchive& archive = ReferenceArchive();
  lang::ApplyUserTranslation(archive, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  for (int id = -1; id <= lang::kLanguageIds; ++id) {
    const char16_t* found = lang::GetString(archive, id);
    if (found == nullptr) return "no text in user-file mode";
    if (PointsInto(found, archive.userText)) continue;
    if (found != MissText(id)) return "wrong text for a missing id";
  }
  if (lang::TranslationCoverageReport(archive).empty()) return "empty coverage report";
  return nullptr;
}

// Decoding is capped at one ring buffer's worth (writing starts 60 bytes
// before the ring's end, so it wraps early): a real archive in the input
// would otherwise be decoded whole for every input, which makes the fuzzer
// many times slower without reaching more of the decoder. (The frequency
// halving after 32767 symbols is covered by LzariTest.)
constexpr uint32_t kMaxFuzzDecodedLength = lang::lzari::kRingSize;

const char* CheckContainer(std::span<const uint8_t> bytes) {
  std::vector<uint8_t> payload(bytes.begin(), bytes.end());
  uint32_t length = 0;
  if (payload.size() >= 4) {
    length = static_cast<uint32_t>(payload[0]) | static_cast<uint32_t>(payload[1]) << 8 |
             static_cast<uint32_t>(payload[2]) << 16 | static_cast<uint32_t>(payload[3]) << 24;
    if (length > kMaxFuzzDecodedLength && length <= lang::kMaxDecodedLength) {
      length = kMaxFuzzDecodedLength;
      for (int k = 0; k < 4; ++k) payload[k] = static_cast<uint8_t>(length >> (8 * k));
    }
  }
  std::vector<uint8_t> decoded;
  const bool ok = lang::DecodeArchivePayload(payload, decoded);
  if (!ok && !decoded.empty()) return "failed decode left output behind";
  if (ok && decoded.size() != length) return "decoded length differs from the stored one";
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
      lang::StringArchive& archive = ScratchArchive();
      lang::BuildStringArchive(archive, input);
      return CheckTables(archive);
    }
    default:
      return CheckContainer(input);
  }
}

}  // namespace lang_test
