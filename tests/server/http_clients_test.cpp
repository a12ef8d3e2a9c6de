// The server against slow, pipelining, half-closing and oversized clients,
// over real sockets on 127.0.0.1. Waits are bounded and generous: they check
// that an answer or a close arrives, not how fast.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/server/posted_result.h"
#include "tests/server/running_server.h"
#include "tests/support/test_files.h"

namespace compare {
namespace {

using namespace std::chrono_literals;
using compare_test::AnswerCount;
using compare_test::Connect;
using compare_test::CountRows;
using compare_test::FormBody;
using compare_test::RawExchange;
using compare_test::ReadUntilClosed;
using compare_test::Record;
using compare_test::RunningServer;

class HttpClientsTest : public testing::Test {
 protected:
  test_support::ScratchFolder folder_;
  std::string database_ = (folder_.path() / "results.sqlite").string();
};

std::string Post(const std::string& body) {
  return "POST /?Quellish.Dial/1 HTTP/1.1\r\nHost: x\r\nContent-Type: "
         "application/x-www-form-urlencoded\r\nContent-Length: " +
         std::to_string(body.size()) + "\r\n\r\n" + body;
}

// 50 connections that hold half a request each, or dribble one byte at a
// time, and a normal request beside them: answered well before the slow
// ones reach their deadline (10 s), so none of them held it up.
TEST_F(HttpClientsTest, SlowClientsDelayNobody) {
  RunningServer server(database_);
  std::vector<int> slow;
  for (int i = 0; i < 50; ++i) {
    const int fd = Connect(server.port());
    ASSERT_GE(fd, 0);
    const std::string half = i % 2 == 0 ? "GET / HTTP/1.1\r\nHost: x\r\nAcc" : "G";
    send(fd, half.data(), half.size(), MSG_NOSIGNAL);
    slow.push_back(fd);
  }
  std::atomic<bool> done{false};
  std::thread dribbler([&] {
    while (!done) {
      for (size_t i = 1; i < slow.size(); i += 2) send(slow[i], "E", 1, MSG_NOSIGNAL);
      std::this_thread::sleep_for(200ms);
    }
  });
  httplib::Client client = server.Client();
  client.set_read_timeout(5s);
  const httplib::Result page = client.Get("/");
  const httplib::Result posted =
      client.Post("/?Quellish.Dial/1", FormBody(Record(40.0, 1)), compare_test::kFormType);
  done = true;
  dribbler.join();
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  ASSERT_TRUE(posted);
  EXPECT_EQ(posted->status, 200);
  for (const int fd : slow) close(fd);
}

// A request must be whole within the deadline of its first byte, however
// steadily it trickles; a connection that sends nothing is closed after the
// idle timeout.
TEST_F(HttpClientsTest, RequestsMustArriveWithinTheDeadline) {
  HttpLimits limits;
  limits.requestDeadline = 1s;
  limits.idleTimeout = 1s;
  RunningServer server(database_, limits);

  const int silent = Connect(server.port());
  const int dribbling = Connect(server.port());
  ASSERT_GE(silent, 0);
  ASSERT_GE(dribbling, 0);
  send(dribbling, "GET / HTTP/1.1\r\n", 16, MSG_NOSIGNAL);
  bool closed = false;
  for (int i = 0; i < 50 && !closed; ++i) {
    send(dribbling, "X", 1, MSG_NOSIGNAL);
    ReadUntilClosed(dribbling, 100ms, &closed);
  }
  EXPECT_TRUE(closed) << "a request still open after 5 s";
  ReadUntilClosed(silent, 5s, &closed);
  EXPECT_TRUE(closed) << "an idle connection still open after 5 s";
  close(silent);
  close(dribbling);
}

// Past the busy mark, connections that wait idly are closed to make room,
// long before their idle timeout; the newcomer is served.
TEST_F(HttpClientsTest, IdleConnectionsMakeRoomWhenManyAreOpen) {
  HttpLimits limits;
  limits.idleTimeout = 60s;
  limits.busyConnections = 10;
  RunningServer server(database_, limits);
  std::vector<int> idle;
  for (int i = 0; i < 10; ++i) idle.push_back(Connect(server.port()));
  httplib::Client client = server.Client();
  client.set_read_timeout(5s);
  const httplib::Result page = client.Get("/");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->status, 200);
  for (const int fd : idle) {
    bool closed = false;
    ReadUntilClosed(fd, 5s, &closed);
    EXPECT_TRUE(closed);
    close(fd);
  }
}

// Requests sent in one write are each answered, in order; a client that
// closed its sending side after them still gets every answer.
TEST_F(HttpClientsTest, PipelinedAndHalfClosedRequestsAreAllAnswered) {
  RunningServer server(database_);
  std::string posts;
  for (int i = 0; i < 4; ++i)
    posts += Post(FormBody(Record(10.0 + i, 1, "Card " + std::to_string(i))));
  const std::string posted = RawExchange(server.port(), posts);
  EXPECT_EQ(AnswerCount(posted), 4) << posted.substr(0, 300);
  EXPECT_EQ(CountRows(database_), 4);
  // Each answer ranks its own result, in the order posted.
  size_t at = 0;
  for (int i = 0; i < 4; ++i) {
    at = posted.find("of " + std::to_string(i + 1) + " at detail level", at);
    EXPECT_NE(at, std::string::npos) << i;
  }

  const char* pages[] = {"faq-Morvandel.Gauge", "Freeware/Morvandel.Gauge/History",
                         "Freeware/Morvandel.Gauge/Thanks", "PayPal"};
  const char* titles[] = {"Questions and answers", "History", "Thanks", "Free of charge"};
  std::string gets;
  for (int i = 0; i < 10; ++i)
    gets += "GET /?seite=" + std::string(pages[i % 4]) + " HTTP/1.1\r\nHost: x\r\n\r\n";
  const std::string got = RawExchange(server.port(), gets);
  EXPECT_EQ(AnswerCount(got), 10);
  at = 0;
  for (int i = 0; i < 10; ++i) {
    at = got.find(std::string("<title>Morvandel.Gauge \u2013 ") + titles[i % 4], at);
    ASSERT_NE(at, std::string::npos) << i;
    ++at;
  }
}

// A body larger than the server takes is refused from its Content-Length,
// before any of it is sent.
TEST_F(HttpClientsTest, OversizedBodyIsRefusedFromItsLength) {
  RunningServer server(database_);
  const int fd = Connect(server.port());
  ASSERT_GE(fd, 0);
  const std::string head =
      "POST / HTTP/1.1\r\nHost: x\r\nContent-Type: application/x-www-form-urlencoded\r\n"
      "Content-Length: 52428800\r\n\r\n";
  send(fd, head.data(), head.size(), MSG_NOSIGNAL);
  bool closed = false;
  const std::string answer = ReadUntilClosed(fd, 10s, &closed);
  close(fd);
  EXPECT_EQ(answer.substr(0, 12), "HTTP/1.1 413") << answer;
  EXPECT_NE(answer.find("larger than 64 KiB"), std::string::npos);
  EXPECT_EQ(CountRows(database_), 0);
}

}  // namespace
}  // namespace compare
