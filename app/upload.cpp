#include "app/upload.h"

#include <nlohmann/json.hpp>

#include "app/upload_transport.h"

namespace app {

UploadAnswer UploadRecord(const std::string& server, const std::string& json) {
  const size_t scheme = server.find("://");
  if (scheme == std::string::npos)
    return {std::nullopt, "the server address " + server + " is not an http:// address"};
  const size_t slash = server.find('/', scheme + 3);
  const std::string origin = server.substr(0, slash);
  std::string prefix = slash == std::string::npos ? std::string() : server.substr(slash);
  while (!prefix.empty() && prefix.back() == '/') prefix.pop_back();

  const HttpReply sent = PostJson(origin, prefix + "/api/results", json);
  if (!sent.reached) return {std::nullopt, "could not reach " + server + ": " + sent.error};
  const nlohmann::json answer = nlohmann::json::parse(sent.body, nullptr, false);
  const auto text = [&answer](const char* key) {
    return answer.is_object() && answer.contains(key) && answer[key].is_string()
               ? answer[key].get<std::string>()
               : std::string();
  };
  if (sent.status != 201) {
    const std::string why = text("error");
    return {std::nullopt, server + " did not take the result (HTTP " + std::to_string(sent.status) +
                              (why.empty() ? "" : ": " + why) + ")"};
  }
  const std::string page = text("page");
  if (page.empty()) return {std::nullopt, server + " took the result but named no page for it"};
  return {origin + prefix + page, {}};
}

}  // namespace app
