#include "platform/win32/command_line.h"

namespace platform::win32 {

std::wstring QuoteArgument(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    return argument;
  }
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are read in pairs: double them, and one
    // more escapes the quote itself.
    const size_t copies = c == L'"' ? 2 * backslashes + 1 : backslashes;
    quoted.append(copies, L'\\');
    quoted.push_back(c);
    backslashes = 0;
  }
  // Before the closing quote they are doubled too, or it would be escaped.
  quoted.append(2 * backslashes, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

std::optional<std::wstring> BuildCommandLine(const std::vector<std::wstring>& argv) {
  if (argv.empty() || argv.front().find(L'"') != std::wstring::npos) return std::nullopt;
  for (const std::wstring& argument : argv) {
    if (argument.find(L'\0') != std::wstring::npos) return std::nullopt;
  }
  const std::wstring& program = argv.front();
  std::wstring line = program.empty() || program.find_first_of(L" \t") != std::wstring::npos
                          ? L"\"" + program + L"\""
                          : program;
  for (size_t i = 1; i < argv.size(); ++i) {
    line.push_back(L' ');
    line += QuoteArgument(argv[i]);
  }
  return line;
}

}  // namespace platform::win32
