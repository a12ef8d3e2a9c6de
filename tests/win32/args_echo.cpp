// A program for the shell tests to start: it writes its arguments as the C
// runtime split them, one per line in UTF-8, and exits with their count.
//   args_echo --sleep <ms>            waits first
//   args_echo --write <file> <text>   writes the text to the file instead
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  return out;
}

void Write(HANDLE to, const std::string& bytes) {
  DWORD written = 0;
  WriteFile(to, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wcscmp(argv[1], L"--sleep") == 0) Sleep(std::wcstoul(argv[2], nullptr, 10));
  if (argc == 4 && std::wcscmp(argv[1], L"--write") == 0) {
    const HANDLE file = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    Write(file, Utf8(argv[3]));
    CloseHandle(file);
    return 0;
  }
  std::string out;
  for (int i = 1; i < argc; ++i) out += Utf8(argv[i]) + "\n";
  Write(GetStdHandle(STD_OUTPUT_HANDLE), out);
  return argc - 1;
}
