// The terminal a command-line start runs from: whether standard error is a
// terminal (progress lines are rewritten in place only there) and Ctrl-C as
// a flag the main loop polls instead of the end of the process.
#pragma once

#include <atomic>

namespace platform {

bool StandardErrorIsTerminal();

// From now on the first Ctrl-C (SIGINT) only sets `flag`; a second one ends
// the process as usual. Call it before the window system starts, which
// otherwise turns Ctrl-C into a request to close the window. The flag must
// outlive the process's use of it. False when the handler cannot be set.
bool WatchInterrupt(std::atomic<bool>& flag);

}  // namespace platform
