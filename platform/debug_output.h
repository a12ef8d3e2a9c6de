// Diagnostic lines (the autopilot's steering, the terrain's patch count).
// They go to standard error only when MG_DEBUG_OUTPUT is set to something
// other than "" or "0": a line per frame on a terminal is noise otherwise.
// On Windows they also go to the debugger's output (OutputDebugStringW).
// Tests install a recorder (platform/fake/recording_debug_output.h).
#pragma once

#include <functional>
#include <string_view>

namespace platform {

// The text is passed as it is; lines carry their own "\n".
void DebugOutput(std::string_view text);

using DebugOutputHandler = std::function<void(std::string_view)>;

// Replaces the handler; returns the previous one. An empty handler restores
// the platform's own (standard error behind the switch).
DebugOutputHandler SetDebugOutputHandler(DebugOutputHandler handler);

}  // namespace platform
