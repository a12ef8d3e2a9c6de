#include <signal.h>
#include <unistd.h>

#include "platform/console.h"

namespace platform {
namespace {

static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler stores without a lock");

// A signal handler reaches nothing else: the one flag it sets.
std::atomic<bool>* interruptFlag = nullptr;

void OnInterrupt(int) {
  if (interruptFlag != nullptr) interruptFlag->store(true);
}

}  // namespace

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

bool WatchInterrupt(std::atomic<bool>& flag) {
  interruptFlag = &flag;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // The first Ctrl-C restores the default, so that a second one always ends
  // a program that no longer answers.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  return sigaction(SIGINT, &action, nullptr) == 0;
}

}  // namespace platform
