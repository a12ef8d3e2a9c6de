// Sends a finished run's JSON record to a comparison server's JSON interface
// (POST /api/results), for --benchmark --upload.
#pragma once

#include <optional>
#include <string>

namespace app {

struct UploadAnswer {
  std::optional<std::string> page;  // the address of the result's ranking page
  std::string error;                // why there is none
};

// `server` is the server's address as compare_url holds it ("http://HOST:PORT",
// perhaps with a path below which the server answers).
UploadAnswer UploadRecord(const std::string& server, const std::string& json);

}  // namespace app
