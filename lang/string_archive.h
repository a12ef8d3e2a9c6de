// The multilingual string archive: a general table of language-independent
// texts and up to 64 language tables of 256 texts each, all pointing into one
// decoded UTF-16 text that lives as long as the archive.
//
// The text is cut into sections at every "##": the general table, two
// reserved licence blocks, then one language per "##=<name line>"; a "##"
// without "=" after the third opens an unnamed language (the closing "##"
// gives the last, empty one). Inside a section every line containing "="
// is an entry: the number at the start of the line is the id, the text after
// the first "=" its text.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace lang {

inline constexpr int kMaxLanguages = 64;
inline constexpr int kLanguageIds = 256;
inline constexpr int kGeneralIds = 128;
inline constexpr int kEnglish = 1;

using LanguageTable = std::array<const char16_t*, kLanguageIds>;

struct StringArchive {
  // Decoded text; lines and sections are terminated in place.
  std::vector<char16_t> text;
  // [language][id]; null where the language has no entry.
  std::vector<LanguageTable> languageText = std::vector<LanguageTable>(kMaxLanguages);
  std::array<const char16_t*, kGeneralIds> general{};
  // Name line of each language ("German\tDeutsch"); null for unnamed ones.
  std::array<const char16_t*, kMaxLanguages> languageNames{};
  int languageCount = 0;
  // Per language, the truncated percentage of English entries it also has.
  std::array<int, kMaxLanguages> coverage{};
  // The English section as stored after its name line, for the template.
  std::u16string englishSection;

  // The language GetString answers in.
  int uiLanguage = kEnglish;

  // A loaded translation file replaces the archive for every lookup.
  LanguageTable user{};
  std::vector<char16_t> userText;
  bool userTableActive = false;
  // "str:<id>?" for each id a loaded translation lacks, made on the first
  // lookup and kept as long as the archive, so that every text GetString
  // returned stays valid.
  std::map<int, std::u16string> missTexts;
};

// Builds every table of `archive` from the decoded bytes (UTF-16LE).
void BuildStringArchive(StringArchive& archive, std::span<const uint8_t> decoded);

// Finds the container in `file` (the bytes of a program file), decodes it and
// builds the tables. False, with `archive` unchanged, when a marker is
// missing or the stream is damaged.
bool LoadStringArchiveFromBytes(StringArchive& archive, std::span<const uint8_t> file);

// Parses the entry lines of text[begin, end) into `table` (ids 0..size-1;
// others dropped; later lines win). Writes terminators into the text. With
// `escapes`, backslash-r and backslash-n in entry texts become CR and LF.
void ParseEntryLines(std::vector<char16_t>& text, size_t begin, size_t end,
                     std::span<const char16_t*> table, bool escapes);

// Text of `id` in the current language, falling back to English; null when
// neither has it. With a translation file loaded, only that file is asked
// and a missing id gives "str:<id>?".
const char16_t* GetString(StringArchive& archive, int id);

// Entry of the general table; null for missing entries and ids out of range.
const char16_t* GetGeneralString(const StringArchive& archive, int id);

// Number of ids 0..255 with non-empty English text, and of those also
// non-empty in `table`.
struct CoverageCount {
  int english = 0;
  int covered = 0;
  int Percent() const;
};
CoverageCount CountCoverage(const StringArchive& archive, const LanguageTable& table);

}  // namespace lang
