// Starts a program and stops it as soon as it opens a given file: proof that
// it found the file, without waiting for the program to finish.
// Usage: run-until-open FILE SECONDS PROGRAM [ARGUMENT...]
// Exit 0 when the file was opened, 1 when the program ended first, 3 when
// the time ran out, 2 on a usage or setup failure.
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s FILE SECONDS PROGRAM [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  const int watch = inotify_init1(IN_CLOEXEC);
  if (watch < 0 || inotify_add_watch(watch, argv[1], IN_OPEN) < 0) {
    std::perror(argv[1]);
    return 2;
  }
  const pid_t child = fork();
  if (child < 0) return 2;
  if (child == 0) {
    execv(argv[3], argv + 3);
    std::perror(argv[3]);
    _exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[2]));
  int result = 3;
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd ready{watch, POLLIN, 0};
    if (poll(&ready, 1, 200) > 0) {
      result = 0;
      break;
    }
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
      std::fprintf(stderr, "the program ended (status %d) without opening %s\n", status, argv[1]);
      return 1;
    }
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  if (result == 3) std::fprintf(stderr, "%s was not opened within %s seconds\n", argv[1], argv[2]);
  return result;
}
