#include "platform/win32/user_security.h"

#include <aclapi.h>
#include <sddl.h>

#include <memory>

namespace platform::win32 {
namespace {

struct LocalFreeDeleter {
  void operator()(void* p) const { LocalFree(p); }
};
template <typename T>
using LocalPtr = std::unique_ptr<T, LocalFreeDeleter>;

struct HandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};

// The access list: protected (P), one entry allowing (A) full control (FA),
// for a folder inherited by files (OI) and folders (CI) inside, for the user
// alone.
std::wstring UserOnlyDescriptor(const std::wstring& sid, bool folder) {
  return L"O:" + sid + (folder ? L"D:P(A;OICI;FA;;;" : L"D:P(A;;FA;;;") + sid + L")";
}

LocalPtr<void> UserOnlySecurity(bool folder) {
  const std::wstring sid = CurrentUserSid();
  PSECURITY_DESCRIPTOR raw = nullptr;
  if (sid.empty() || !ConvertStringSecurityDescriptorToSecurityDescriptorW(
                         UserOnlyDescriptor(sid, folder).c_str(), SDDL_REVISION_1, &raw, nullptr)) {
    return nullptr;
  }
  return LocalPtr<void>(raw);
}

bool IsRealFolder(const std::wstring& folder) {
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

bool IsCurrentUser(PSID sid) {
  PSID user = nullptr;
  const std::wstring text = CurrentUserSid();
  if (sid == nullptr || text.empty() || !ConvertStringSidToSidW(text.c_str(), &user)) return false;
  const LocalPtr<void> owned(user);
  return EqualSid(sid, user) != FALSE;
}

}  // namespace

std::wstring CurrentUserSid() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return {};
  const std::unique_ptr<void, HandleCloser> token(raw);
  DWORD size = 0;
  GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  std::unique_ptr<unsigned char[]> buffer(new unsigned char[size]);
  if (size == 0 || !GetTokenInformation(token.get(), TokenUser, buffer.get(), size, &size)) {
    return {};
  }
  LPWSTR text = nullptr;
  if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.get())->User.Sid, &text)) {
    return {};
  }
  const LocalPtr<wchar_t> owned(text);
  return text;
}

HANDLE CreateUserOnlyFile(const std::wstring& path) {
  const LocalPtr<void> descriptor = UserOnlySecurity(false);
  if (!descriptor) return INVALID_HANDLE_VALUE;
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor.get(), FALSE};
  return CreateFileW(path.c_str(), GENERIC_WRITE | READ_CONTROL | WRITE_DAC, 0, &attributes,
                     CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool IsOwnedByCurrentUser(const std::wstring& path) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR raw = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                            nullptr, nullptr, nullptr, &raw) != ERROR_SUCCESS) {
    return false;
  }
  const LocalPtr<void> descriptor(raw);
  return IsCurrentUser(owner);
}

bool CreateUserOnlyFolder(const std::wstring& folder) {
  const LocalPtr<void> descriptor = UserOnlySecurity(true);
  if (!descriptor) return false;
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor.get(), FALSE};
  return CreateDirectoryW(folder.c_str(), &attributes) != FALSE;
}

bool MakeUserOnlyFolder(const std::wstring& folder) {
  if (CreateUserOnlyFolder(folder)) return IsRealFolder(folder);
  if (GetLastError() != ERROR_ALREADY_EXISTS || !IsRealFolder(folder)) return false;

  // Someone may have made it first: it must be ours, and only ours to open.
  if (!IsOwnedByCurrentUser(folder)) return false;
  if (IsUserOnlyFolder(folder)) return true;
  const LocalPtr<void> descriptor = UserOnlySecurity(true);
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL acl = nullptr;
  if (!descriptor || !GetSecurityDescriptorDacl(descriptor.get(), &present, &acl, &defaulted)) {
    return false;
  }
  return SetNamedSecurityInfoW(const_cast<wchar_t*>(folder.c_str()), SE_FILE_OBJECT,
                               DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                               nullptr, nullptr, acl, nullptr) == ERROR_SUCCESS &&
         IsUserOnlyFolder(folder);
}

bool IsUserOnlyFolder(const std::wstring& folder) {
  PACL acl = nullptr;
  PSECURITY_DESCRIPTOR raw = nullptr;
  if (GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                            nullptr, &acl, nullptr, &raw) != ERROR_SUCCESS) {
    return false;
  }
  const LocalPtr<void> descriptor(raw);
  // No list at all lets everybody in.
  if (acl == nullptr) return false;
  for (DWORD i = 0; i < acl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(acl, i, &ace)) return false;
    const auto* entry = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
    if (entry->Header.AceType == ACCESS_DENIED_ACE_TYPE) continue;
    if (entry->Header.AceType != ACCESS_ALLOWED_ACE_TYPE) return false;
    PSID sid = const_cast<DWORD*>(&entry->SidStart);
    if (!IsCurrentUser(sid) && !IsWellKnownSid(sid, WinLocalSystemSid)) return false;
  }
  return true;
}

}  // namespace platform::win32
