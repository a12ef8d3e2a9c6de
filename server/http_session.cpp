#include "server/http_session.h"

#include <boost/asio/post.hpp>
#include <boost/beast/core/string.hpp>
#include <boost/beast/http/empty_body.hpp>
#include <boost/beast/http/error.hpp>
#include <boost/beast/http/read.hpp>
#include <boost/beast/http/write.hpp>
#include <chrono>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "server/result_pages.h"

namespace compare {
namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;

// Request lines and headers beyond this are refused (431).
constexpr std::uint32_t kMaxHeaderBytes = 16 * 1024;
// After an answer that ends the connection, what the client still sends is
// read and dropped for at most this long, so that closing with unread data
// does not reset the connection before the client has read the answer.
constexpr std::chrono::seconds kLingerTime{2};
constexpr size_t kReadChunk = 16 * 1024;

HttpRequest Translate(const http::request<http::string_body>& in) {
  HttpRequest out;
  out.method = std::string(in.method_string());
  const std::string_view target(in.target().data(), in.target().size());
  const size_t question = target.find('?');
  out.path = std::string(target.substr(0, question));
  if (question != std::string_view::npos) out.query = std::string(target.substr(question + 1));
  const beast::string_view type = in[http::field::content_type];
  out.contentType = std::string(type.data(), type.size());
  out.body = in.body();
  return out;
}

HttpResponse ServerError() {
  HttpResponse answer;
  answer.status = 500;
  answer.body = MessagePage("Server error", "The request could not be answered.");
  return answer;
}

}  // namespace

HttpSession::HttpSession(asio::ip::tcp::socket socket, SessionContext& context)
    : stream_(std::move(socket)), context_(context) {
  ++context_.open;
}

HttpSession::~HttpSession() { --context_.open; }

void HttpSession::Start() { WaitForRequest(); }

void HttpSession::CloseIfIdle() {
  if (context_.idle.contains(this)) stream_.cancel();
}

// Waits for a request's first byte under the idle timeout; the request
// deadline starts with that byte. A request that is already in the buffer
// (pipelined behind the previous one) is read at once.
void HttpSession::WaitForRequest() {
  if (buffer_.size() > 0) {
    ReadRequest();
    return;
  }
  context_.idle.insert(this);
  stream_.expires_after(context_.limits.idleTimeout);
  stream_.async_read_some(buffer_.prepare(kReadChunk),
                          [self = shared_from_this()](beast::error_code error, size_t bytes) {
                            self->context_.idle.erase(self.get());
                            if (error) {
                              self->stream_.close();
                              return;
                            }
                            self->buffer_.commit(bytes);
                            self->ReadRequest();
                          });
}

void HttpSession::ReadRequest() {
  parser_.emplace();
  parser_->header_limit(kMaxHeaderBytes);
  parser_->body_limit(kMaxBodyBytes);
  stream_.expires_after(context_.limits.requestDeadline);
  http::async_read_header(
      stream_, buffer_, *parser_,
      [self = shared_from_this()](beast::error_code error, size_t) { self->OnHeader(error); });
}

void HttpSession::OnHeader(beast::error_code error) {
  if (error) {
    OnRequest(error);
    return;
  }
  const beast::string_view expect = parser_->get()[http::field::expect];
  if (!beast::iequals(expect, "100-continue") || parser_->is_done()) {
    ReadBody();
    return;
  }
  // The client waits for leave to send its body.
  auto proceed = std::make_shared<http::response<http::empty_body>>(http::status::continue_,
                                                                    parser_->get().version());
  http::async_write(stream_, *proceed,
                    [self = shared_from_this(), proceed](beast::error_code e, size_t) {
                      if (e) {
                        self->stream_.close();
                        return;
                      }
                      self->ReadBody();
                    });
}

void HttpSession::ReadBody() {
  http::async_read(
      stream_, buffer_, *parser_,
      [self = shared_from_this()](beast::error_code error, size_t) { self->OnRequest(error); });
}

void HttpSession::OnRequest(beast::error_code error) {
  if (error == http::error::body_limit) {
    Refuse(413, "Request too large",
           "The request is larger than 64 KiB; a result record is much smaller.");
  } else if (error == http::error::header_limit) {
    Refuse(431, "Request refused", "The request's headers are larger than 16 KiB.");
  } else if (error &&
             error.category() == beast::error_code(http::error::end_of_stream).category() &&
             error != http::error::end_of_stream && error != http::error::partial_message) {
    Refuse(400, "Request refused", "The request is not valid HTTP.");
  } else if (error) {
    // The client went away, before or in the middle of a request, or did not
    // send it within the deadline; the stream has closed the socket then.
    stream_.close();
  } else {
    const http::request<http::string_body>& request = parser_->get();
    version_ = request.version();
    head_ = request.method() == http::verb::head;
    const bool keepAlive = request.keep_alive();
    asio::post(context_.workers, [self = shared_from_this(), request = Translate(request),
                                  keepAlive]() mutable {
      HttpResponse answer;
      try {
        answer = HandleRequest(request, self->context_.store, std::chrono::system_clock::now());
      } catch (const std::exception&) {
        answer = ServerError();
      }
      asio::post(self->stream_.get_executor(),
                 [self, answer = std::move(answer), keepAlive]() mutable {
                   self->Write(std::move(answer), keepAlive);
                 });
    });
  }
}

void HttpSession::Refuse(int status, const char* heading, const char* text) {
  HttpResponse answer;
  answer.status = status;
  answer.body = MessagePage(heading, text);
  if (parser_) version_ = parser_->get().version() == 10 ? 10 : 11;
  head_ = false;
  Write(std::move(answer), false);
}

void HttpSession::Write(HttpResponse answer, bool keepAlive) {
  auto response = std::make_shared<http::response<http::string_body>>();
  response->version(version_);
  response->result(static_cast<unsigned>(answer.status));
  response->set(http::field::content_type, answer.contentType);
  for (const auto& [name, value] : answer.headers) response->set(name, value);
  response->keep_alive(keepAlive);
  const size_t length = answer.body.size();
  if (!head_) response->body() = std::move(answer.body);
  response->content_length(length);
  stream_.expires_after(context_.limits.writeTimeout);
  http::async_write(stream_, *response,
                    [self = shared_from_this(), response, keepAlive](
                        beast::error_code error, size_t) { self->OnWritten(error, keepAlive); });
}

void HttpSession::OnWritten(beast::error_code error, bool keepAlive) {
  if (error) {
    stream_.close();
  } else if (keepAlive) {
    WaitForRequest();
  } else {
    Linger();
  }
}

void HttpSession::Linger() {
  beast::error_code ignored;
  stream_.socket().shutdown(asio::ip::tcp::socket::shutdown_send, ignored);
  stream_.expires_after(kLingerTime);
  Drain();
}

void HttpSession::Drain() {
  buffer_.clear();
  stream_.async_read_some(buffer_.prepare(kReadChunk),
                          [self = shared_from_this()](beast::error_code error, size_t) {
                            if (error) {
                              self->stream_.close();
                              return;
                            }
                            self->Drain();
                          });
}

}  // namespace compare
