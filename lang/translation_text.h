// Translation texts without files: a translation file's bytes applied as the
// user table, the coverage report, and the template's name and text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "lang/string_archive.h"

namespace lang {

// Larger files are refused: no translation comes near this size.
inline constexpr size_t kMaxTranslationFileSize = 4u << 20;

// Decodes the bytes of a translation file (platform::DecodeTextFile), parses
// its entry lines into the user table and makes the user table answer every
// lookup.
void ApplyUserTranslation(StringArchive& archive, std::string_view bytes);

// "<percent> %", followed by the ids the loaded file lacks: the first nine
// with their English texts, then a dotted line and the rest as "id,".
std::u16string TranslationCoverageReport(const StringArchive& archive);

// "<product name with blanks as _>_translate.txt".
std::string TranslationTemplateFileName(const StringArchive& archive);

// The template: instructions, the request text, the English name line and
// the English section as stored.
std::u16string TranslationTemplateText(const StringArchive& archive);

}  // namespace lang
