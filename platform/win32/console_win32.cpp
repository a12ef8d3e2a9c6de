// The console a command-line start runs from, on Windows: a console handle
// for standard error, standard output kept for one writer, and Ctrl-C through
// a console control handler.
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <streambuf>

#include "platform/console.h"

namespace platform {
namespace {

// The one flag the control handler sets; it runs on a thread of its own.
std::atomic<bool>* interruptFlag = nullptr;

BOOL WINAPI OnControl(DWORD event) {
  if (event != CTRL_C_EVENT || interruptFlag == nullptr) return FALSE;
  interruptFlag->store(true);
  // The first Ctrl-C only sets the flag; the next one ends the process as
  // usual, so that a program that no longer answers can always be ended.
  SetConsoleCtrlHandler(OnControl, FALSE);
  return TRUE;
}

// Unbuffered writes to a handle it owns.
class HandleBuffer final : public std::streambuf {
 public:
  explicit HandleBuffer(HANDLE handle) : handle_(handle) {}
  ~HandleBuffer() override { CloseHandle(handle_); }

 protected:
  std::streamsize xsputn(const char* data, std::streamsize size) override {
    std::streamsize written = 0;
    while (written < size) {
      DWORD n = 0;
      const DWORD chunk =
          static_cast<DWORD>(size - written > (1 << 30) ? (1 << 30) : size - written);
      if (!WriteFile(handle_, data + written, chunk, &n, nullptr) || n == 0) break;
      written += n;
    }
    return written;
  }
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
  }

 private:
  HANDLE handle_;
};

class HandleStream final : public std::ostream {
 public:
  explicit HandleStream(HANDLE handle) : std::ostream(nullptr), buffer_(handle) { rdbuf(&buffer_); }

 private:
  HandleBuffer buffer_;
};

}  // namespace

std::unique_ptr<std::ostream> TakeStandardOutput() {
  std::fflush(stdout);
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  HANDLE kept = nullptr;
  if (output == INVALID_HANDLE_VALUE || output == nullptr ||
      !DuplicateHandle(GetCurrentProcess(), output, GetCurrentProcess(), &kept, 0, FALSE,
                       DUPLICATE_SAME_ACCESS)) {
    return nullptr;
  }
  // Both the system's standard handle and the C runtime's descriptor 1, which
  // printf and std::cout write through.
  if (!SetStdHandle(STD_OUTPUT_HANDLE, error) || _dup2(_fileno(stderr), _fileno(stdout)) != 0) {
    SetStdHandle(STD_OUTPUT_HANDLE, output);
    CloseHandle(kept);
    return nullptr;
  }
  return std::make_unique<HandleStream>(kept);
}

bool StandardErrorIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != FALSE;
}

bool WatchInterrupt(std::atomic<bool>& flag) {
  interruptFlag = &flag;
  return SetConsoleCtrlHandler(OnControl, TRUE) != FALSE;
}

}  // namespace platform
