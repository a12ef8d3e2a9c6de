// The comparison server as its HTTP tests meet it: on a thread of the test
// or as the program itself, spoken to through cpp-httplib's client and raw
// sockets on 127.0.0.1.
#pragma once

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "server/http_server.h"

extern char** environ;

namespace compare_test {

inline constexpr const char* kFormType = "application/x-www-form-urlencoded";

// A store and a server on a free port of 127.0.0.1, serving on a thread.
class RunningServer {
 public:
  explicit RunningServer(const std::string& database, const compare::HttpLimits& limits = {}) {
    std::string error;
    store_ = compare::ResultStore::Open(database, error, limits.workers);
    EXPECT_TRUE(store_) << error;
    if (!store_) return;
    server_ = std::make_unique<compare::CompareHttpServer>(*store_, limits);
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
  std::unique_ptr<compare::ResultStore> store_;
  std::unique_ptr<compare::CompareHttpServer> server_;
  int port_ = -1;
  bool served_ = false;
  std::thread thread_;
};

// Rows in an SQLite database, read through a connection of its own, as
// another process would see them.
inline std::int64_t CountRows(const std::filesystem::path& database) {
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

// A connected socket to 127.0.0.1:port, or -1.
inline int Connect(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// Everything the socket gives until the server closes it or `limit` passes.
inline std::string ReadUntilClosed(int fd, std::chrono::milliseconds limit, bool* closed) {
  std::string answer;
  const auto end = std::chrono::steady_clock::now() + limit;
  *closed = false;
  while (std::chrono::steady_clock::now() < end) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 50) <= 0) continue;
    char buffer[4096];
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) {
      *closed = true;
      break;
    }
    answer.append(buffer, n);
  }
  return answer;
}

// Sends raw bytes, closes the sending side and returns whatever comes back.
inline std::string RawExchange(int port, const std::string& bytes) {
  const int fd = Connect(port);
  if (fd < 0) return {};
  send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
  shutdown(fd, SHUT_WR);
  bool closed = false;
  std::string answer = ReadUntilClosed(fd, std::chrono::seconds(30), &closed);
  close(fd);
  return answer;
}

// How many answers an exchange holds.
inline int AnswerCount(const std::string& exchange) {
  int count = 0;
  for (size_t at = exchange.find("HTTP/1.1 "); at != std::string::npos;
       at = exchange.find("HTTP/1.1 ", at + 1))
    ++count;
  return count;
}

// Starts a program; its standard output and error go to the given
// descriptors when they are not -1.
inline pid_t Spawn(std::vector<std::string> args, int out = -1, int err = -1) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (out >= 0) posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
  if (err >= 0) posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
  pid_t pid = -1;
  posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

inline int ExitCode(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A server program on a free port: its first line of output says where.
struct Program {
  pid_t pid = -1;
  int port = -1;
  std::string line;
};

inline Program StartProgram(std::vector<std::string> args) {
  Program program;
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return program;
  program.pid = Spawn(std::move(args), pipeFds[1]);
  close(pipeFds[1]);
  char c = 0;
  while (program.line.find('\n') == std::string::npos && read(pipeFds[0], &c, 1) == 1)
    program.line += c;
  close(pipeFds[0]);
  const size_t colon = program.line.find(':', program.line.find("//"));
  if (colon != std::string::npos) program.port = std::atoi(program.line.c_str() + colon + 1);
  return program;
}

}  // namespace compare_test
