// The comparison server on a socket: cpp-httplib's threads hand every
// request to HandleRequest.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "server/result_store.h"

namespace compare {

class CompareHttpServer {
 public:
  explicit CompareHttpServer(ResultStore& store);
  ~CompareHttpServer();
  CompareHttpServer(const CompareHttpServer&) = delete;
  CompareHttpServer& operator=(const CompareHttpServer&) = delete;

  // Binds the listening socket; the port bound (the one the system chose
  // when `port` is 0), or -1 when the address cannot be bound.
  int Bind(const std::string& address, int port);
  // Answers requests until Stop; false when serving failed.
  bool Serve();
  // From any thread, before, during or after Serve: Serve returns soon.
  void Stop();

 private:
  struct Library;
  ResultStore& store_;
  std::unique_ptr<Library> library_;
  std::atomic<bool> serving_{false};
  std::atomic<bool> stopRequested_{false};
};

}  // namespace compare
