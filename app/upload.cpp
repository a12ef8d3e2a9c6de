#include "app/upload.h"

#include <httplib.h>

#include <chrono>
#include <nlohmann/json.hpp>

namespace app {

UploadAnswer UploadRecord(const std::string& server, const std::string& json) {
  const size_t scheme = server.find("://");
  if (scheme == std::string::npos)
    return {std::nullopt, "the server address " + server + " is not an http:// address"};
  const size_t slash = server.find('/', scheme + 3);
  const std::string origin = server.substr(0, slash);
  std::string prefix = slash == std::string::npos ? std::string() : server.substr(slash);
  while (!prefix.empty() && prefix.back() == '/') prefix.pop_back();

  httplib::Client client(origin);
  if (!client.is_valid()) return {std::nullopt, "cannot send to " + server};
  client.set_connection_timeout(std::chrono::seconds(10));
  client.set_read_timeout(std::chrono::seconds(30));
  client.set_write_timeout(std::chrono::seconds(30));
  const httplib::Result sent = client.Post(prefix + "/api/results", json, "application/json");
  if (!sent)
    return {std::nullopt, "could not reach " + server + ": " + httplib::to_string(sent.error())};
  const nlohmann::json answer = nlohmann::json::parse(sent->body, nullptr, false);
  const auto text = [&answer](const char* key) {
    return answer.is_object() && answer.contains(key) && answer[key].is_string()
               ? answer[key].get<std::string>()
               : std::string();
  };
  if (sent->status != 201) {
    const std::string why = text("error");
    return {std::nullopt, server + " did not take the result (HTTP " +
                              std::to_string(sent->status) + (why.empty() ? "" : ": " + why) + ")"};
  }
  const std::string page = text("page");
  if (page.empty()) return {std::nullopt, server + " took the result but named no page for it"};
  return {origin + prefix + page, {}};
}

}  // namespace app
