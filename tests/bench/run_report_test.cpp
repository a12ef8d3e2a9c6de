// The benchmark start's report: the result line and the JSON record carry
// the run's figures with a '.' in any locale, and the test-only path limit.
#include "bench/run_report.h"

#include <gtest/gtest.h>

#include <cmath>
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
  report.anisotropy = 1;
  report.softwareRenderer = true;
  report.refreshHz = 60;
  report.result.durationMs = 12345.6;
  report.result.frames = 250;
  report.result.averageFps = 20.375;
  report.result.maxMegaTris = 1.5f;
  report.result.averageMegaTris = 1.25;
  report.result.glTrianglesPerCounted = 0.998;
  report.result.frameTimes = {10.0, 40.5, 90.0, 120.0, 8.5};
  return report;
}

TEST(RunReportTest, LineAndRecordCarryTheFiguresWithADecimalPointInAnyLocale) {
  test_support::CommaLocale comma;
  MG_REQUIRE_INSTALLED(comma.active(), "a locale with a decimal comma (package locales)");
  const bench::RunReport report = SampleReport();
  EXPECT_EQ(bench::FormatResultLine(report),
            "20.4 FPS average, 12.3 s, 250 frames, 160x120, antialiasing 4x, quality low "
            "(detail level 2), anisotropy 1x, highest 1.50 Mega-Tris, average 1.25 Mega-Tris, "
            "GL assembled 1.00 per counted");

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
  EXPECT_DOUBLE_EQ(json["average_mega_tris"], 1.25);
  EXPECT_DOUBLE_EQ(json["gl_triangles_per_counted"], 0.998);
  EXPECT_EQ(json["anisotropy"], 1);
  EXPECT_EQ(json["software_renderer"], true);
  EXPECT_EQ(json["capped_by_vsync"], false);
  EXPECT_EQ(json["refresh_hz"], 60);

  EXPECT_EQ(bench::FormatProgressLine(42.5, 7.0), "  42.5 %      7.0 FPS");
  EXPECT_EQ(bench::FormatProgressLine(42.5, 7.0, 200500.0),
            "  42.5 %      7.0 FPS  about 3 min 21 s left");
}

TEST(RunReportTest, UnknownFiguresAreNullAndACappedRunSaysSo) {
  bench::RunReport report = SampleReport();
  report.result.glTrianglesPerCounted.reset();
  report.refreshHz = 0;
  nlohmann::json json = nlohmann::json::parse(bench::FormatRunJson(report));
  EXPECT_TRUE(json["gl_triangles_per_counted"].is_null());
  EXPECT_TRUE(json["refresh_hz"].is_null());

  report.refreshHz = 60;
  report.swapMayWaitForRefresh = true;
  report.result.averageFps = 59.8;
  json = nlohmann::json::parse(bench::FormatRunJson(report));
  EXPECT_EQ(json["capped_by_vsync"], true);
  EXPECT_TRUE(bench::FormatResultLine(report).ends_with(", capped by vsync at 60 Hz"));
}

TEST(RunReportTest, LapsCarryTheirFiguresSpreadAndVerdict) {
  bench::RunReport report = SampleReport();
  nlohmann::json json = nlohmann::json::parse(bench::FormatRunJson(report));
  EXPECT_EQ(json["laps"].size(), 0u);
  EXPECT_TRUE(json["cv_percent"].is_null());
  EXPECT_TRUE(json["stable"].is_null()) << "one lap says nothing of its spread";

  report.warmup = true;
  report.result.laps = {{10000.0, 100, 10.0, 2.0}, {10000.0, 120, 12.0, 2.4}};
  report.result.lapFps = bench::SpreadOf({10.0, 12.0});
  report.result.lapMegaTris = bench::SpreadOf({2.0, 2.4});
  json = nlohmann::json::parse(bench::FormatRunJson(report));
  EXPECT_EQ(json["warmup"], true);
  ASSERT_EQ(json["laps"].size(), 2u);
  EXPECT_EQ(json["laps"][1]["frames"], 120);
  EXPECT_DOUBLE_EQ(json["laps"][1]["average_fps"], 12.0);
  EXPECT_DOUBLE_EQ(json["laps"][1]["average_mega_tris"], 2.4);
  EXPECT_DOUBLE_EQ(json["laps"][1]["duration_s"], 10.0);
  EXPECT_DOUBLE_EQ(json["lap_fps"]["mean"], 11.0);
  EXPECT_NEAR(json["cv_percent"].get<double>(), 100.0 * std::sqrt(2.0) / 11.0, 1e-9);
  EXPECT_EQ(json["stable"], false);
  EXPECT_TRUE(json["stability"].get<std::string>().starts_with("Not stable"));
  EXPECT_TRUE(
      bench::FormatResultLine(report).ends_with(", laps 10.0 12.0 FPS (CV 12.9 %, not stable)"));
}

TEST(RunReportTest, VsyncCapsAtTheRefreshRateOrAWholeFractionOfIt) {
  const struct {
    double fps;
    int refreshHz;
    bool swapMayWait;
    bool capped;
  } cases[] = {
      {59.8, 60, true, true},  {61.1, 60, true, true},  {62.0, 60, true, false},
      {72.0, 144, true, true}, {48.2, 144, true, true}, {36.0, 144, true, true},
      {37.0, 60, true, false}, {29.7, 60, true, true},  {59.8, 60, false, false},
      {59.8, 0, true, false},  {0.0, 60, true, false},  {28.0, 144, true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(bench::CappedByVsync(c.fps, c.refreshHz, c.swapMayWait), c.capped)
        << c.fps << " FPS at " << c.refreshHz << " Hz, swap may wait " << c.swapMayWait;
  }
}

TEST(RunReportTest, SoftwareRenderersAreKnownByName) {
  for (const char* software : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe",
                               "Mesa DRI Intel swrast", "Software Rasterizer", "GDI Generic",
                               "Microsoft Basic Render Driver", "Google SwiftShader"}) {
    EXPECT_TRUE(bench::IsSoftwareRenderer(software)) << software;
  }
  for (const char* hardware : {"NVIDIA GeForce RTX 4070/PCIe/SSE2",
                               "AMD Radeon RX 7800 XT (radeonsi, navi32, LLVM "
                               "15.0.6, DRM 3.54)",
                               "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", ""}) {
    EXPECT_FALSE(bench::IsSoftwareRenderer(hardware)) << hardware;
  }
}

TEST(RunReportTest, DurationsReadAsPeopleSayThem) {
  const struct {
    double ms;
    const char* text;
  } cases[] = {{0, "0 s"},
               {-5, "0 s"},
               {44600, "45 s"},
               {60000, "1 min"},
               {200500, "3 min 21 s"},
               {3599400, "59 min 59 s"},
               {3600000, "1 h 00 min"},
               {7529000, "2 h 05 min"}};
  for (const auto& c : cases) EXPECT_EQ(bench::FormatDuration(c.ms), c.text) << c.ms;
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
