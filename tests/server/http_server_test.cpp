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
#include "tests/server/running_server.h"
#include "tests/support/test_files.h"

namespace compare {
namespace {

namespace fs = std::filesystem;
using compare_test::CountRows;
using compare_test::FormBody;
using compare_test::kFormType;
using compare_test::RawExchange;
using compare_test::Record;
using compare_test::RunningServer;

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
  EXPECT_EQ(compare_test::ExitCode(compare_test::Spawn(
                {MG_COMPARE_SERVER, "--db", database_.string(), "--port", "x"})),
            2);
  const compare_test::Program program =
      compare_test::StartProgram({MG_COMPARE_SERVER, "--db", database_.string(), "--port", "0"});
  ASSERT_GT(program.port, 0) << program.line;
  EXPECT_NE(program.line.find("http://127.0.0.1:"), std::string::npos) << program.line;
  httplib::Client client("127.0.0.1", program.port);
  const httplib::Result listed = client.Get("/");
  ASSERT_TRUE(listed) << program.line;
  EXPECT_EQ(listed->status, 200);
  kill(program.pid, SIGTERM);
  EXPECT_EQ(compare_test::ExitCode(program.pid), 0);
}

}  // namespace
}  // namespace compare
