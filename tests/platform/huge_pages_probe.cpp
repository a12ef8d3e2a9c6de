// Restarts itself for huge pages as the program does, then prints what it
// sees: its tunables, whether the restart marker is left, and whether it was
// started with huge pages asked for (its environment as the kernel passed it),
// after its process name.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/memory.h"

int main(int, char** argv) {
  platform::RestartWithHugePages(argv);
  std::ifstream file("/proc/self/environ");
  const std::string initial{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  std::ifstream commFile("/proc/self/comm");
  std::string comm;
  std::getline(commFile, comm);
  const char* tunables = std::getenv("GLIBC_TUNABLES");
  std::printf("%s|%s|%s|%s\n", comm.c_str(), tunables != nullptr ? tunables : "(unset)",
              std::getenv("MG_CALLER_GLIBC_TUNABLES") != nullptr ? "marker" : "-",
              initial.find("glibc.malloc.hugetlb=1") != std::string::npos ? "huge" : "plain");
  return 0;
}
