// Whole files on Windows: capped reads of regular files only, replacement
// through a temporary file beside the target and ReplaceFileW (which keeps the
// old file's attributes and access list) or MoveFileExW, and new files with
// an access list for the user alone.
#include <windows.h>
// After windows.h, which it needs.
#include <aclapi.h>

#include <cwctype>
#include <memory>
#include <string>

#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/replace_file_names.h"
#include "platform/text_codec.h"
#include "platform/win32/system_error.h"
#include "platform/win32/user_security.h"
#include "platform/win32/wide_text.h"

namespace platform {
namespace fs = std::filesystem;
using win32::SystemErrorText;
using win32::Utf8;

namespace {

// Closes the handle when the scope ends.
class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (valid()) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  // Closes now and tells whether that worked.
  bool Close() {
    const HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return CloseHandle(h) != FALSE;
  }

 private:
  HANDLE h_;
};

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME;
}

// Opens a file for reading and checks that it is a regular file on a disk
// (not a folder, device, pipe or, when refused, a link); the status says
// why not.
ReadStatus OpenRegular(const fs::path& path, LinkPolicy links, HANDLE& file, uint64_t& size) {
  DWORD flags = FILE_FLAG_BACKUP_SEMANTICS;  // so that a folder opens and is told apart
  if (links == LinkPolicy::Refuse) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
  file = CreateFileW(path.c_str(), GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     flags, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return IsMissing(GetLastError()) ? ReadStatus::Missing : ReadStatus::Error;
  }
  if (GetFileType(file) != FILE_TYPE_DISK) return ReadStatus::NotRegularFile;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file, &info)) return ReadStatus::Error;
  if ((info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
    return ReadStatus::NotRegularFile;
  }
  size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  return ReadStatus::Ok;
}

std::string TempPrefix(const fs::path& target) {
  return ReplaceFilePrefix(Utf8(target.filename().wstring()));
}

// Creates a fresh file next to `target` for the user alone.
HANDLE CreateTempBeside(const fs::path& target, fs::path& tempPath) {
  for (int attempt = 0; attempt < 64; ++attempt) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const std::string name = TempPrefix(target) + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(now.QuadPart % 1000000000) + "-" +
                             std::to_string(attempt);
    tempPath = target.parent_path() / fs::path(Utf8ToUtf16(name));
    const HANDLE file = win32::CreateUserOnlyFile(tempPath.wstring());
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

// What an ordinary create would have given the file: the folder's inherited
// list. A failure leaves it private, which is no harm.
void InheritFolderAccess(HANDLE file) {
  ACL empty{};
  if (InitializeAcl(&empty, sizeof(empty), ACL_REVISION)) {
    SetSecurityInfo(file, SE_FILE_OBJECT,
                    DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                    nullptr, &empty, nullptr);
  }
}

DWORD AttributesOf(const fs::path& path) { return GetFileAttributesW(path.c_str()); }

bool IsSpecial(DWORD attributes) {
  return (attributes &
          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) != 0;
}

bool ProcessRuns(DWORD pid) {
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  DWORD code = 0;
  const bool runs = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  CloseHandle(process);
  return runs;
}

}  // namespace

FileBytes ReadFile(const fs::path& path, size_t maxBytes, LinkPolicy links) {
  HANDLE raw = INVALID_HANDLE_VALUE;
  uint64_t size = 0;
  const ReadStatus opened = OpenRegular(path, links, raw, size);
  const Handle file(raw);
  if (opened != ReadStatus::Ok) return {opened, {}};
  if (size > maxBytes) return {ReadStatus::TooLarge, {}};
  // Read to the end rather than trusting the size: the cap also holds for a
  // file that grows while it is read.
  std::string bytes;
  bytes.reserve(static_cast<size_t>(size));
  char chunk[1 << 16];
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(file.get(), chunk, sizeof chunk, &n, nullptr)) return {ReadStatus::Error, {}};
    if (n == 0) return {ReadStatus::Ok, std::move(bytes)};
    if (bytes.size() + n > maxBytes) return {ReadStatus::TooLarge, {}};
    bytes.append(chunk, n);
  }
}

