// A program the test starts and owns: its standard output comes through a
// pipe, its standard error goes to a file, and it runs in a process group of
// its own, so the group is ended with it whatever path the test leaves by.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using Deadline = std::chrono::steady_clock::time_point;

inline Deadline After(std::chrono::milliseconds wait) {
  return std::chrono::steady_clock::now() + wait;
}

class ChildProcess {
 public:
  // Starts argv[0] (looked up in PATH). started() says whether it ran.
  ChildProcess(const std::vector<std::string>& argv, const std::filesystem::path& errorFile);
  // Kills the whole group and collects the program.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }

  // The next line of output without its line feed; nothing at the end of
  // the output or when the deadline passes first.
  std::optional<std::string> ReadLine(Deadline deadline);
  // All the output up to its end; nothing when the deadline passes first.
  std::optional<std::string> ReadToEnd(Deadline deadline);

  // Sends SIGTERM and waits for the exit until the deadline; the exit code,
  // or nothing when it did not end by itself in time (it is killed then).
  std::optional<int> Terminate(Deadline deadline);

 private:
  // Reads what arrives before the deadline; false when it passed first.
  bool Fill(Deadline deadline);
  void KillAndCollect();

  pid_t pid_ = -1;
  int out_ = -1;
  bool ended_ = false;
  std::string buffer_;
  bool eof_ = false;
};

// The program's full path when it is in PATH; empty otherwise.
std::filesystem::path FindInPath(const std::string& program);

}  // namespace e2e
