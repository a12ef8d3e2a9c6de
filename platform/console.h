// The terminal a command-line start runs from: whether standard error is a
// terminal (progress lines are rewritten in place only there) and Ctrl-C as
// a flag the main loop polls instead of the end of the process.
#pragma once

#include <atomic>
#include <memory>
#include <ostream>

namespace platform {

bool StandardErrorIsTerminal();

// Keeps standard output for one writer: returns a stream on the original
// standard output and sends everything else the process writes there
// (diagnostics of its own or of libraries) to standard error. Null, with
// nothing changed, when that cannot be done.
std::unique_ptr<std::ostream> TakeStandardOutput();

// From now on the first Ctrl-C (SIGINT) only sets `flag`; a second one ends
// the process as usual. Call it before the window system starts, which
// otherwise turns Ctrl-C into a request to close the window. The flag must
// outlive the process's use of it. False when the handler cannot be set.
bool WatchInterrupt(std::atomic<bool>& flag);

}  // namespace platform
