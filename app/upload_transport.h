// The one HTTP request an upload makes, over this platform's HTTP client
// (cpp-httplib, or WinHTTP on Windows). upload.cpp reads the answer.
#pragma once

#include <string>

namespace app {

struct HttpReply {
  bool reached = false;  // false: no answer came; `error` says why
  std::string error;
  int status = 0;
  std::string body;
};

// POSTs `json` as application/json to `path` on `origin` ("http://HOST:PORT"):
// 10 s to connect, 30 s each to send and to read.
HttpReply PostJson(const std::string& origin, const std::string& path, const std::string& json);

}  // namespace app
