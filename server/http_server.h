// The comparison server on a socket. One network thread reads and writes
// every connection without blocking, so slow clients cost a socket each and
// delay nobody; complete requests go to a pool of worker threads, which run
// HandleRequest and the database calls.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "server/result_store.h"

namespace compare {

// How long clients may take, and how many workers answer them.
struct HttpLimits {
  // A request's line, headers and body must all arrive within this time of
  // its first byte, or the connection is closed.
  std::chrono::milliseconds requestDeadline{10'000};
  // How long a connection may wait for the first byte of its next request.
  std::chrono::milliseconds idleTimeout{5'000};
  // How long a client may take to read an answer.
  std::chrono::milliseconds writeTimeout{10'000};
  // Beyond this many open connections, those waiting idly for a next request
  // are closed to make room.
  int busyConnections = 256;
  // Threads that run the request handler.
  int workers = 8;
};

class CompareHttpServer {
 public:
  explicit CompareHttpServer(ResultStore& store, const HttpLimits& limits = {});
  ~CompareHttpServer();
  CompareHttpServer(const CompareHttpServer&) = delete;
  CompareHttpServer& operator=(const CompareHttpServer&) = delete;

  // Binds the listening socket; the port bound (the one the system chose
  // when `port` is 0), or -1 when the address cannot be bound.
  int Bind(const std::string& address, int port);
  // Answers requests until Stop; false when nothing is bound.
  bool Serve();
  // From any thread, before, during or after Serve: Serve returns soon.
  void Stop();

 private:
  struct Network;
  std::unique_ptr<Network> network_;
};

// "http://127.0.0.1:8723/", "http://[::1]:8723/": the address a browser
// takes for a listening address and port.
std::string ServerAddress(const std::string& bindAddress, int port);

}  // namespace compare
