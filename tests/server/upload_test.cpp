// The program's --upload against a real server: the record FormatRunJson
// writes, sent by the program's own client, stored and ranked.
#include "app/upload.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "bench/run_report.h"
#include "tests/server/running_server.h"
#include "tests/support/test_files.h"

namespace compare {
namespace {

bench::RunReport Report(double fps, int detailLevel) {
  bench::RunReport report;
  report.product = "Morvandel.Gauge";
  report.version = "2.33";
  report.glRenderer = "llvmpipe (LLVM 15.0.6, 256 bits)";
  report.glVersion = "4.5 (Compatibility Profile) Mesa 22.3.6";
  report.glVendor = "Mesa";
  report.width = 160;
  report.height = 120;
  report.detailLevel = detailLevel;
  report.result.averageFps = fps;
  report.result.maxMegaTris = 3.25;
  report.result.frames = 1620;
  report.result.durationMs = 1620.0 / fps * 1000.0;
  return report;
}

TEST(UploadTest, RecordIsStoredAndItsPageNamed) {
  test_support::ScratchFolder folder;
  compare_test::RunningServer server((folder.path() / "results.sqlite").string());
  const std::string base = "http://127.0.0.1:" + std::to_string(server.port());
  ASSERT_TRUE(app::UploadRecord(base, bench::FormatRunJson(Report(20.0, 2))).page);
  // compare_url may end in a slash.
  const app::UploadAnswer sent =
      app::UploadRecord(base + "/", bench::FormatRunJson(Report(35.5, 2)));
  ASSERT_TRUE(sent.page) << sent.error;
  ASSERT_TRUE(sent.page->starts_with(base + "/?result="));

  httplib::Client client = server.Client();
  const httplib::Result page = client.Get(sent.page->substr(base.size()));
  ASSERT_TRUE(page);
  EXPECT_NE(page->body.find("Position <strong>1</strong> of 2 at detail level"), std::string::npos);
  const std::string id = sent.page->substr(sent.page->find('=') + 1);
  const httplib::Result stored = client.Get("/api/results/" + id);
  ASSERT_TRUE(stored);
  const nlohmann::json result = nlohmann::json::parse(stored->body);
  EXPECT_EQ(result["average_fps"], 35.5);
  EXPECT_EQ(result["max_mega_tris"], 3.25);
  EXPECT_EQ(result["level"], 2);
  EXPECT_EQ(result["width"], 160);
  EXPECT_EQ(result["gl"]["renderer"], "llvmpipe (LLVM 15.0.6, 256 bits)");
  EXPECT_EQ(result["version"], "2.33");
}

TEST(UploadTest, FailuresSayWhy) {
  test_support::ScratchFolder folder;
  compare_test::RunningServer server((folder.path() / "results.sqlite").string());
  const std::string base = "http://127.0.0.1:" + std::to_string(server.port());
  const struct {
    std::string server, json, error;
  } cases[] = {
      {base, bench::FormatRunJson(Report(1e6, 2)), "(HTTP 400: The record's FPS value"},
      {"http://127.0.0.1:1", bench::FormatRunJson(Report(20.0, 2)), "could not reach"},
      {"127.0.0.1:8723", bench::FormatRunJson(Report(20.0, 2)), "not an http:// address"},
  };
  for (const auto& c : cases) {
    const app::UploadAnswer sent = app::UploadRecord(c.server, c.json);
    EXPECT_FALSE(sent.page) << c.server;
    EXPECT_NE(sent.error.find(c.error), std::string::npos) << sent.error;
  }
}

}  // namespace
}  // namespace compare
