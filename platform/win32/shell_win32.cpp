// Outside programs on Windows: CreateProcessW with a command line quoted from
// the argument vector (never cmd), addresses and files through the shell's
// default handler (ShellExecuteW), mail through Simple MAPI or a mailto:
// address, and the common open-file dialog.
#include <windows.h>
// After windows.h, which they need.
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>

#include "platform/shell.h"
#include "platform/win32/command_line.h"
#include "platform/win32/mail_address.h"
#include "platform/win32/wide_text.h"

namespace platform {
namespace {

using win32::Utf8;
using win32::Wide;

// Closes the handle when the scope ends.
class Handle {
 public:
  explicit Handle(HANDLE h = nullptr) : h_(h) {}
  ~Handle() {
    if (h_ != nullptr && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  HANDLE* out() { return &h_; }
  void Reset() {
    if (h_ != nullptr && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    h_ = nullptr;
  }

 private:
  HANDLE h_;
};

HANDLE InheritableNul(DWORD access) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  return CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                     nullptr);
}

HANDLE InheritableCopy(HANDLE handle) {
  HANDLE copy = nullptr;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE ||
      !DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &copy, 0, TRUE,
                       DUPLICATE_SAME_ACCESS)) {
    return nullptr;
  }
  return copy;
}

std::string ReadAll(HANDLE pipe) {
  std::string out;
  char buffer[4096];
  DWORD n = 0;
  while (::ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) out.append(buffer, n);
  return out;
}

// Starts the program with exactly the handles it is given and no other of
// ours: standard input on NUL, standard output on `output`, standard error on
// `error`.
bool Start(std::wstring line, DWORD flags, HANDLE output, HANDLE error, PROCESS_INFORMATION& pi) {
  Handle input(InheritableNul(GENERIC_READ));
  HANDLE handles[3] = {};
  DWORD count = 0;
  // Each handle once: standard output and error may be the same.
  for (HANDLE h : {input.get(), output, error}) {
    if (h != nullptr && h != INVALID_HANDLE_VALUE &&
        std::find(handles, handles + count, h) == handles + count) {
      handles[count++] = h;
    }
  }
  SIZE_T size = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
  std::string listBytes(size, '\0');
  auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(listBytes.data());
  if (!InitializeProcThreadAttributeList(list, 1, 0, &size)) return false;
  const bool listed =
      count == 0 || UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles,
                                              count * sizeof(HANDLE), nullptr, nullptr);
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof(startup);
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = input.get();
  startup.StartupInfo.hStdOutput = output;
  startup.StartupInfo.hStdError = error;
  startup.lpAttributeList = list;
  const bool started =
      listed && CreateProcessW(nullptr, line.data(), nullptr, nullptr, count > 0,
                               flags | EXTENDED_STARTUPINFO_PRESENT | CREATE_UNICODE_ENVIRONMENT,
                               nullptr, nullptr, &startup.StartupInfo, &pi);
  DeleteProcThreadAttributeList(list);
  return started;
}

// Simple MAPI's wide structures (MAPI32.DLL of Windows 8 and later); the
// compiler's mapi.h declares only the 8-bit ones.
struct MapiRecipDescW {
  ULONG reserved;
  ULONG recipClass;
  wchar_t* name;
  wchar_t* address;
  ULONG entryIdSize;
  void* entryId;
};
struct MapiFileDescW {
  ULONG reserved;
  ULONG flags;
  ULONG position;
  wchar_t* pathName;
  wchar_t* fileName;
  void* fileType;
};
struct MapiMessageW {
  ULONG reserved;
  wchar_t* subject;
  wchar_t* noteText;
  wchar_t* messageType;
  wchar_t* dateReceived;
  wchar_t* conversationId;
  ULONG flags;
  MapiRecipDescW* originator;
  ULONG recipCount;
  MapiRecipDescW* recips;
  ULONG fileCount;
  MapiFileDescW* files;
};
using MapiSendMailW = ULONG(WINAPI*)(ULONG_PTR, ULONG_PTR, MapiMessageW*, ULONG, ULONG);
constexpr ULONG kMapiTo = 1;
constexpr ULONG kMapiLogonUi = 0x1;
constexpr ULONG kMapiDialog = 0x8;
constexpr ULONG kMapiUserAbort = 1;

