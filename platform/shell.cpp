// What both platforms' shells share: the replaceable command runner and
// starting a program that outlives its caller.
#include "platform/shell.h"

#include <mutex>

namespace platform {
namespace {

struct ShellState {
  std::mutex mutex;
  CommandRunner runner;
};

ShellState& State() {
  static ShellState state;
  return state;
}

}  // namespace

CommandResult RunCommand(const CommandRequest& request) {
  CommandRunner runner;
  {
    std::lock_guard lock(State().mutex);
    runner = State().runner;
  }
  return runner ? runner(request) : SpawnCommand(request);
}

CommandRunner SetCommandRunner(CommandRunner runner) {
  std::lock_guard lock(State().mutex);
  std::swap(State().runner, runner);
  return runner;
}

bool StartDetached(const std::vector<std::string>& argv) {
  CommandRequest request;
  request.argv = argv;
  request.detached = true;
  return RunCommand(request).started;
}

}  // namespace platform
