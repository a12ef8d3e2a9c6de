// The compare command's page file, the browser it opens, and the comparison
// server it starts when the address is this machine and nobody listens.
#include "app/compare.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/fake/recording_shell.h"
#include "platform/paths.h"
#include "tests/support/env_guard.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using test_support::ReadBytes;

// A TCP socket on 127.0.0.1 at a port the system chose; listening or not.
class LocalSocket {
 public:
  explicit LocalSocket(bool listening) {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(fd_, reinterpret_cast<sockaddr*>(&address), length);
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    if (listening) listen(fd_, 4);
  }
  ~LocalSocket() { close(fd_); }
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

class CompareTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TMPDIR", (folder_.path() / "tmp").c_str(), 1);
    setenv("XDG_DATA_HOME", (folder_.path() / "data").c_str(), 1);
    fs::create_directories(folder_.path() / "tmp");
  }
  test_support::ScratchFolder folder_;
  test_support::EnvGuard env_{"TMPDIR", "XDG_DATA_HOME"};
  platform::fake::RecordingShell shell_;
};

TEST_F(CompareTest, PageIsWrittenPrivatelyAndOpenedInTheBrowser) {
  const std::string record = "MSA:0\nMode:1\nGL_RENDERER:<b>&\"\nVersion:2.33\n";
  const auto outcome = app::ExportResultPage(record, 1, "https://example.org");
  ASSERT_TRUE(outcome.page.written);
  EXPECT_EQ(outcome.page.path, platform::PrivateTempDirPath() / "Morvandel.Gauge----------.htm");
  EXPECT_EQ(ReadBytes(outcome.page.path),
            bench::BuildResultPage(record, "https://example.org/?Quellish.Dial/1"));
  struct stat st {};
  ASSERT_EQ(stat(outcome.page.path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_FALSE(outcome.serverStarted) << "the address is not this machine";
  EXPECT_TRUE(outcome.opened);
  EXPECT_EQ(shell_.commands(),
            (std::vector<std::vector<std::string>>{{"xdg-open", outcome.page.path.string()}}));
}

TEST_F(CompareTest, APageThatCannotBeWrittenIsStillOpened) {
  setenv("TMPDIR", (folder_.path() / "missing" / "tmp").c_str(), 1);
  const auto outcome = app::ExportResultPage("A:1\n", 7, "https://example.org");
  EXPECT_FALSE(outcome.page.written);
  EXPECT_EQ(
      shell_.commands(),
      (std::vector<std::vector<std::string>>{
          {"xdg-open", (platform::PrivateTempDirPath() / bench::kResultPageFileName).string()}}));
}

TEST_F(CompareTest, ServerStartsOnlyWhenNothingListensOnThisMachine) {
  int closedPort = 0;
  {
    const LocalSocket bound(false);
    closedPort = bound.port();
  }
  EXPECT_TRUE(app::StartCompareServerIfNeeded("http://localhost:" + std::to_string(closedPort), 0));
  const fs::path database = folder_.path() / "data" / "Morvandel.Gauge" / "results.sqlite";
  EXPECT_EQ(shell_.detached(), (std::vector<std::vector<std::string>>{
                                   {"morvandel-compare-server", "--db", database.string(), "--port",
                                    std::to_string(closedPort), "--bind", "127.0.0.1"}}));
  EXPECT_TRUE(fs::is_directory(database.parent_path()));

  const LocalSocket listening(true);
  EXPECT_FALSE(
      app::StartCompareServerIfNeeded("http://127.0.0.1:" + std::to_string(listening.port()), 0));
  EXPECT_FALSE(app::StartCompareServerIfNeeded("http://example.org:1", 0));
  EXPECT_EQ(shell_.detached().size(), 1u) << "a listening port or another host starts nothing";
}

TEST_F(CompareTest, ServerBesideTheProgramIsPreferred) {
  const fs::path program = folder_.path() / "bin" / "morvandel-compare-server";
  test_support::WriteBytes(program, "#!/bin/sh\n");
  const bench::LocalEndpoint endpoint{"::1", 9000};
  EXPECT_EQ(app::CompareServerCommand(program.parent_path(), "/d", endpoint)[0],
            "morvandel-compare-server")
      << "not executable";
  fs::permissions(program, fs::perms::owner_exec, fs::perm_options::add);
  EXPECT_EQ(app::CompareServerCommand(program.parent_path(), "/d", endpoint),
            (std::vector<std::string>{program.string(), "--db", "/d/Morvandel.Gauge/results.sqlite",
                                      "--port", "9000", "--bind", "::1"}));
}

}  // namespace
