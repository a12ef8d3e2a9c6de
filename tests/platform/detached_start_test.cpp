// A detached program runs in a session of its own, with its standard input
// on /dev/null and none of our other descriptors, and is not waited for.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "platform/shell.h"
#include "tests/support/test_files.h"

namespace {

TEST(DetachedStartTest, RunsInItsOwnSessionWithoutOurDescriptors) {
  const test_support::ScratchFolder folder;
  const auto out = folder.path() / "out";
  const int inherited = open("/dev/null", O_RDONLY);  // no O_CLOEXEC on purpose
  ASSERT_GE(inherited, 3);
  // The session id is field 6 of /proc/<pid>/stat; "done" comes last.
  const std::string script =
      "set -- $(cat /proc/$$/stat); echo \"$1 $6\"; readlink /proc/$$/fd/0; "
      "test -e /proc/$$/fd/" +
      std::to_string(inherited) + " && echo leaked; echo done";
  ASSERT_TRUE(platform::StartDetached({"sh", "-c",
                                       "{ " + script + "; } > '" + out.string() + ".part' && mv '" +
                                           out.string() + ".part' '" + out.string() + "'"}));
  close(inherited);
  for (int i = 0; i < 200 && !std::filesystem::exists(out); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  std::istringstream lines(test_support::ReadBytes(out));
  std::string pid, session, input, last;
  lines >> pid >> session >> input >> last;
  EXPECT_EQ(session, pid) << "the program leads a session of its own";
  EXPECT_EQ(input, "/dev/null");
  EXPECT_EQ(last, "done") << "no descriptor of ours reached the program";

  EXPECT_FALSE(platform::StartDetached({"mg-no-such-program"}));
}

}  // namespace
