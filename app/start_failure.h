// What the user is told when the program cannot start: what is missing and
// what to do, in the user's language where the program has the words and in
// English otherwise. The texts live here, not in the string archive, because
// one of the failures is that the archive cannot be read.
#pragma once

#include <string>
#include <string_view>

namespace app {

// The exit status of a start that failed.
inline constexpr int kExitStartFailed = 1;

enum class StartFailure {
  StringArchive,  // the program's texts cannot be read from its own file
  GlContext,      // no GL context for the window; detail: the platform's reason
  Multitexture,   // the driver lacks multitexturing
  GlExtension,    // the driver lacks a GL extension; detail: its name
};

struct StartFailureMessage {
  std::u16string caption;
  std::u16string text;
};

// `language` is the program's language index (0 German, 1 English, ...).
StartFailureMessage DescribeStartFailure(StartFailure failure, int language,
                                         std::string_view detail = {});

// Shows the message in an error box.
void ReportStartFailure(StartFailure failure, int language, std::string_view detail = {});

}  // namespace app
