// File helpers of the settings tests.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/text_codec.h"
#include "tests/support/test_files.h"

namespace settings_test {

namespace fs = std::filesystem;

using test_support::ReadBytes;
using test_support::ScratchFolder;
using test_support::WriteBytes;

// What shows that a file was left alone: the same file (not replaced), the
// same kind, size and time stamp and, for small files, the same bytes.
// Links are followed; `link` tells whether the path itself is one.
struct FileState {
  bool exists = false;
  bool link = false;
  ino_t inode = 0;
  mode_t mode = 0;
  off_t size = 0;
  long long mtimeNs = 0;
  std::string bytes;
  bool operator==(const FileState&) const = default;
};

inline FileState StateOf(const fs::path& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return {};
  FileState state;
  state.exists = true;
  state.link = fs::is_symlink(path);
  state.inode = st.st_ino;
  state.mode = st.st_mode;
  state.size = st.st_size;
  state.mtimeNs = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
  if (S_ISREG(st.st_mode) && st.st_size < (1 << 16)) state.bytes = ReadBytes(path);
  return state;
}

// The bytes of a settings file as the program writes it.
inline std::string Utf16File(std::u16string_view text) {
  return platform::EncodeUtf16LeWithBom(text);
}

}  // namespace settings_test
