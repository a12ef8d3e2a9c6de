// A scratch folder per test and small file helpers.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/settings/settings_file.h"

namespace settings_test {

namespace fs = std::filesystem;

class ScratchFolder {
 public:
  // In memory where the system offers it: every settings write flushes its
  // file to disk, which costs a lot of time on a busy disk.
  ScratchFolder() {
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) && access("/dev/shm", W_OK) == 0
                              ? fs::path("/dev/shm")
                              : fs::temp_directory_path();
    std::string name = (base / "mg-settings-XXXXXX").string();
    if (mkdtemp(name.data()) != nullptr) path_ = name;
  }
  ~ScratchFolder() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

inline void WriteBytes(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

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
inline std::string Utf16File(std::u16string_view text) { return app::EncodeSettingsText(text); }

}  // namespace settings_test
