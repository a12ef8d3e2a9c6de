// Reading and writing whole files safely.
//
// - Reads are capped: a file above the cap is reported, never loaded, and
//   only regular files are read (a pipe or device never blocks a read).
// - Replacing a file goes through a temporary file in the same folder,
//   created 0600, exclusively and never through a link, flushed to disk and
//   renamed over the old one: a crash leaves either the old file or the new
//   one, never half a file.
// - Files for the user to open (templates, result pages, screenshots) go into
//   the private temporary folder (paths.h), created anew, never through a
//   link.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

enum class ReadStatus { Ok, Missing, TooLarge, NotRegularFile, Error };

enum class LinkPolicy { Follow, Refuse };

struct FileBytes {
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;  // empty unless status is Ok
};

// The whole file, at most maxBytes long (also when it grows while being
// read). With LinkPolicy::Refuse a symbolic link reads as NotRegularFile.
FileBytes ReadFile(const std::filesystem::path& path, std::size_t maxBytes,
                   LinkPolicy links = LinkPolicy::Follow);

// Streams a regular file from its start, chunk by chunk, for files too large
// to hold (the program's own file); `visit` returns false to stop early,
// which still counts as Ok.
ReadStatus ReadFileInChunks(const std::filesystem::path& path, std::size_t chunkBytes,
                            const std::function<bool(std::span<const uint8_t>)>& visit);

// Writes the bytes to a new file beside `path` and renames it over `path`.
// An existing file keeps its permission bits and, where allowed, its owner.
// On any failure the old file is untouched, the temporary file is removed and
// false is returned. A path that is a link, a folder or another special file
// is refused.
bool ReplaceFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// True when the path exists, is a regular file (not a link) and may be
// written: a file marked read-only (no write permission bit, or the read-only
// attribute) counts as read-only even for a user who could override it.
bool IsWritableRegularFile(const std::filesystem::path& path);

// True when the path is a regular file the user may start as a program (on
// Windows: one whose name ends in ".exe").
bool IsExecutableFile(const std::filesystem::path& path);

// Why ReplaceFileAtomically would fail for `path` now, found by the same
// checks and a trial temporary file beside it (removed at once); empty when
// it would succeed. Nothing at `path` changes.
std::string ReplaceFileProblem(const std::filesystem::path& path);

// Removes the temporary files ReplaceFileAtomically left beside `path` when
// its process was killed between creating one and the rename. Only names of
// exactly that pattern whose writing process no longer runs are removed.
// Returns how many were removed.
int RemoveStaleReplaceFiles(const std::filesystem::path& path);

struct PrivateFile {
  bool written = false;
  // Where the file is, or was meant to be when writing failed (also when the
  // private folder itself was refused).
  std::filesystem::path path;
};

// Writes `bytes` as the file `name` in `folder`, replacing an older file or
// link of that name (the link is removed, never followed); mode 0600.
PrivateFile WriteNewFile(const std::filesystem::path& folder, std::string_view name,
                         std::string_view bytes);
// The same in the private temporary folder.
PrivateFile WritePrivateTempFile(std::string_view name, std::string_view bytes);

}  // namespace platform