// Hands the mail to the mail program through Simple MAPI, loaded only now:
// its composer opens with the attachment attached. False when no mail
// program offers MAPI or it refuses.
bool SendMailThroughMapi(const std::string& mailto, const std::filesystem::path& attachment) {
  const HMODULE mapi = LoadLibraryW(L"MAPI32.DLL");
  if (mapi == nullptr) return false;
  const auto send = reinterpret_cast<MapiSendMailW>(
      reinterpret_cast<void*>(GetProcAddress(mapi, "MAPISendMailW")));
  const win32::MailtoFields fields = win32::ParseMailto(mailto);
  std::wstring subject = Wide(fields.subject);
  std::wstring body = Wide(fields.body);
  std::wstring address = L"SMTP:" + Wide(fields.to);
  std::wstring path = attachment.wstring();
  MapiRecipDescW recipient{0, kMapiTo, address.data() + 5, address.data(), 0, nullptr};
  MapiFileDescW file{0, 0, ULONG(-1), path.data(), nullptr, nullptr};
  MapiMessageW message{};
  message.subject = subject.data();
  message.noteText = body.data();
  message.recipCount = fields.to.empty() ? 0 : 1;
  message.recips = &recipient;
  message.fileCount = attachment.empty() ? 0 : 1;
  message.files = &file;
  const ULONG answer =
      send != nullptr ? send(0, 0, &message, kMapiLogonUi | kMapiDialog, 0) : ULONG(-1);
  FreeLibrary(mapi);
  // A composer the user closed unsent was still opened.
  return answer == 0 || answer == kMapiUserAbort;
}

// The shell's default handler for a file or an address; false when there is
// none or it cannot be started.
bool ShellOpen(const std::wstring& target) {
  const auto answer = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return answer > 32;
}

}  // namespace

CommandResult SpawnCommand(const CommandRequest& request) {
  CommandResult result;
  std::vector<std::wstring> argv;
  for (const std::string& argument : request.argv) argv.push_back(Wide(argument));
  const std::optional<std::wstring> line = win32::BuildCommandLine(argv);
  if (!line) return result;

  PROCESS_INFORMATION pi{};
  if (request.detached) {
    // Its own process group and no console of ours: Ctrl-C here does not
    // reach it, and it runs on when this program ends.
    Handle nul(InheritableNul(GENERIC_WRITE));
    if (!Start(*line, DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nul.get(), nul.get(), pi)) {
      return result;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    result.started = true;
    result.stillRunning = true;
    return result;
  }

  Handle readEnd;
  Handle writeEnd;
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  if (request.captureOutput && !CreatePipe(readEnd.out(), writeEnd.out(), &inherit, 0)) {
    return result;
  }
  // The read end stays ours alone.
  if (request.captureOutput) SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);
  Handle output(request.captureOutput ? nullptr : InheritableCopy(GetStdHandle(STD_OUTPUT_HANDLE)));
  Handle error(InheritableCopy(GetStdHandle(STD_ERROR_HANDLE)));
  if (!Start(*line, CREATE_NO_WINDOW, request.captureOutput ? writeEnd.get() : output.get(),
             error.get(), pi)) {
    return result;
  }
  const Handle process(pi.hProcess);
  CloseHandle(pi.hThread);
  result.started = true;
  // Only the child holds the write end now: its exit ends the read.
  writeEnd.Reset();
  if (request.captureOutput) result.output = ReadAll(readEnd.get());
  const DWORD wait = request.timeoutMs < 0 ? INFINITE : static_cast<DWORD>(request.timeoutMs);
  if (WaitForSingleObject(process.get(), wait) != WAIT_OBJECT_0) {
    result.stillRunning = true;
    return result;
  }
  DWORD code = 0;
  if (GetExitCodeProcess(process.get(), &code)) result.exitCode = static_cast<int>(code);
  return result;
}

bool OpenWithDefaultHandler(const std::string& target) {
  if (target.empty() || target[0] == '-') return false;
  return ShellOpen(Wide(target));
}

bool ComposeMail(const std::string& mailto, const std::filesystem::path& attachment) {
  if (!mailto.starts_with("mailto:")) return false;
  if (SendMailThroughMapi(mailto, attachment)) return true;
  // No mail program speaks MAPI: the default handler of mailto: addresses
  // gets the mail, and the attachment's path goes into its text.
  return ShellOpen(Wide(win32::MailtoWithAttachmentNote(mailto, Utf8(attachment.wstring()))));
}

FileChoice ChooseFileToOpen(const std::string& title) {
  std::wstring path(32768, L'\0');
  const std::wstring caption = Wide(title);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = caption.c_str();
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  FileChoice choice;
  if (GetOpenFileNameW(&dialog)) {
    path.resize(wcslen(path.c_str()));
    choice.status = FileChoiceStatus::Chosen;
    choice.path = path;
  } else if (CommDlgExtendedError() == 0) {
    choice.status = FileChoiceStatus::Cancelled;
  }
  return choice;
}

}  // namespace platform
