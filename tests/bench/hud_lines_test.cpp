// The HUD's lines for a run, the autopilot, both and neither.
#include "bench/hud_lines.h"

#include <gtest/gtest.h>

#include "tests/support/comma_locale.h"

namespace {

TEST(HudLinesTest, RatesThenProgressWhileARunPlaysThenTheAutopilot) {
  const std::string fps = "58.8 FPS / 1.25 Mega-Tris";
  const std::string rate = "Mega-Tris / sec. 73.53 ";
  const struct {
    const char* name;
    bool playing, autopilot;
    double positionMs, durationMs;
    std::vector<std::string> lines;
    int lap = 1, laps = 1;
  } cases[] = {
      {"neither", false, false, 0, 60000, {fps, rate}},
      {"a run", true, false, 12346, 60000, {fps, rate, "20.58 %"}},
      {"the autopilot", false, true, 12345, 60000, {fps, rate, "Autopilot [F1]"}},
      {"both", true, true, 60000, 60000, {fps, rate, "100.00 %", "Autopilot [F1]"}},
      {"a path without duration", true, false, 0, 0, {fps, rate, "0.00 %"}},
      {"lap 2 of 3", true, false, 30000, 60000, {fps, rate, "50.00 % lap 2 of 3"}, 2, 3},
      {"the warm-up", true, false, 30000, 60000, {fps, rate, "50.00 % warm-up"}, 0, 3},
  };
  test_support::CommaLocale comma;  // the numbers keep their point
  for (const auto& c : cases) {
    // The rate is the last second's, not one frame's triangles times fps.
    const bench::HudFacts facts{58.824,       1250000,     73.5349, c.playing, c.positionMs,
                                c.durationMs, c.autopilot, c.lap,   c.laps};
    EXPECT_EQ(bench::HudLines(facts), c.lines) << c.name;
  }
}

}  // namespace
