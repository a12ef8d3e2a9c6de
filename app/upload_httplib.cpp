#include <httplib.h>

#include <chrono>

#include "app/upload_transport.h"

namespace app {

HttpReply PostJson(const std::string& origin, const std::string& path, const std::string& json) {
  httplib::Client client(origin);
  if (!client.is_valid()) return {false, "not an address this program can send to", 0, {}};
  client.set_connection_timeout(std::chrono::seconds(10));
  client.set_read_timeout(std::chrono::seconds(30));
  client.set_write_timeout(std::chrono::seconds(30));
  const httplib::Result sent = client.Post(path, json, "application/json");
  if (!sent) return {false, httplib::to_string(sent.error()), 0, {}};
  return {true, {}, sent->status, sent->body};
}

}  // namespace app
