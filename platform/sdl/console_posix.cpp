#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <streambuf>

#include "platform/console.h"

namespace platform {
namespace {

static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler stores without a lock");

// A signal handler reaches nothing else: the one flag it sets.
std::atomic<bool>* interruptFlag = nullptr;

void OnInterrupt(int) {
  if (interruptFlag != nullptr) interruptFlag->store(true);
}

// Unbuffered writes to a file descriptor it owns.
class DescriptorBuffer final : public std::streambuf {
 public:
  explicit DescriptorBuffer(int fd) : fd_(fd) {}
  ~DescriptorBuffer() override { close(fd_); }

 protected:
  std::streamsize xsputn(const char* data, std::streamsize size) override {
    std::streamsize written = 0;
    while (written < size) {
      const ssize_t n = write(fd_, data + written, static_cast<size_t>(size - written));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      written += n;
    }
    return written;
  }
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
  }

 private:
  int fd_;
};

class DescriptorStream final : public std::ostream {
 public:
  explicit DescriptorStream(int fd) : std::ostream(nullptr), buffer_(fd) { rdbuf(&buffer_); }

 private:
  DescriptorBuffer buffer_;
};

}  // namespace

std::unique_ptr<std::ostream> TakeStandardOutput() {
  std::fflush(stdout);
  const int kept = dup(STDOUT_FILENO);
  if (kept < 0) return nullptr;
  if (dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
    close(kept);
    return nullptr;
  }
  return std::make_unique<DescriptorStream>(kept);
}

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
