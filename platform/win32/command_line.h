// One command line for CreateProcessW from an argument vector, quoted so that
// the started program's C runtime (and CommandLineToArgvW) splits it back
// into exactly these arguments. No shell ever sees it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::win32 {

// One argument after the program name, quoted where it must be:
// - an argument that is not empty and holds no space, tab, line feed,
//   vertical tab or quote is taken as it is, backslashes included;
// - otherwise it is wrapped in quotes; a quote inside becomes \", the
//   backslashes right before a quote or before the closing quote are
//   doubled, and other backslashes stay single.
std::wstring QuoteArgument(const std::wstring& argument);

// The program name and its arguments as one command line. The program name
// is read by other rules (up to the next quote, or the next space when it
// does not start with one): it is quoted when it holds a space or tab or is
// empty, and it cannot hold a quote. Nothing for an empty vector, a program
// name with a quote or an argument with a NUL character.
std::optional<std::wstring> BuildCommandLine(const std::vector<std::wstring>& argv);

}  // namespace platform::win32
