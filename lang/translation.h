// Translations by users: a template with the English texts to fill in, and
// loading a finished translation file, which then answers every lookup.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "lang/string_archive.h"

namespace lang {

// Larger files are refused: no translation comes near this size.
inline constexpr size_t kMaxTranslationFileSize = 4u << 20;

// The text of a translation file: UTF-16LE or UTF-16BE after their byte-order
// mark, otherwise UTF-8 when the bytes are valid UTF-8, else Windows-1252.
// A leading byte-order mark is not part of the text.
std::u16string DecodeTranslationBytes(std::string_view bytes);

// Reads a translation file into the user table, makes the user table answer
// every lookup and shows the coverage report. A file that cannot be read
// counts as empty. A file above kMaxTranslationFileSize is refused with a
// message and changes nothing (returns false).
bool LoadUserTranslation(StringArchive& archive, const std::filesystem::path& path);

// "<percent> %", followed by the ids the loaded file lacks: the first nine
// with their English texts, then a dotted line and the rest as "id,".
std::u16string TranslationCoverageReport(const StringArchive& archive);
void ReportTranslationCoverage(const StringArchive& archive);

// "Load from Unicode File": asks for a file with the desktop's dialog and
// loads it; tells the user what to do when there is no dialog program.
void LoadTranslationFromDialog(StringArchive& archive);

// "<product name with blanks as _>_translate.txt".
std::string TranslationTemplateFileName(const StringArchive& archive);

// The template: instructions, the request text, the English name line and
// the English section as stored.
std::u16string TranslationTemplateText(const StringArchive& archive);

// Writes the template (UTF-16LE with byte-order mark) into `folder`,
// replacing an older one, and opens it with the desktop's default handler.
// On failure tells the user and returns false.
bool ExportTranslationTemplate(StringArchive& archive, const std::filesystem::path& folder);
// The same into the program's private temporary folder.
bool ExportTranslationTemplate(StringArchive& archive);

}  // namespace lang