ReadStatus ReadFileInChunks(const fs::path& path, size_t chunkBytes,
                            const std::function<bool(std::span<const uint8_t>)>& visit) {
  HANDLE raw = INVALID_HANDLE_VALUE;
  uint64_t size = 0;
  const ReadStatus opened = OpenRegular(path, LinkPolicy::Follow, raw, size);
  const Handle file(raw);
  if (opened != ReadStatus::Ok) return opened;
  const DWORD chunk = chunkBytes > (1u << 30) ? (1u << 30) : static_cast<DWORD>(chunkBytes);
  const auto buffer = std::make_unique_for_overwrite<uint8_t[]>(chunk);
  for (;;) {
    DWORD n = 0;
    if (!::ReadFile(file.get(), buffer.get(), chunk, &n, nullptr)) return ReadStatus::Error;
    if (n == 0 || !visit({buffer.get(), n})) return ReadStatus::Ok;
  }
}

bool ReplaceFileAtomically(const fs::path& path, std::string_view bytes) {
  const DWORD attributes = AttributesOf(path);
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && IsSpecial(attributes)) return false;
  if (!exists && !IsMissing(GetLastError())) return false;

  fs::path tempPath;
  Handle file(CreateTempBeside(path, tempPath));
  if (!file.valid()) return false;
  bool ok = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  if (ok && !exists) InheritFolderAccess(file.get());
  ok = file.Close() && ok;
  // ReplaceFileW gives the new file the old one's attributes and access list.
  ok = ok && (exists ? ReplaceFileW(path.c_str(), tempPath.c_str(), nullptr,
                                    REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                     : MoveFileExW(tempPath.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH));
  if (!ok) {
    DeleteFileW(tempPath.c_str());
    return false;
  }
  return true;
}

bool IsWritableRegularFile(const fs::path& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || IsSpecial(attributes) ||
      (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return false;
  }
  // The access list decides the rest: ask for write access and let go.
  const Handle file(CreateFileW(path.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  return file.valid();
}

bool IsExecutableFile(const fs::path& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return false;
  std::wstring extension = path.extension().wstring();
  for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(c));
  return extension == L".exe";
}

std::string ReplaceFileProblem(const fs::path& path) {
  if (path.empty() || !path.has_filename()) return "it names no file";
  const DWORD attributes = AttributesOf(path);
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return "it is a symbolic link";
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return "it is a folder";
    if (IsSpecial(attributes)) return "it is not a regular file";
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return "it is read-only";
  } else if (!IsMissing(GetLastError())) {
    return SystemErrorText(GetLastError());
  }
  fs::path tempPath;
  const HANDLE file = CreateTempBeside(path, tempPath);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const DWORD folderAttributes = AttributesOf(folder);
    if (folderAttributes == INVALID_FILE_ATTRIBUTES) return "its folder does not exist";
    if ((folderAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return "its folder is not a folder";
    return "its folder cannot be written: " + SystemErrorText(error);
  }
  CloseHandle(file);
  DeleteFileW(tempPath.c_str());
  return {};
}

int RemoveStaleReplaceFiles(const fs::path& path) {
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  const std::string prefix = TempPrefix(path);
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW((folder / L"*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int removed = 0;
  do {
    const auto writer = ReplaceFileWriter(Utf8(entry.cFileName), prefix);
    if (!writer || static_cast<DWORD>(*writer) == GetCurrentProcessId() ||
        ProcessRuns(static_cast<DWORD>(*writer))) {
      continue;
    }
    // Only files of our own making: a regular file, not a folder or link.
    const fs::path stale = folder / entry.cFileName;
    if (IsSpecial(entry.dwFileAttributes) || !win32::IsOwnedByCurrentUser(stale.wstring())) {
      continue;
    }
    if (DeleteFileW(stale.c_str())) ++removed;
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return removed;
}

PrivateFile WriteNewFile(const fs::path& folder, std::string_view name, std::string_view bytes) {
  const fs::path fileName(Utf8ToUtf16(name));
  PrivateFile result{false, folder / fileName};
  if (folder.empty()) return result;
  // A link of that name is removed, never followed; a folder stays.
  if (!DeleteFileW(result.path.c_str()) && !IsMissing(GetLastError())) return result;
  Handle file(win32::CreateUserOnlyFile(result.path.wstring()));
  if (!file.valid()) return result;
  const bool written = WriteAll(file.get(), bytes);
  result.written = file.Close() && written;
  if (!result.written) DeleteFileW(result.path.c_str());
  return result;
}

PrivateFile WritePrivateTempFile(std::string_view name, std::string_view bytes) {
  const fs::path folder = PrivateTempDir();
  if (folder.empty()) return {false, PrivateTempDirPath() / fs::path(Utf8ToUtf16(name))};
  return WriteNewFile(folder, name, bytes);
}

}  // namespace platform
