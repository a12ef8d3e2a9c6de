#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/replace_file_names.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

// Closes the descriptor when the scope ends.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and tells whether that worked (a delayed write error shows
  // up here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Opens a file for reading without blocking on a pipe and checks that it is
// a regular file; the status says why not.
ReadStatus OpenRegular(const fs::path& path, LinkPolicy links, int& fd, off_t& size) {
  int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
  if (links == LinkPolicy::Refuse) flags |= O_NOFOLLOW;
  fd = open(path.c_str(), flags);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return ReadStatus::Missing;
    if (errno == ELOOP || errno == ENXIO) return ReadStatus::NotRegularFile;
    return ReadStatus::Error;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0) return ReadStatus::Error;
  if (!S_ISREG(st.st_mode)) return ReadStatus::NotRegularFile;
  size = st.st_size;
  return ReadStatus::Ok;
}

// "." + file name + ".tmp-<pid>-<nanoseconds>-<attempt>"
std::string TempPrefix(const fs::path& target) {
  return ReplaceFilePrefix(target.filename().string());
}

// Creates a fresh file next to `target`, mode 0600; returns its descriptor
// or -1.
int CreateTempBeside(const fs::path& target, fs::path& tempPath) {
  for (int attempt = 0; attempt < 64; ++attempt) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const std::string name = TempPrefix(target) + std::to_string(getpid()) + "-" +
                             std::to_string(now.tv_nsec) + "-" + std::to_string(attempt);
    tempPath = target.parent_path() / name;
    const int fd =
        open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// The process's file-creation mask, read without changing it (umask() would
// change it for every thread for a moment); 022 when the kernel does not say.
mode_t CurrentUmask() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("Umask:")) {
      return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
    }
  }
  return 022;
}

bool ProcessRuns(pid_t pid) { return kill(pid, 0) == 0 || errno == EPERM; }

}  // namespace

FileBytes ReadFile(const fs::path& path, size_t maxBytes, LinkPolicy links) {
  int raw = -1;
  off_t size = 0;
  const ReadStatus opened = OpenRegular(path, links, raw, size);
  const Descriptor fd(raw);
  if (opened != ReadStatus::Ok) return {opened, {}};
  if (static_cast<unsigned long long>(size) > maxBytes) return {ReadStatus::TooLarge, {}};
  // Read to the end rather than trusting the size: the cap also holds for a
  // file that grows while it is read.
  std::string bytes;
  bytes.reserve(static_cast<size_t>(size));
  char chunk[1 << 16];
  for (;;) {
    const ssize_t n = read(fd.get(), chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return {ReadStatus::Error, {}};
    if (n == 0) return {ReadStatus::Ok, std::move(bytes)};
    if (bytes.size() + static_cast<size_t>(n) > maxBytes) return {ReadStatus::TooLarge, {}};
    bytes.append(chunk, static_cast<size_t>(n));
  }
}

ReadStatus ReadFileInChunks(const fs::path& path, size_t chunkBytes,
                            const std::function<bool(std::span<const uint8_t>)>& visit) {
  int raw = -1;
  off_t size = 0;
  const ReadStatus opened = OpenRegular(path, LinkPolicy::Follow, raw, size);
  const Descriptor fd(raw);
  if (opened != ReadStatus::Ok) return opened;
  const auto buffer = std::make_unique_for_overwrite<uint8_t[]>(chunkBytes);
  for (;;) {
    const ssize_t n = read(fd.get(), buffer.get(), chunkBytes);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return ReadStatus::Error;
    if (n == 0 || !visit({buffer.get(), static_cast<size_t>(n)})) return ReadStatus::Ok;
  }
}

bool ReplaceFileAtomically(const fs::path& path, std::string_view bytes) {
  struct stat old {};
  const bool exists = lstat(path.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return false;
  if (!exists && errno != ENOENT) return false;

  fs::path tempPath;
  Descriptor fd(CreateTempBeside(path, tempPath));
  if (fd.get() < 0) return false;
  bool ok = WriteAll(fd.get(), bytes);
  if (ok && exists) {
    // The owner is kept where we are allowed to (e.g. an administrator
    // running the program on a user's file); failing that is no error.
    if (old.st_uid != geteuid() || old.st_gid != getegid()) {
      [[maybe_unused]] const int ignored = fchown(fd.get(), old.st_uid, old.st_gid);
    }
    ok = fchmod(fd.get(), old.st_mode & 07777) == 0;
  } else if (ok) {
    // A new file gets the mode an ordinary create would give it.
    ok = fchmod(fd.get(), 0666 & ~CurrentUmask()) == 0;
  }
  ok = ok && fsync(fd.get()) == 0;
  ok = fd.Close() && ok;
  ok = ok && rename(tempPath.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(tempPath.c_str());
    return false;
  }
  return true;
}

bool IsWritableRegularFile(const fs::path& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && access(path.c_str(), W_OK) == 0;
}

bool IsExecutableFile(const fs::path& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string ReplaceFileProblem(const fs::path& path) {
  if (path.empty() || !path.has_filename()) return "it names no file";
  struct stat old {};
  if (lstat(path.c_str(), &old) == 0) {
    if (S_ISDIR(old.st_mode)) return "it is a folder";
    if (S_ISLNK(old.st_mode)) return "it is a symbolic link";
    if (!S_ISREG(old.st_mode)) return "it is not a regular file";
  } else if (errno == ENOTDIR) {
    return "its folder is not a folder";
  } else if (errno != ENOENT) {
    return std::strerror(errno);
  }
  fs::path tempPath;
  const int fd = CreateTempBeside(path, tempPath);
  if (fd < 0) {
    const int error = errno;
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0) return "its folder does not exist";
    if (!S_ISDIR(st.st_mode)) return "its folder is not a folder";
    return std::string("its folder cannot be written: ") + std::strerror(error);
  }
  close(fd);
  unlink(tempPath.c_str());
  return {};
}

int RemoveStaleReplaceFiles(const fs::path& path) {
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return 0;
  const std::string prefix = TempPrefix(path);
  int removed = 0;
  while (const dirent* entry = readdir(dir)) {
    const auto writer = ReplaceFileWriter(entry->d_name, prefix);
    if (!writer || *writer == getpid() || ProcessRuns(*writer)) continue;
    // Only files of our own making: a regular file, not a folder or link.
    struct stat st {};
    if (fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
        st.st_uid != geteuid()) {
      continue;
    }
    if (unlinkat(dirfd(dir), entry->d_name, 0) == 0) ++removed;
  }
  closedir(dir);
  return removed;
}

PrivateFile WriteNewFile(const fs::path& folder, std::string_view name, std::string_view bytes) {
  PrivateFile result{false, folder / fs::path(name)};
  if (folder.empty()) return result;
  if (unlink(result.path.c_str()) != 0 && errno != ENOENT) return result;
  Descriptor fd(
      open(result.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (fd.get() < 0) return result;
  const bool written = WriteAll(fd.get(), bytes);
  result.written = fd.Close() && written;
  if (!result.written) unlink(result.path.c_str());
  return result;
}

PrivateFile WritePrivateTempFile(std::string_view name, std::string_view bytes) {
  const fs::path folder = PrivateTempDir();
  if (folder.empty()) return {false, PrivateTempDirPath() / fs::path(name)};
  return WriteNewFile(folder, name, bytes);
}

}  // namespace platform
