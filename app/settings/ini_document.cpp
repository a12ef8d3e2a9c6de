#include "app/settings/ini_document.h"

namespace app {
namespace {

using platform::WString;

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
}

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Section and key names in this program are ASCII; Latin-1 letters are folded
// too so that hand-edited names behave as on the system the format comes from.
char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  return c;
}

bool EqualNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

// "[name]" → name; nothing for any other line.
std::optional<std::u16string_view> SectionName(std::u16string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != u'[') return std::nullopt;
  const size_t close = line.find(u']');
  if (close == std::u16string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

struct KeyLine {
  std::u16string_view key;
  std::u16string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::u16string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() == u';' || line.front() == u'[') return std::nullopt;
  const size_t eq = line.find(u'=');
  if (eq == std::u16string_view::npos) return std::nullopt;
  return KeyLine{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

std::u16string_view StripQuotes(std::u16string_view value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

IniDocument::IniDocument(std::u16string_view text) {
  while (!text.empty()) {
    const size_t lf = text.find(u'\n');
    std::u16string_view line = text.substr(0, lf);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    lines_.emplace_back(line);
    if (lf == std::u16string_view::npos) break;
    text.remove_prefix(lf + 1);
  }
}

WString IniDocument::Text() const {
  WString out;
  for (const WString& line : lines_) {
    out += line;
    out += u"\r\n";
  }
  return out;
}

std::optional<WString> IniDocument::Get(std::u16string_view section,
                                        std::u16string_view key) const {
  bool inSection = false;
  for (const WString& line : lines_) {
    if (const auto name = SectionName(line)) {
      if (inSection) return std::nullopt;
      inSection = EqualNoCase(*name, section);
    } else if (inSection) {
      const auto entry = ParseKeyLine(line);
      if (entry && EqualNoCase(entry->key, key)) return WString(StripQuotes(entry->value));
    }
  }
  return std::nullopt;
}

void IniDocument::Set(std::u16string_view section, std::u16string_view key,
                      std::u16string_view value) {
  WString clean(value);
  for (char16_t& c : clean) {
    if (c == u'\r' || c == u'\n') c = u' ';
  }

  size_t header = lines_.size();
  for (size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i]);
    if (name && EqualNoCase(*name, section)) {
      header = i;
      break;
    }
  }
  if (header == lines_.size()) {
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back(u"[" + WString(section) + u"]");
    lines_.push_back(WString(key) + u"=" + clean);
    return;
  }

  size_t lastContent = header;
  for (size_t i = header + 1; i < lines_.size() && !SectionName(lines_[i]); ++i) {
    if (const auto entry = ParseKeyLine(lines_[i]); entry && EqualNoCase(entry->key, key)) {
      lines_[i] = WString(entry->key) + u"=" + clean;
      return;
    }
    if (!Trim(lines_[i]).empty()) lastContent = i;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastContent + 1),
                WString(key) + u"=" + clean);
}

}  // namespace app
