// Writing zip archives.
#pragma once

#include <filesystem>

namespace platform {

// Writes a zip archive at `zipPath` that holds the regular file `source`
// under its file name alone (no folders), with its permission bits and
// modification time. The archive is written under a temporary name in the
// same folder and then renamed over `zipPath`, so a reader never sees half
// an archive and an old archive stays until the new one is complete. False
// when the source is not a readable regular file or the archive cannot be
// written; nothing is left behind then.
bool ZipSingleFile(const std::filesystem::path& source, const std::filesystem::path& zipPath);

}  // namespace platform
