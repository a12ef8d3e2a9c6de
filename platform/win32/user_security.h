// The running user's identity and folders only that user may open.
#pragma once

#include <windows.h>

#include <string>

namespace platform::win32 {

// The user the process runs as, in its string form (S-1-5-21-...); empty
// when the process token cannot be read.
std::wstring CurrentUserSid();

// Creates a new folder with a protected access list that grants the current
// user full control and nobody else anything. False when it exists already
// or cannot be made; GetLastError() says why.
bool CreateUserOnlyFolder(const std::wstring& folder);

// Creates the folder with a protected access list that grants the current
// user full control and nobody else anything. An existing folder must be a
// real folder (no link or junction) owned by the user; its access list is
// then made the same. False when that cannot be had.
bool MakeUserOnlyFolder(const std::wstring& folder);

// Creates a new file (never opening an existing one or a link) for writing,
// with a protected access list for the current user alone. INVALID_HANDLE_VALUE
// when it cannot be made; GetLastError() says why.
HANDLE CreateUserOnlyFile(const std::wstring& path);

// True when the file or folder is owned by the current user.
bool IsOwnedByCurrentUser(const std::wstring& path);

// True when the folder's access list allows nobody but the current user and
// the operating system itself (which may open every file anyway).
bool IsUserOnlyFolder(const std::wstring& folder);

}  // namespace platform::win32
