// Where the program is and where it may write, from the Windows interfaces:
// the module file name, the user's temporary folder (in its long form, so
// that it compares with the executable's folder), and the known folders.
#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <system_error>

#include "platform/paths.h"
#include "platform/text_codec.h"
#include "platform/win32/user_security.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

// Calls `get(buffer, size)` with a growing buffer until the text fits; `get`
// returns the length it wrote or needs, 0 on failure.
template <typename Get>
std::wstring GrowingText(Get get) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 8; ++attempt) {
    const DWORD length = get(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2 > length + 1 ? buffer.size() * 2 : length + 1);
  }
  return {};
}

// Without the trailing separator the system adds, as POSIX folders come.
fs::path WithoutTrailingSeparator(fs::path path) {
  if (!path.has_filename() && path.has_relative_path()) path = path.parent_path();
  return path;
}

fs::path KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR text = nullptr;
  fs::path folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &text))) folder = text;
  CoTaskMemFree(text);
  return folder;
}

bool IsRealFolder(const fs::path& folder) {
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

}  // namespace

fs::path ExecutablePath() {
  return GrowingText([](wchar_t* buffer, DWORD size) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer, size);
    // A cut name is reported as the whole buffer.
    return length == size ? size : length;
  });
}

fs::path DataDirBeside(const fs::path& executable, const fs::path& fromBinDir) {
  if (executable.empty()) return {};
  return (executable.parent_path() / fromBinDir).lexically_normal();
}

// The Windows program carries its data beside itself.
fs::path InstalledDataDir() { return ExecutablePath().parent_path(); }

fs::path SystemTempDir() {
  const std::wstring temp =
      GrowingText([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
  if (temp.empty()) return {};
  // TMP often holds a short (8.3) name; the executable's path never does.
  const std::wstring longName = GrowingText([&temp](wchar_t* buffer, DWORD size) {
    return GetLongPathNameW(temp.c_str(), buffer, size);
  });
  return WithoutTrailingSeparator(longName.empty() ? temp : longName);
}

fs::path PrivateTempDirPath() {
  const fs::path temp = SystemTempDir();
  const std::wstring sid = win32::CurrentUserSid();
  if (temp.empty() || sid.empty()) return {};
  return temp / (L"Morvandel.Gauge-" + sid);
}

fs::path PrivateTempDir() {
  const fs::path dir = PrivateTempDirPath();
  if (dir.empty() || !win32::MakeUserOnlyFolder(dir.wstring())) return {};
  return dir;
}

fs::path PrivateTempSubdir(const std::string& name) {
  const fs::path privateDir = PrivateTempDir();
  if (privateDir.empty() || name.empty()) return {};
  const fs::path folder = privateDir / fs::path(Utf8ToUtf16(name));
  // It inherits the private folder's access list.
  if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    return {};
  }
  return IsRealFolder(folder) ? folder : fs::path();
}

bool MakeUserFolders(const fs::path& folder) {
  // From the root (a drive or a network share), which is there or not.
  fs::path prefix = folder.root_path();
  for (const fs::path& part : folder.relative_path()) {
    prefix /= part;
    const DWORD attributes = GetFileAttributesW(prefix.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      continue;
    }
    if (!win32::CreateUserOnlyFolder(prefix.wstring()) && GetLastError() != ERROR_ALREADY_EXISTS) {
      return false;
    }
  }
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

fs::path AppDataDir() { return KnownFolder(FOLDERID_RoamingAppData); }

fs::path UserDataDir() { return KnownFolder(FOLDERID_LocalAppData); }

}  // namespace platform
