#include "server/json_api.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "server/request_handler.h"
#include "tests/server/posted_result.h"
#include "tests/support/test_files.h"

namespace compare {
namespace {

using nlohmann::json;

const std::chrono::system_clock::time_point kNow{std::chrono::seconds(1772373909)};

// A record as the program writes it, with a field this server does not know.
json ProgramRecord(double fps, int level, const std::string& renderer) {
  return {{"program", "Morvandel.Gauge"},
          {"version", "2.33"},
          {"gl", {{"renderer", renderer}, {"version", "4.5 Mesa"}, {"vendor", "Mesa"}}},
          {"width", 1024},
          {"height", 768},
          {"antialiasing", 4},
          {"detail_level", level},
          {"quality", "high"},
          {"average_fps", fps},
          {"max_mega_tris", 12.5},
          {"software_renderer", true},
          {"frame_time_ms", {{"median", 16.6}}}};
}

class JsonApiTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    store_ = ResultStore::Open(folder_.path() / "results.sqlite", error);
    ASSERT_TRUE(store_) << error;
  }
  HttpResponse Request(const std::string& method, const std::string& path,
                       const std::string& query = "", const std::string& body = "",
                       const std::string& type = "application/json") {
    return HandleRequest({method, path, query, type, body}, *store_, kNow);
  }

  test_support::ScratchFolder folder_;
  std::unique_ptr<ResultStore> store_;
};

TEST_F(JsonApiTest, PostedRecordIsStoredListedAndFound) {
  for (const auto& [fps, card] : {std::pair{30.0, "Card A"}, {50.0, "Card B"}})
    ASSERT_EQ(Request("POST", "/api/results", "", ProgramRecord(fps, 1, card).dump()).status, 201);
  const HttpResponse posted =
      Request("POST", "/api/results", "", ProgramRecord(40.0, 1, "Card <C>\x01").dump());
  ASSERT_EQ(posted.status, 201);
  EXPECT_EQ(posted.contentType, "application/json");
  const json mine = json::parse(posted.body);
  EXPECT_EQ(mine["position"], 2);
  EXPECT_EQ(mine["total"], 3);
  EXPECT_EQ(mine["gl"]["renderer"], "Card <C>");
  EXPECT_EQ(mine["average_fps"], 40.0);
  EXPECT_EQ(mine["max_mega_tris"], 12.5);
  EXPECT_EQ(mine["level"], 1);
  EXPECT_EQ(mine["received"], "2026-03-01 14:05:09");
  EXPECT_EQ(mine["page"], "/?result=" + std::to_string(mine["id"].get<int>()));

  const json one =
      json::parse(Request("GET", "/api/results/" + std::to_string(mine["id"].get<int>())).body);
  EXPECT_EQ(one, mine);
  const json list = json::parse(Request("GET", "/api/results", "level=1&limit=2").body);
  ASSERT_EQ(list["results"].size(), 2u);
  EXPECT_EQ(list["results"][0]["gl"]["renderer"], "Card B");
  EXPECT_EQ(list["results"][1]["position"], 2);
  EXPECT_EQ(list["results"][1]["total"], 3);
  const json latest = json::parse(Request("GET", "/api/results/").body);
  EXPECT_EQ(latest["level"], nullptr);
  EXPECT_EQ(latest["results"].size(), 3u);
  // The posted page of the result ranks it the same.
  EXPECT_NE(Request("GET", "/", mine["page"].get<std::string>().substr(2))
                .body.find("Position <strong>2</strong> of 3"),
            std::string::npos);
}

TEST_F(JsonApiTest, RefusalsSayWhy) {
  json noFps = ProgramRecord(30.0, 0, "x");
  noFps.erase("average_fps");
  json fast = ProgramRecord(1e308, 0, "x");
  json text = ProgramRecord(30.0, 0, "x");
  text["average_fps"] = "30";
  json tris = ProgramRecord(30.0, 0, "x");
  tris["max_mega_tris"] = -1;
  struct Case {
    std::string method, path, query, body, type;
    int status;
    const char* error;
  };
  const Case cases[] = {
      {"POST", "/api/results", "", "{\"average_fps\": ", "application/json", 400, "not a JSON"},
      {"POST", "/api/results", "", "[1, 2]", "application/json", 400, "not a JSON object"},
      {"POST", "/api/results", "", noFps.dump(), "application/json", 400, "no FPS value"},
      {"POST", "/api/results", "", fast.dump(), "application/json", 400, "0 to 100,000"},
      {"POST", "/api/results", "", text.dump(), "application/json", 400, "FPS value"},
      {"POST", "/api/results", "", tris.dump(), "application/json", 400, "Mega-Tris"},
      {"POST", "/api/results", "", "a=1", "application/x-www-form-urlencoded", 415, "json"},
      {"GET", "/api/results/77", "", "", "", 404, "no such result"},
      {"GET", "/api/results/x", "", "", "", 404, "no such result"},
      {"GET", "/api/results", "level=3", "", "", 400, "level"},
      {"GET", "/api/results", "limit=0", "", "", 400, "limit"},
      {"GET", "/api/results", "limit=1001", "", "", 400, "limit"},
      {"DELETE", "/api/results/1", "", "", "", 405, "GET"},
  };
  for (const Case& c : cases) {
    const HttpResponse answer = Request(c.method, c.path, c.query, c.body, c.type);
    EXPECT_EQ(answer.status, c.status) << c.path << " " << c.body;
    EXPECT_EQ(answer.contentType, "application/json");
    const json body = json::parse(answer.body, nullptr, false);
    ASSERT_TRUE(body.contains("error")) << answer.body;
    EXPECT_NE(body["error"].get<std::string>().find(c.error), std::string::npos) << answer.body;
  }
  EXPECT_TRUE(store_->Latest(std::nullopt, 10).empty());
}

}  // namespace
}  // namespace compare
