#include "lang/string_archive.h"

#include <algorithm>

#include "lang/archive_container.h"
#include "platform/text_codec.h"

namespace lang {
namespace {

struct Section {
  size_t begin = 0;  // first character of the section's text
  size_t end = 0;    // where the next "##" (or the text) begins
  bool hasName = false;
  size_t nameBegin = 0;
  size_t nameEnd = 0;
};

// Positions of every "##" pair, left to right, pairs not overlapping.
std::vector<size_t> FindMarkers(const std::vector<char16_t>& text, size_t length) {
  std::vector<size_t> markers;
  for (size_t i = 0; i + 1 < length; ++i) {
    if (text[i] == u'#' && text[i + 1] == u'#') {
      markers.push_back(i);
      ++i;
    }
  }
  return markers;
}

// The first position in [from, end) holding one of the two characters, or end.
size_t FindEither(const std::vector<char16_t>& text, size_t from, size_t end, char16_t a,
                  char16_t b) {
  for (size_t i = from; i < end; ++i) {
    if (text[i] == a || text[i] == b) return i;
  }
  return end;
}

// Cuts the text at the markers. The "##" and the rest of its line are the
// header, except that a language header "##=<name>" ends at the CR of its
// line, so that the language's text begins with that line's LF.
std::vector<Section> CutSections(const std::vector<char16_t>& text, size_t length) {
  const std::vector<size_t> markers = FindMarkers(text, length);
  std::vector<Section> sections;
  for (size_t k = 0; k < markers.size(); ++k) {
    Section s;
    s.end = k + 1 < markers.size() ? markers[k + 1] : length;
    const size_t afterPair = markers[k] + 2;
    if (k >= 3 && afterPair < s.end && text[afterPair] == u'=') {
      s.hasName = true;
      s.nameBegin = afterPair + 1;
      s.nameEnd = FindEither(text, s.nameBegin, s.end, u'\r', u'\n');
      s.begin = s.nameEnd < s.end && text[s.nameEnd] == u'\r' ? s.nameEnd + 1 : s.nameEnd;
    } else {
      const size_t lineFeed = FindEither(text, afterPair, s.end, u'\n', u'\n');
      s.begin = lineFeed < s.end ? lineFeed + 1 : s.end;
    }
    sections.push_back(s);
  }
  return sections;
}

// Turns backslash-r / backslash-n into CR / LF in text[begin, end) in place;
// returns the new end.
size_t Unescape(std::vector<char16_t>& text, size_t begin, size_t end) {
  size_t out = begin;
  for (size_t i = begin; i < end; ++i) {
    if (text[i] == u'\\' && i + 1 < end && (text[i + 1] == u'r' || text[i + 1] == u'n')) {
      text[out++] = text[i + 1] == u'r' ? u'\r' : u'\n';
      ++i;
    } else {
      text[out++] = text[i];
    }
  }
  return out;
}

bool NonEmpty(const char16_t* text) { return text != nullptr && text[0] != u'\0'; }

}  // namespace

void ParseEntryLines(std::vector<char16_t>& text, size_t begin, size_t end,
                     std::span<const char16_t*> table, bool escapes) {
  size_t i = begin;
  while (i < end) {
    const size_t lineEnd = FindEither(text, i, end, u'\n', u'\n');
    size_t contentEnd = lineEnd;
    if (lineEnd < end && contentEnd > i && text[contentEnd - 1] == u'\r') --contentEnd;
    const size_t equals = FindEither(text, i, contentEnd, u'=', u'=');
    if (equals < contentEnd) {
      const int id = platform::ParseLeadingInt(std::u16string_view(&text[i], contentEnd - i));
      if (id >= 0 && static_cast<size_t>(id) < table.size()) {
        size_t textEnd = contentEnd;
        if (escapes) textEnd = Unescape(text, equals + 1, contentEnd);
        text[textEnd] = u'\0';
        table[static_cast<size_t>(id)] = &text[equals + 1];
      }
    }
    i = lineEnd + 1;
  }
}

void BuildStringArchive(StringArchive& archive, std::span<const uint8_t> decoded) {
  const size_t length = decoded.size() / 2;
  archive.text.assign(length + 1, u'\0');
  for (size_t i = 0; i < length; ++i) {
    archive.text[i] = static_cast<char16_t>(decoded[2 * i] | decoded[2 * i + 1] << 8);
  }
  for (LanguageTable& table : archive.languageText) table.fill(nullptr);
  archive.general.fill(nullptr);
  archive.languageNames.fill(nullptr);
  archive.coverage.fill(0);
  archive.englishSection.clear();
  archive.languageCount = 0;

  const std::vector<Section> sections = CutSections(archive.text, length);
  std::vector<Section> languages;
  for (size_t k = 3; k < sections.size() && languages.size() < kMaxLanguages; ++k) {
    languages.push_back(sections[k]);
  }
  archive.languageCount = static_cast<int>(languages.size());
  if (languages.size() > kEnglish) {
    const Section& english = languages[kEnglish];
    archive.englishSection.assign(archive.text.begin() + english.begin,
                                  archive.text.begin() + english.end);
  }
  for (size_t l = 0; l < languages.size(); ++l) {
    const Section& s = languages[l];
    if (s.hasName) {
      archive.text[s.nameEnd] = u'\0';
      archive.languageNames[l] = &archive.text[s.nameBegin];
    }
    ParseEntryLines(archive.text, s.begin, s.end, archive.languageText[l], false);
  }
  for (size_t l = 0; l < languages.size(); ++l) {
    archive.coverage[l] = CountCoverage(archive, archive.languageText[l]).Percent();
  }
  if (!sections.empty()) {
    ParseEntryLines(archive.text, sections[0].begin, sections[0].end, archive.general, true);
  }
}

bool LoadStringArchiveFromBytes(StringArchive& archive, std::span<const uint8_t> file) {
  const auto payload = FindArchivePayload(file);
  if (!payload) return false;
  std::vector<uint8_t> decoded;
  if (!DecodeArchivePayload(*payload, decoded)) return false;
  BuildStringArchive(archive, decoded);
  return true;
}

const char16_t* GetString(StringArchive& archive, int id) {
  const bool known = id >= 0 && id < kLanguageIds;
  if (archive.userTableActive) {
    if (known && archive.user[id] != nullptr) return archive.user[id];
    auto [miss, added] = archive.missTexts.try_emplace(id);
    if (added) miss->second = u"str:" + platform::FormatInt(id) + u"?";
    return miss->second.c_str();
  }
  if (!known) return nullptr;
  const int language = archive.uiLanguage;
  if (language >= 0 && language < std::min(kMaxLanguages, archive.languageCount)) {
    if (const char16_t* text = archive.languageText[language][id]) return text;
  }
  return archive.languageText[kEnglish][id];
}

const char16_t* GetGeneralString(const StringArchive& archive, int id) {
  if (id < 0 || id >= kGeneralIds) return nullptr;
  return archive.general[id];
}

int CoverageCount::Percent() const {
  if (english == 0) return 0;
  return static_cast<int>(static_cast<double>(covered) / english * 100.0);
}

CoverageCount CountCoverage(const StringArchive& archive, const LanguageTable& table) {
  CoverageCount count;
  for (int id = 0; id < kLanguageIds; ++id) {
    if (!NonEmpty(archive.languageText[kEnglish][id])) continue;
    ++count.english;
    if (NonEmpty(table[id])) ++count.covered;
  }
  return count;
}

}  // namespace lang
