// One client connection of the comparison server. Every call runs on the
// network thread; only HandleRequest runs on a worker, and its answer comes
// back to the network thread to be written. Requests on one connection are
// answered one after another in the order they came, so pipelined requests
// get their answers in order.
#pragma once

#include <atomic>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/thread_pool.hpp>
#include <boost/beast/core/flat_buffer.hpp>
#include <boost/beast/core/tcp_stream.hpp>
#include <boost/beast/http/parser.hpp>
#include <boost/beast/http/string_body.hpp>
#include <memory>
#include <optional>
#include <unordered_set>

#include "server/http_server.h"
#include "server/request_handler.h"

namespace compare {

class HttpSession;

// What every connection of one server shares.
struct SessionContext {
  const HttpLimits& limits;
  ResultStore& store;
  boost::asio::thread_pool& workers;
  std::atomic<int> open{0};
  // Connections waiting for the first byte of a request; network thread only.
  std::unordered_set<HttpSession*> idle;
};

class HttpSession : public std::enable_shared_from_this<HttpSession> {
 public:
  HttpSession(boost::asio::ip::tcp::socket socket, SessionContext& context);
  ~HttpSession();
  HttpSession(const HttpSession&) = delete;
  HttpSession& operator=(const HttpSession&) = delete;

  void Start();
  // Ends the connection if it is waiting for a request.
  void CloseIfIdle();

 private:
  using Parser = boost::beast::http::request_parser<boost::beast::http::string_body>;

  void WaitForRequest();
  void ReadRequest();
  void OnHeader(boost::beast::error_code error);
  void ReadBody();
  void OnRequest(boost::beast::error_code error);
  void Refuse(int status, const char* heading, const char* text);
  void Write(HttpResponse answer, bool keepAlive);
  void OnWritten(boost::beast::error_code error, bool keepAlive);
  void Linger();
  void Drain();

  boost::beast::tcp_stream stream_;
  SessionContext& context_;
  boost::beast::flat_buffer buffer_;
  std::optional<Parser> parser_;
  unsigned version_ = 11;  // of the request being answered
  bool head_ = false;      // the request being answered is a HEAD
};

}  // namespace compare
