#include "tests/e2e/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <thread>
#include <utility>

extern char** environ;

namespace e2e {

namespace fs = std::filesystem;

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const fs::path& errorFile) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  std::vector<std::string> args = argv;
  std::vector<char*> pointers;
  for (std::string& a : args) pointers.push_back(a.data());
  pointers.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  pid_t pid = -1;
  const int error =
      posix_spawnp(&pid, pointers[0], &actions, &attributes, pointers.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (error != 0) {
    close(fds[0]);
    return;
  }
  pid_ = pid;
  out_ = fds[0];
}

ChildProcess::~ChildProcess() {
  KillAndCollect();
  if (out_ >= 0) close(out_);
}

void ChildProcess::KillAndCollect() {
  if (pid_ <= 0 || ended_) return;
  // The group leader is not collected yet, so its group id still names
  // this program and whatever it started.
  kill(-pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  ended_ = true;
}

bool ChildProcess::Fill(Deadline deadline) {
  if (eof_ || out_ < 0) {
    eof_ = true;
    return true;
  }
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  if (left.count() <= 0) return false;
  pollfd p{out_, POLLIN, 0};
  if (poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
  char chunk[8192];
  const ssize_t n = read(out_, chunk, sizeof chunk);
  if (n <= 0) {
    eof_ = true;
  } else {
    buffer_.append(chunk, static_cast<size_t>(n));
  }
  return true;
}

std::optional<std::string> ChildProcess::ReadLine(Deadline deadline) {
  for (;;) {
    const size_t end = buffer_.find('\n');
    if (end != std::string::npos) {
      std::string line = buffer_.substr(0, end);
      buffer_.erase(0, end + 1);
      return line;
    }
    if (eof_ || !Fill(deadline)) return std::nullopt;
  }
}

std::optional<std::string> ChildProcess::ReadToEnd(Deadline deadline) {
  while (!eof_)
    if (!Fill(deadline)) return std::nullopt;
  return std::exchange(buffer_, {});
}

std::optional<int> ChildProcess::Terminate(Deadline deadline) {
  if (pid_ <= 0 || ended_) return std::nullopt;
  kill(pid_, SIGTERM);
  for (;;) {
    siginfo_t info{};
    // Seen without collecting it, so the group can still be ended by its id.
    if (waitid(P_PID, pid_, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid_) {
      kill(-pid_, SIGKILL);
      int status = 0;
      waitpid(pid_, &status, 0);
      ended_ = true;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      KillAndCollect();
      return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

fs::path FindInPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin");
  for (std::string folder; std::getline(folders, folder, ':');) {
    if (folder.empty()) continue;
    const fs::path candidate = fs::path(folder) / program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

}  // namespace e2e
