// The benchmark start's report: the result line and the JSON record carry
// the run's figures with a '.' in any locale, and the test-only path limit.
#include "bench/run_report.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/support/comma_locale.h"

namespace {

bench::RunReport SampleReport() {
  bench::RunReport report;
  report.product = "Morvandel.Gauge";
  report.version = "2.33";
  report.glRenderer = "llvmpipe \xff";  // not UTF-8: replaced, not refused
  report.glVersion = "4.5";
  report.glVendor = "Mesa";
  report.width = 160;
  report.height = 120;
  report.samples = 4;
  report.detailLevel = 2;
  report.water = 0;
  report.result.durationMs = 12345.6;
  report.result.frames = 250;
  report.result.averageFps = 20.375;
  report.result.maxMegaTris = 1.5f;
  report.result.frameTimes = {10.0, 40.5, 90.0, 120.0, 8.5};
  return report;
}

TEST(RunReportTest, LineAndRecordCarryTheFiguresWithADecimalPointInAnyLocale) {
  test_support::CommaLocale comma;
  if (!comma.active()) GTEST_SKIP() << "no locale with a decimal comma";
  const bench::RunReport report = SampleReport();
  EXPECT_EQ(bench::FormatResultLine(report),
            "20.4 FPS average, 12.3 s, 250 frames, 160x120, antialiasing 4x, quality low "
            "(detail level 2), highest 1.50 Mega-Tris");

  const std::string text = bench::FormatRunJson(report);
  ASSERT_EQ(text.back(), '\n');
  const nlohmann::json json = nlohmann::json::parse(text);
  EXPECT_EQ(json["program"], "Morvandel.Gauge");
  EXPECT_EQ(json["version"], "2.33");
  EXPECT_EQ(json["gl"]["renderer"], "llvmpipe \xef\xbf\xbd");
  EXPECT_EQ(json["gl"]["version"], "4.5");
  EXPECT_EQ(json["gl"]["vendor"], "Mesa");
  EXPECT_EQ(json["width"], 160);
  EXPECT_EQ(json["height"], 120);
  EXPECT_EQ(json["antialiasing"], 4);
  EXPECT_EQ(json["detail_level"], 2);
  EXPECT_EQ(json["quality"], "low");
  EXPECT_EQ(json["water"], 0);
  EXPECT_DOUBLE_EQ(json["duration_s"], 12.3456);
  EXPECT_EQ(json["frames"], 250);
  EXPECT_DOUBLE_EQ(json["average_fps"], 20.375);
  EXPECT_DOUBLE_EQ(json["max_mega_tris"], 1.5);
  EXPECT_DOUBLE_EQ(json["frame_time_ms"]["minimum"], 10.0);
  EXPECT_DOUBLE_EQ(json["frame_time_ms"]["median"], 40.5);
  EXPECT_DOUBLE_EQ(json["frame_time_ms"]["p99"], 90.0);
  EXPECT_DOUBLE_EQ(json["frame_time_ms"]["maximum"], 120.0);
  EXPECT_DOUBLE_EQ(json["one_percent_low_fps"], 8.5);

  EXPECT_EQ(bench::FormatProgressLine(42.5, 7.0), "  42.5 %      7.0 FPS");
}

TEST(RunReportTest, KeyframeLimitKeepsTheFirstKeyframesOrIsIgnored) {
  const struct {
    const char* text;
    size_t kept;  // of 10
  } cases[] = {{nullptr, 10}, {"", 10},   {"4", 4},   {"2", 2},
               {"1", 10},     {"0", 10},  {"-3", 10}, {"4x", 10},
               {" 4", 10},    {"10", 10}, {"99", 10}, {"99999999999999999999999", 10}};
  for (const auto& c : cases) {
    std::vector<bench::Keyframe> keyframes(10);
    bench::KeepFirstKeyframes(keyframes, bench::ParseKeyframeLimit(c.text));
    EXPECT_EQ(keyframes.size(), c.kept) << (c.text ? c.text : "(unset)");
  }
}

}  // namespace
