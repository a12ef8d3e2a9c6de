// Translations by users: a template with the English texts to fill in, and
// loading a finished translation file, which then answers every lookup.
#pragma once

#include <filesystem>

#include "lang/string_archive.h"
#include "lang/translation_text.h"

namespace lang {

// Reads a translation file into the user table, makes the user table answer
// every lookup and shows the coverage report. A file that cannot be read
// counts as empty. A file above kMaxTranslationFileSize is refused with a
// message and changes nothing (returns false).
bool LoadUserTranslation(StringArchive& archive, const std::filesystem::path& path);

void ReportTranslationCoverage(const StringArchive& archive);

// "Load from Unicode File": asks for a file with the desktop's dialog and
// loads it; tells the user what to do when there is no dialog program.
void LoadTranslationFromDialog(StringArchive& archive);

// Writes the template (UTF-16LE with byte-order mark) into `folder`,
// replacing an older one, and opens it with the desktop's default handler.
// On failure tells the user, naming the path, and returns false.
bool ExportTranslationTemplate(StringArchive& archive, const std::filesystem::path& folder);
// The same into the program's private temporary folder.
bool ExportTranslationTemplate(StringArchive& archive);

}  // namespace lang
