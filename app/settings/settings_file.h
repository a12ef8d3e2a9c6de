// The settings file on disk: reading with a size cap, the text encodings it
// may come in, and replacing it atomically.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/text_codec.h"

namespace app {

// Larger files are not settings files; they are left alone, unread.
inline constexpr std::size_t kMaxSettingsFileBytes = 16u << 20;

enum class FileRead { Ok, Missing, Unreadable };

struct SettingsFileBytes {
  FileRead status = FileRead::Missing;
  std::string bytes;
};

enum class LinkPolicy { Refuse, Follow };

// Reads the whole file. Unreadable: anything that is not a regular file (a
// folder, a pipe, a device, with LinkPolicy::Refuse a symbolic link), a file
// above kMaxSettingsFileBytes, or a read error. Never blocks on a pipe.
SettingsFileBytes ReadSettingsFile(const std::filesystem::path& path, LinkPolicy links);

// FF FE: UTF-16LE; FE FF: UTF-16BE; EF BB BF: UTF-8; anything else is 8-bit
// text (UTF-8 when valid, otherwise Windows-1252). A last odd byte of UTF-16
// text is half a character: it is left out, everything before it is kept.
platform::WString DecodeSettingsText(std::string_view bytes);
bool HasUtf16Bom(std::string_view bytes);
// FF FE followed by the text in UTF-16LE.
std::string EncodeSettingsText(std::u16string_view text);

// True when the path exists, is a regular file (not a link) and may be
// written: a file without any write permission bit counts as read-only even
// for a user who could override it.
bool IsWritableRegularFile(const std::filesystem::path& path);

// Writes the bytes to a new file in the same folder (created exclusively,
// never through a link), flushes it to disk and renames it over the path.
// An existing file keeps its permission bits and owner. On any failure the
// old file is untouched, the temporary file is removed and false is
// returned. A path that is a link, a folder or another special file is
// refused.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace app
