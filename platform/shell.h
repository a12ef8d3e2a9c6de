// Outside programs the desktop provides: opening files and addresses with the
// default handler (xdg-open), the mail composer (xdg-email), the open-file
// dialog (zenity), and programs that run on by themselves (the comparison
// server).
//
// Every program is started with an argument vector, never through a shell.
// All starts go through one replaceable command runner, so tests can record
// the argument vectors and script the answers
// (platform/fake/recording_shell.h).
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace platform {

struct CommandRequest {
  std::vector<std::string> argv;  // argv[0] is looked up in PATH
  bool captureOutput = false;     // collect standard output
  int timeoutMs = -1;             // < 0: wait for the exit
  // Started in a session of its own with its standard streams on /dev/null
  // and not waited for; outlives the program.
  bool detached = false;
};

struct CommandResult {
  bool started = false;       // false: not found or could not be started
  bool stillRunning = false;  // the timeout passed; the program runs on
  int exitCode = -1;          // -1 when ended by a signal
  std::string output;
};

using CommandRunner = std::function<CommandResult(const CommandRequest&)>;

CommandResult RunCommand(const CommandRequest& request);

// Replaces the runner; returns the previous one. An empty runner restores
// the real one (posix_spawnp).
CommandRunner SetCommandRunner(CommandRunner runner);

// Starts the command as the platform does, when no runner is set; each
// platform's side defines it.
CommandResult SpawnCommand(const CommandRequest& request);

// Opens a file (absolute path) or an address with the desktop's default
// handler. False when the text is empty or starts with "-", when xdg-open
// cannot be started, or when it reports failure (no handler). A handler that
// is still running after a short wait counts as success.
bool OpenWithDefaultHandler(const std::string& target);

// Opens the desktop's mail composer (xdg-email) with `mailto` (a
// "mailto:" address whose fields are already percent-encoded: xdg-email
// would otherwise expand backslash escapes and cut non-ASCII text) and, when
// `attachment` is not empty, that file attached. False when the address does
// not start with "mailto:", when xdg-email cannot be started or when it
// reports failure (a missing attachment, no mail program). A composer that
// is still running after a short wait counts as success.
bool ComposeMail(const std::string& mailto, const std::filesystem::path& attachment);

// Starts a program that keeps running on its own (a detached request).
// False when it cannot be started.
bool StartDetached(const std::vector<std::string>& argv);

enum class FileChoiceStatus { Chosen, Cancelled, Unavailable };

struct FileChoice {
  FileChoiceStatus status = FileChoiceStatus::Unavailable;
  std::filesystem::path path;
};

// Shows the desktop's open-file dialog (zenity) and waits for the user.
// Unavailable when no dialog program can be run.
FileChoice ChooseFileToOpen(const std::string& title);

}  // namespace platform
