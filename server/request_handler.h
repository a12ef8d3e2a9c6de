// The comparison server's answers, independent of the HTTP library, so that
// every route is tested without sockets.
//
//   POST /?Quellish.Dial/N   a posted result (N = detail level 0, 1 or 2;
//   POST /                   without it the record's Mode decides): stored,
//                            answered with its ranking
//   GET  /                   the latest results of all levels
//   GET  /?level=N           the latest results of one level
//   GET  /?result=ID         the ranking of a stored result
//   GET  /?seite=NAME        a homepage page (site_pages.h); "MorvandelGauge"
//                            is the latest results
// The GETs answer the same under /de/, /eu/ and /int/ (German titles under
// /de); the bare /de, /eu and /int show the program's page.
#pragma once

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "server/result_store.h"

namespace compare {

// Larger requests are refused: a result record is a few kilobytes.
inline constexpr size_t kMaxBodyBytes = 64 * 1024;

struct HttpRequest {
  std::string method;  // "GET", "POST", ...
  std::string path;    // without the query
  std::string query;   // after "?", still percent-encoded
  std::string contentType;
  std::string body;  // may be cut after kMaxBodyBytes + 1 bytes
};

struct HttpResponse {
  int status = 200;
  std::string contentType = "text/html; charset=utf-8";
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;
};

// "YYYY-MM-DD HH:MM:SS" in UTC, as a stored result is dated.
std::string UtcText(std::chrono::system_clock::time_point now);

// `now` dates a stored result.
HttpResponse HandleRequest(const HttpRequest& request, ResultStore& store,
                           std::chrono::system_clock::time_point now);

}  // namespace compare
