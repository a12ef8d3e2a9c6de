// Huge pages for the allocator: the tunables added to the caller's, the
// kernel's mode, and the restart of a real program with its environment
// given back.
#include "platform/memory.h"

#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace {

TEST(HugePagesTest, TunablesAddHugePagesUnlessTheCallerChose) {
  struct Case {
    const char* current;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {nullptr, "glibc.malloc.hugetlb=1"},
      {"", "glibc.malloc.hugetlb=1"},
      {"glibc.malloc.check=3", "glibc.malloc.check=3:glibc.malloc.hugetlb=1"},
      {"glibc.malloc.hugetlb=0", std::nullopt},
      {"glibc.malloc.check=3:glibc.malloc.hugetlb=2", std::nullopt},
      {"glibc.malloc.hugetlbx", "glibc.malloc.hugetlbx:glibc.malloc.hugetlb=1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.current != nullptr ? c.current : "(unset)");
    EXPECT_EQ(platform::TunablesWithHugePages(c.current), c.expected);
  }
  EXPECT_TRUE(platform::HugePagesOnRequest("always [madvise] never\n"));
  EXPECT_FALSE(platform::HugePagesOnRequest("[always] madvise never\n"));
  EXPECT_FALSE(platform::HugePagesOnRequest("always madvise [never]\n"));
  EXPECT_FALSE(platform::HugePagesOnRequest(""));
}

// Runs the probe with exactly the given environment; its one line of output.
std::string RunProbe(std::vector<std::string> environment) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return "no pipe";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  std::string program = MG_HUGE_PAGES_PROBE;
  char* argv[] = {program.data(), nullptr};
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  std::string output;
  char buffer[256];
  for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
    output.append(buffer, got);
  close(pipeEnds[0]);
  if (spawned != 0) return "not started";
  int status = 0;
  waitpid(pid, &status, 0);
  return output;
}

// The process keeps its name (the first 15 characters of its file's name).
TEST(HugePagesTest, ProgramStartsAgainWithHugePagesAndGivesTheCallersTunablesBack) {
  std::ifstream file("/sys/kernel/mm/transparent_hugepage/enabled");
  const std::string mode{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (!platform::HugePagesOnRequest(mode)) GTEST_SKIP() << "huge pages here: " << mode;
  // Sanitizer options travel along, so the probe runs as the test does.
  std::vector<std::string> base;
  for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS"}) {
    if (const char* value = std::getenv(name)) base.push_back(std::string(name) + "=" + value);
  }
  auto with = [&](std::vector<std::string> extra) {
    extra.insert(extra.end(), base.begin(), base.end());
    return extra;
  };
  EXPECT_EQ(RunProbe(with({})), "huge-pages-prob|(unset)|-|huge\n");
  EXPECT_EQ(RunProbe(with({"GLIBC_TUNABLES=glibc.malloc.check=0"})),
            "huge-pages-prob|glibc.malloc.check=0|-|huge\n");
  EXPECT_EQ(RunProbe(with({"GLIBC_TUNABLES=glibc.malloc.hugetlb=0"})),
            "huge-pages-prob|glibc.malloc.hugetlb=0|-|plain\n")
      << "the caller's own choice stands, and no restart";
}

}  // namespace
