// The program's string archive and the language it speaks: one record for
// the whole run, loaded first thing at start-up from the program's own file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "lang/string_archive.h"

namespace lang {

// The archive that GetString(id) and friends use. It stays process-wide:
// every text the user sees, from any layer and from the first message box on,
// is looked up through it, and it never changes after start-up apart from a
// translation the user loads.
StringArchive& ProgramStrings();

// The same for a file on disk, read from its start only as far as the
// archive's end marker; false when it cannot be read.
bool LoadStringArchiveFromFile(StringArchive& archive, const std::filesystem::path& path);

// Loads the archive of the running program into ProgramStrings(); false when
// it cannot be read. The caller tells the user (no text of the archive can).
bool LoadStringArchive();

const char16_t* GetString(int id);
const char16_t* GetGeneralString(int id);

// The language index GetString answers in (1 = English, the fallback).
void SetUiLanguage(int language);
int UiLanguage();

}  // namespace lang
