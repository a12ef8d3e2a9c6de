#include "server/http_server.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "server/request_handler.h"
#include "tests/server/posted_result.h"
#include "tests/support/test_files.h"

extern char** environ;

namespace compare {
namespace {

namespace fs = std::filesystem;
using compare_test::FormBody;
using compare_test::Record;

constexpr const char* kFormType = "application/x-www-form-urlencoded";

// A store and a server on a free port of 127.0.0.1, serving on a thread.
class RunningServer {
 public:
  explicit RunningServer(const fs::path& database) {
    std::string error;
    store_ = ResultStore::Open(database, error);
    EXPECT_TRUE(store_) << error;
    if (!store_) return;
    server_ = std::make_unique<CompareHttpServer>(*store_);
    port_ = server_->Bind("127.0.0.1", 0);
    EXPECT_GT(port_, 0);
    thread_ = std::thread([this] { served_ = server_->Serve(); });
  }
  ~RunningServer() {
    if (!server_) return;
    server_->Stop();
    thread_.join();
    EXPECT_TRUE(served_);
  }
  int port() const { return port_; }
  httplib::Client Client() const {
    httplib::Client client("127.0.0.1", port_);
    client.set_read_timeout(std::chrono::seconds(30));
    return client;
  }

 private:
  std::unique_ptr<ResultStore> store_;
  std::unique_ptr<CompareHttpServer> server_;
  int port_ = -1;
  bool served_ = false;
  std::thread thread_;
};

// Rows in the database, read through a connection of its own, as another
// process would see them.
std::int64_t CountRows(const fs::path& database) {
  sqlite3* db = nullptr;
  std::int64_t count = -1;
  if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM results", -1, &stmt, nullptr);
    if (sqlite3_step(stmt) == SQLITE_ROW) count = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
  }
  sqlite3_close(db);
  return count;
}

// Sends raw bytes, closes the sending side and returns whatever comes back.
std::string RawExchange(int port, const std::string& bytes) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string answer;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    timeval timeout{30, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    shutdown(fd, SHUT_WR);
    char buffer[4096];
    for (ssize_t n; (n = recv(fd, buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, n);
  }
  close(fd);
  return answer;
}

class CompareServerHttpTest : public testing::Test {
 protected:
  test_support::ScratchFolder folder_;
  fs::path database_ = folder_.path() / "results.sqlite";
};

TEST_F(CompareServerHttpTest, PostIsRankedAndListed) {
  RunningServer server(database_);
  httplib::Client client = server.Client();
  // The address names the level, whatever the record's Mode says.
  const httplib::Result posted =
      client.Post("/?Quellish.Dial/1", FormBody(Record(33.0, 0, "Over the wire")), kFormType);
  ASSERT_TRUE(posted);
  EXPECT_EQ(posted->status, 200);
  EXPECT_EQ(posted->get_header_value("Content-Type"), "text/html; charset=utf-8");
  EXPECT_NE(posted->body.find("Position <strong>1</strong> of 1 at detail level <a "
                              "href=\"/?level=1\">Medium</a>"),
            std::string::npos);
  const httplib::Result listed = client.Get("/");
  ASSERT_TRUE(listed);
  EXPECT_EQ(listed->status, 200);
  EXPECT_NE(listed->body.find("Over the wire"), std::string::npos);

  // A long record (a machine with many memory modules) is well past the 8 KiB
  // the HTTP library allows a url-encoded form of its own accord.
  std::string modules;
  for (int k = 0; k < 48; ++k)
    for (const char* p : {"Manufacturer", "SerialNumber", "DeviceLocator", "PartNumber",
                          "ConfiguredClockSpeed", "Speed", "Capacity"})
      modules +=
          "Mem-" + std::to_string(k) + "-" + p + ":value of module " + std::to_string(k) + "\n";
  const std::string longForm = FormBody(Record(34.0, 1, "Many modules") + modules);
  ASSERT_GT(longForm.size(), 16u * 1024);
  ASSERT_LT(longForm.size(), kMaxBodyBytes);
  const httplib::Result longPost = client.Post("/?Quellish.Dial/1", longForm, kFormType);
  ASSERT_TRUE(longPost);
  EXPECT_EQ(longPost->status, 200);
  EXPECT_EQ(CountRows(database_), 2);
}

// The addresses exactly as the program's links open them, through the HTTP
// library's own parsing of the request line.
TEST_F(CompareServerHttpTest, LinkPagesAnswerWithTheirTitles) {
  RunningServer server(database_);
  httplib::Client client = server.Client();
  const std::pair<const char*, const char*> pages[] = {
      {"/de/?seite=faq-Morvandel.Gauge&faq=0",
       "<title>Morvandel.Gauge \u2013 Fragen und Antworten"},
      {"/eu/?seite=Freeware/Morvandel.Gauge", "<title>Morvandel.Gauge 2"},
      {"/int/?seite=Freeware/Morvandel.Gauge/History", "<title>Morvandel.Gauge \u2013 History"},
      {"/de/?seite=Freeware/Morvandel.Gauge/Danke", "<title>Morvandel.Gauge \u2013 Danke"},
      {"/int/?seite=Freeware/Morvandel.Gauge/Thanks", "<title>Morvandel.Gauge \u2013 Thanks"},
      {"/eu/?seite=PayPal&Program=Morvandel.Gauge", "<title>Morvandel.Gauge \u2013 Free of"},
      {"/eu/?seite=MorvandelGauge", "<title>Morvandel.Gauge - Latest results"},
      {"/de", "<title>Morvandel.Gauge 2"},
  };
  for (const auto& [address, title] : pages) {
    const httplib::Result page = client.Get(address);
    ASSERT_TRUE(page) << address;
    EXPECT_EQ(page->status, 200) << address;
    EXPECT_NE(page->body.find(title), std::string::npos) << address;
  }
  const httplib::Result missing = client.Get("/eu/?seite=Nothing");
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->status, 404);
}

TEST_F(CompareServerHttpTest, ConcurrentPostsAreAllStored) {
  RunningServer server(database_);
  constexpr int kThreads = 4, kPostsEach = 8;
  std::atomic<int> accepted{0};
  std::vector<std::thread> posters;
  for (int t = 0; t < kThreads; ++t) {
    posters.emplace_back([&server, &accepted, t] {
      httplib::Client client = server.Client();
      for (int i = 0; i < kPostsEach; ++i) {
        const httplib::Result r = client.Post("/?Quellish.Dial/" + std::to_string(i % 3),
                                              FormBody(Record(10.0 + t + i, i % 3)), kFormType);
        if (r && r->status == 200) ++accepted;
      }
    });
  }
  for (std::thread& poster : posters) poster.join();
  EXPECT_EQ(accepted, kThreads * kPostsEach);
  EXPECT_EQ(CountRows(database_), kThreads * kPostsEach);
}

TEST_F(CompareServerHttpTest, BadRequestsAreRefusedAndTheServerKeepsAnswering) {
  RunningServer server(database_);
  const std::string good = FormBody(Record(20.0, 1));
  const std::string head =
      "POST /?Quellish.Dial/1 HTTP/1.1\r\nHost: x\r\nContent-Type: "
      "application/x-www-form-urlencoded\r\n";
  // A body cut short: the client announces more than it sends, then hangs up.
  RawExchange(server.port(), head + "Content-Length: 5000\r\n\r\n" + good.substr(0, 100));
  // Garbage and an unknown method: only that the server lives on is checked
  // here.
  RawExchange(server.port(), "\x01\x02 nonsense\r\n\r\n");
  RawExchange(server.port(), "BREW / HTTP/1.1\r\nHost: x\r\n\r\n");

  httplib::Client client = server.Client();
  struct Case {
    const char* what;
    std::string body;
    int status;
  };
  const Case cases[] = {
      {"malformed Base64", "pelvorndata=%25%25%25", 400},
      {"truncated record", good.substr(0, good.size() / 2), 400},
      {"huge field", good + "&pelvorndata_img=" + std::string(200 * 1024, 'A'), 413},
      {"beyond what is read at all", good + "&x=" + std::string(2 * 1024 * 1024, 'A'), 413},
  };
  for (const Case& c : cases) {
    const httplib::Result r = client.Post("/?Quellish.Dial/1", c.body, kFormType);
    ASSERT_TRUE(r) << c.what;
    EXPECT_EQ(r->status, c.status) << c.what;
    EXPECT_NE(r->body.find("<!DOCTYPE html>"), std::string::npos) << c.what;
  }
  const httplib::Result deleted = client.Delete("/");
  ASSERT_TRUE(deleted);
  EXPECT_EQ(deleted->status, 405);
  EXPECT_EQ(CountRows(database_), 0);

  const httplib::Result posted = server.Client().Post("/?Quellish.Dial/1", good, kFormType);
  ASSERT_TRUE(posted);
  EXPECT_EQ(posted->status, 200);
  EXPECT_EQ(CountRows(database_), 1);
}

TEST_F(CompareServerHttpTest, RestartOnTheSameDatabaseKeepsResults) {
  {
    RunningServer server(database_);
    for (const char* card : {"First card", "Second card"})
      ASSERT_EQ(server.Client()
                    .Post("/?Quellish.Dial/2", FormBody(Record(50.0, 2, card)), kFormType)
                    ->status,
                200);
    // Committed: another connection sees both while the server still runs.
    EXPECT_EQ(CountRows(database_), 2);
  }
  RunningServer again(database_);
  const httplib::Result listed = again.Client().Get("/?level=2");
  ASSERT_TRUE(listed);
  EXPECT_NE(listed->body.find("First card"), std::string::npos);
  EXPECT_NE(listed->body.find("Second card"), std::string::npos);
  const httplib::Result posted =
      again.Client().Post("/?Quellish.Dial/2", FormBody(Record(60.0, 2)), kFormType);
  ASSERT_TRUE(posted);
  EXPECT_NE(posted->body.find("Position <strong>1</strong> of 3"), std::string::npos);
}

// The program as Compare starts it: on a free port it prints where it
// listens, answers, and ends cleanly on SIGTERM; a bad option ends it with 2.
TEST_F(CompareServerHttpTest, ProgramServesUntilTerminated) {
  const auto run = [](std::vector<std::string> args, int* out) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (out != nullptr) posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    pid_t pid = -1;
    posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
  };
  const auto exitCode = [](pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(exitCode(run({MG_COMPARE_SERVER, "--db", database_.string(), "--port", "x"}, nullptr)),
            2);

  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  const pid_t pid = run({MG_COMPARE_SERVER, "--db", database_.string(), "--port", "0"}, pipeFds);
  close(pipeFds[1]);
  ASSERT_GT(pid, 0);
  std::string line;
  char c = 0;
  while (line.find('\n') == std::string::npos && read(pipeFds[0], &c, 1) == 1) line += c;
  close(pipeFds[0]);
  const size_t colon = line.find(":", line.find("127.0.0.1"));
  ASSERT_NE(colon, std::string::npos) << line;
  const int port = std::atoi(line.c_str() + colon + 1);
  httplib::Client client("127.0.0.1", port);
  const httplib::Result listed = client.Get("/");
  ASSERT_TRUE(listed) << line;
  EXPECT_EQ(listed->status, 200);
  kill(pid, SIGTERM);
  EXPECT_EQ(exitCode(pid), 0);
}

}  // namespace
}  // namespace compare
