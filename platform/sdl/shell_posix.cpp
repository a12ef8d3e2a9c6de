#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>

#include "platform/shell.h"

extern char** environ;

namespace platform {
namespace {

constexpr int kOpenTimeoutMs = 3000;

int ExitCodeOf(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

std::string ReadAll(int fd) {
  std::string out;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      out.append(buffer, static_cast<size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      return out;
    }
  }
}

// Waits for the child up to the timeout; a child still running then is
// reaped by a detached thread so that it leaves no zombie behind.
void WaitForChild(pid_t pid, int timeoutMs, CommandResult& result) {
  int status = 0;
  if (timeoutMs < 0) {
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = ExitCodeOf(status);
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid || (done < 0 && errno != EINTR)) {
      result.exitCode = ExitCodeOf(status);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  result.stillRunning = true;
  std::thread([pid] {
    int ignored = 0;
    while (waitpid(pid, &ignored, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

// A program that runs on by itself: its own session (no terminal signals of
// ours reach it), standard streams on /dev/null, no descriptor of ours
// inherited, default signal handling. It stays our child while we run, so a
// thread reaps it when it ends.
CommandResult SpawnDetached(const std::vector<char*>& argv) {
  CommandResult result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  sigset_t defaults;
  sigfillset(&defaults);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  pid_t pid = -1;
  const int error = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return result;
  result.started = true;
  result.stillRunning = true;
  std::thread([pid] {
    int ignored = 0;
    while (waitpid(pid, &ignored, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return result;
}

}  // namespace

CommandResult SpawnCommand(const CommandRequest& request) {
  CommandResult result;
  if (request.argv.empty()) return result;
  std::vector<char*> argv;
  for (const std::string& arg : request.argv) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  if (request.detached) return SpawnDetached(argv);

  int pipeFds[2] = {-1, -1};
  if (request.captureOutput && pipe2(pipeFds, O_CLOEXEC) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (request.captureOutput) posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  pid_t pid = -1;
  const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (request.captureOutput) close(pipeFds[1]);
  if (error != 0) {
    if (request.captureOutput) close(pipeFds[0]);
    return result;
  }
  result.started = true;
  if (request.captureOutput) {
    result.output = ReadAll(pipeFds[0]);
    close(pipeFds[0]);
  }
  WaitForChild(pid, request.timeoutMs, result);
  return result;
}

bool OpenWithDefaultHandler(const std::string& target) {
  // A leading "-" would be read as an option by xdg-open.
  if (target.empty() || target[0] == '-') return false;
  const CommandResult result = RunCommand({{"xdg-open", target}, false, kOpenTimeoutMs});
  return result.started && (result.stillRunning || result.exitCode == 0);
}

bool ComposeMail(const std::string& mailto, const std::filesystem::path& attachment) {
  if (!mailto.starts_with("mailto:")) return false;
  // --utf8: the attachment's path is passed on as it is, whatever the locale.
  std::vector<std::string> argv = {"xdg-email", "--utf8"};
  if (!attachment.empty()) {
    argv.push_back("--attach");
    argv.push_back(attachment.string());
  }
  argv.push_back(mailto);
  const CommandResult result = RunCommand({std::move(argv), false, kOpenTimeoutMs});
  return result.started && (result.stillRunning || result.exitCode == 0);
}

FileChoice ChooseFileToOpen(const std::string& title) {
  const CommandResult result =
      RunCommand({{"zenity", "--file-selection", "--title=" + title}, true, -1});
  FileChoice choice;
  if (!result.started) return choice;
  std::string path = result.output;
  while (!path.empty() && (path.back() == '\n' || path.back() == '\r')) path.pop_back();
  if (result.exitCode == 0 && !path.empty()) {
    choice.status = FileChoiceStatus::Chosen;
    choice.path = path;
  } else if (result.exitCode == 0 || result.exitCode == 1) {
    choice.status = FileChoiceStatus::Cancelled;
  }
  return choice;
}

}  // namespace platform
