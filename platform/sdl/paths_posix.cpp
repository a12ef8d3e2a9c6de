#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/paths.h"

namespace platform {
namespace fs = std::filesystem;

fs::path ExecutablePath() {
  std::error_code ec;
  fs::path path = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : path;
}

fs::path DataDirBeside(const fs::path& executable, const fs::path& fromBinDir) {
  if (executable.empty()) return {};
  return (executable.parent_path() / fromBinDir).lexically_normal();
}

fs::path InstalledDataDir() { return DataDirBeside(ExecutablePath(), MG_DATA_DIR_FROM_BIN); }

fs::path SystemTempDir() {
  const char* tmp = std::getenv("TMPDIR");
  if (tmp != nullptr && tmp[0] == '/') return fs::path(tmp);
  return fs::path("/tmp");
}

fs::path PrivateTempDirPath() {
  return SystemTempDir() / ("Morvandel.Gauge-" + std::to_string(getuid()));
}

fs::path PrivateTempDir() {
  const uid_t uid = getuid();
  const fs::path dir = PrivateTempDirPath();
  if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return {};
  // The folder must be ours and private; lstat so that a link planted by
  // someone else under that name is refused rather than followed.
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != uid) return {};
  if ((st.st_mode & 0077) != 0 && chmod(dir.c_str(), 0700) != 0) return {};
  return dir;
}

fs::path PrivateTempSubdir(const std::string& name) {
  const fs::path privateDir = PrivateTempDir();
  if (privateDir.empty() || name.empty()) return {};
  const fs::path folder = privateDir / name;
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  struct stat st {};
  if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return {};
  return folder;
}

bool MakeUserFolders(const fs::path& folder) {
  fs::path prefix;
  for (const fs::path& part : folder) {
    prefix /= part;
    if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat st {};
  return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

namespace {

// $<variable> when it is an absolute path, otherwise <home>/<fallback>.
fs::path XdgDir(const char* variable, const char* fallback) {
  const char* xdg = std::getenv(variable);
  if (xdg != nullptr && xdg[0] == '/') return fs::path(xdg);
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') {
    const passwd* pw = getpwuid(getuid());
    home = pw != nullptr ? pw->pw_dir : "/tmp";
  }
  return fs::path(home) / fallback;
}

}  // namespace

fs::path AppDataDir() { return XdgDir("XDG_CONFIG_HOME", ".config"); }

fs::path UserDataDir() { return XdgDir("XDG_DATA_HOME", ".local/share"); }

}  // namespace platform
