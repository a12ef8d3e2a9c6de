#include <malloc.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/memory.h"

namespace platform {
namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
// Present only in the restarted program: "=" and the caller's tunables, or
// empty when the caller had none.
constexpr const char* kCallerTunables = "MG_CALLER_GLIBC_TUNABLES";

void PutCallerTunablesBack(const std::string& saved) {
  if (saved.starts_with('=')) {
    setenv(kTunables, saved.c_str() + 1, 1);
  } else {
    unsetenv(kTunables);
  }
  unsetenv(kCallerTunables);
}

std::string ReadEnabledFile() {
  std::ifstream file("/sys/kernel/mm/transparent_hugepage/enabled");
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

void RestartWithHugePages(char** argv) {
  if (const char* saved = std::getenv(kCallerTunables)) {
    PutCallerTunablesBack(saved);
    return;
  }
  if (argv == nullptr || argv[0] == nullptr || !HugePagesOnRequest(ReadEnabledFile())) return;
  const char* current = std::getenv(kTunables);
  const std::optional<std::string> tunables = TunablesWithHugePages(current);
  if (!tunables) return;
  const std::string saved = current != nullptr ? "=" + std::string(current) : std::string();
  setenv(kCallerTunables, saved.c_str(), 1);
  setenv(kTunables, tunables->c_str(), 1);
  // By its own path, not /proc/self/exe: the process takes its name from it.
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) execv(self.c_str(), argv);
  // Not started again: go on as we are.
  PutCallerTunablesBack(saved);
}

void ReturnFreedMemory() { malloc_trim(0); }

}  // namespace platform
