#include "app/settings/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

namespace app {
namespace fs = std::filesystem;

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Creates a fresh file next to `target`; returns its descriptor or -1.
int CreateTempBeside(const fs::path& target, fs::path& tempPath) {
  for (int attempt = 0; attempt < 64; ++attempt) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::string suffix = ".tmp-" + std::to_string(getpid()) + "-" +
                               std::to_string(now.tv_nsec) + "-" + std::to_string(attempt);
    tempPath = target.parent_path() / ("." + target.filename().string() + suffix);
    const int fd =
        open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

platform::WString DecodeUtf16(std::string_view bytes, bool bigEndian) {
  platform::WString out;
  out.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    out.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
  }
  return out;
}

}  // namespace

SettingsFileBytes ReadSettingsFile(const fs::path& path, LinkPolicy links) {
  int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
  if (links == LinkPolicy::Refuse) flags |= O_NOFOLLOW;
  const int fd = open(path.c_str(), flags);
  if (fd < 0) return {errno == ENOENT ? FileRead::Missing : FileRead::Unreadable, {}};

  SettingsFileBytes result{FileRead::Unreadable, {}};
  struct stat st {};
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
      static_cast<unsigned long long>(st.st_size) <= kMaxSettingsFileBytes) {
    // Read to the end rather than trusting the size: the cap also holds for
    // a file that grows while it is read.
    std::string bytes;
    bytes.reserve(static_cast<size_t>(st.st_size));
    char chunk[1 << 16];
    for (;;) {
      const ssize_t n = read(fd, chunk, sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n == 0) {
        result = {FileRead::Ok, std::move(bytes)};
        break;
      }
      if (n < 0 || bytes.size() + static_cast<size_t>(n) > kMaxSettingsFileBytes) break;
      bytes.append(chunk, static_cast<size_t>(n));
    }
  }
  close(fd);
  return result;
}

bool HasUtf16Bom(std::string_view bytes) { return bytes.starts_with("\xFF\xFE"); }

platform::WString DecodeSettingsText(std::string_view bytes) {
  if (HasUtf16Bom(bytes)) return DecodeUtf16(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
  if (bytes.starts_with("\xEF\xBB\xBF")) return platform::Utf8ToUtf16(bytes.substr(3));
  return platform::AnsiToUtf16(bytes);
}

std::string EncodeSettingsText(std::u16string_view text) {
  std::string out = "\xFF\xFE";
  out.reserve(2 + text.size() * 2);
  for (char16_t c : text) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
  }
  return out;
}

bool IsWritableRegularFile(const fs::path& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && access(path.c_str(), W_OK) == 0;
}

bool ReplaceFileAtomically(const fs::path& path, std::string_view bytes) {
  struct stat old {};
  const bool exists = lstat(path.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return false;
  if (!exists && errno != ENOENT) return false;

  fs::path tempPath;
  const int fd = CreateTempBeside(path, tempPath);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes);
  if (ok && exists) {
    // The owner is kept where we are allowed to (e.g. an administrator
    // running the program on a user's file); failing that is no error.
    if (old.st_uid != geteuid() || old.st_gid != getegid()) {
      [[maybe_unused]] const int ignored = fchown(fd, old.st_uid, old.st_gid);
    }
    ok = fchmod(fd, old.st_mode & 07777) == 0;
  }
  ok = ok && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && rename(tempPath.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(tempPath.c_str());
    return false;
  }
  return true;
}

}  // namespace app
