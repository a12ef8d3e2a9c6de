// A scratch folder per test and small file helpers.
#pragma once

#include <stdlib.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace test_support {

namespace fs = std::filesystem;

class ScratchFolder {
 public:
  // In memory where the system offers it: every settings write flushes its
  // file to disk, which costs a lot of time on a busy disk.
  ScratchFolder() {
#ifdef _WIN32
    // A new folder of a name not taken yet, in the user's temporary folder.
    std::random_device random;
    std::error_code ec;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const fs::path candidate =
          fs::temp_directory_path(ec) / ("mg-settings-" + std::to_string(random()));
      if (fs::create_directory(candidate, ec)) path_ = candidate;
    }
#else
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) && access("/dev/shm", W_OK) == 0
                              ? fs::path("/dev/shm")
                              : fs::temp_directory_path();
    std::string name = (base / "mg-settings-XXXXXX").string();
    if (mkdtemp(name.data()) != nullptr) path_ = name;
#endif
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

}  // namespace test_support
