#include "server/http_server.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "server/request_handler.h"
#include "server/result_pages.h"

namespace compare {
namespace {

// Bodies up to this size are read (and refused above kMaxBodyBytes by the
// handler with its own page); larger ones are cut off by the library.
constexpr size_t kLargestBodyRead = 1024 * 1024;

HttpRequest Translate(const httplib::Request& in) {
  HttpRequest out;
  out.method = in.method;
  out.path = in.path;
  const size_t question = in.target.find('?');
  if (question != std::string::npos) out.query = in.target.substr(question + 1);
  out.contentType = in.get_header_value("Content-Type");
  out.body = in.body.substr(0, kMaxBodyBytes + 1);
  return out;
}

void Answer(const HttpResponse& answer, httplib::Response& out) {
  out.status = answer.status;
  for (const auto& [name, value] : answer.headers) out.set_header(name, value);
  out.set_content(answer.body, answer.contentType);
}

}  // namespace

struct CompareHttpServer::Library {
  httplib::Server server;
};

CompareHttpServer::CompareHttpServer(ResultStore& store)
    : store_(store), library_(std::make_unique<Library>()) {
  httplib::Server& server = library_->server;
  const auto now = [] { return std::chrono::system_clock::now(); };
  const httplib::Server::Handler plain = [this, now](const httplib::Request& req,
                                                     httplib::Response& res) {
    Answer(HandleRequest(Translate(req), store_, now()), res);
  };
  server.Get(".*", plain);
  server.Put(".*", plain);
  server.Patch(".*", plain);
  server.Delete(".*", plain);
  server.Options(".*", plain);
  // Posts read their body here, keeping only what the handler needs to see
  // that it is too large.
  server.Post(".*", [this, now](const httplib::Request& req, httplib::Response& res,
                                const httplib::ContentReader& reader) {
    HttpRequest request = Translate(req);
    if (req.is_multipart_form_data()) {
      // The handler refuses the type; the unread body ends the connection.
      res.set_header("Connection", "close");
    } else {
      const bool complete = reader([&request](const char* data, size_t length) {
        const size_t room = kMaxBodyBytes + 1 - std::min(request.body.size(), kMaxBodyBytes + 1);
        request.body.append(data, std::min(length, room));
        return true;
      });
      // A body cut short by the client: nobody is left to read an answer.
      if (!complete) return;
    }
    Answer(HandleRequest(request, store_, now()), res);
  });
  // The library's own refusals (bad request lines, oversized bodies, unknown
  // methods) get a page too; pages the handler wrote stay as they are.
  const httplib::Server::HandlerWithResponse errorPage = [](const httplib::Request&,
                                                            httplib::Response& res) {
    if (!res.body.empty()) return httplib::Server::HandlerResponse::Unhandled;
    res.set_content(MessagePage("Request refused", "The server could not take this request (HTTP " +
                                                       std::to_string(res.status) + ")."),
                    "text/html; charset=utf-8");
    return httplib::Server::HandlerResponse::Handled;
  };
  server.set_error_handler(errorPage);
  server.set_exception_handler(
      [](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
        res.status = 500;
        res.set_content(MessagePage("Server error", "The request could not be answered."),
                        "text/html; charset=utf-8");
      });
  server.set_payload_max_length(kLargestBodyRead);
}

CompareHttpServer::~CompareHttpServer() { Stop(); }

int CompareHttpServer::Bind(const std::string& address, int port) {
  httplib::Server& server = library_->server;
  if (port == 0) return server.bind_to_any_port(address);
  return server.bind_to_port(address, port) ? port : -1;
}

bool CompareHttpServer::Serve() {
  serving_ = true;
  const bool ok = stopRequested_ || library_->server.listen_after_bind();
  serving_ = false;
  return ok;
}

void CompareHttpServer::Stop() {
  stopRequested_ = true;
  // The library only stops a server that is already listening.
  while (serving_ && !library_->server.is_running())
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  library_->server.stop();
}

}  // namespace compare
