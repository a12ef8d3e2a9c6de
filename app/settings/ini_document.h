// An INI text held in memory, read and changed the way Windows' profile-string
// functions treat their files:
// - "[name]" starts a section; section names and keys match without regard
//   to case; the first matching section and the first matching key win;
// - "key=value" lines: blanks around the key and the value are ignored, a
//   value wrapped in a pair of double or single quotes loses them on reading;
// - lines starting with ';' are comments; comments, blank lines and lines the
//   reader does not understand are kept exactly as they are;
// - a new key goes after the last non-blank line of its section, a new
//   section at the end of the text after a blank line;
// - every line ends with CR LF when the text is written out.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/text_codec.h"

namespace app {

class IniDocument {
 public:
  IniDocument() = default;
  // Lines end at LF; a CR before the LF belongs to the line end.
  explicit IniDocument(std::u16string_view text);

  platform::WString Text() const;
  bool Empty() const { return lines_.empty(); }

  // The value of the key, or nothing when the section or the key is missing.
  std::optional<platform::WString> Get(std::u16string_view section, std::u16string_view key) const;
  // Adds or replaces the key. Line breaks inside the value become blanks so
  // that a value can never add lines of its own.
  void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

 private:
  std::vector<platform::WString> lines_;
};

}  // namespace app
