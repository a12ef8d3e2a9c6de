// The spread of a run's laps against hand-worked figures, and the verdict on
// either side of 3 %.
#include "bench/lap_figures.h"

#include <gtest/gtest.h>

namespace {

TEST(LapFiguresTest, SpreadMatchesAHandWorkedTable) {
  const struct {
    std::vector<double> values;
    double mean, sd;
    std::optional<double> cv;
  } cases[] = {
      // 10, 12, 14: deviations -2, 0, 2; squares 8 over n - 1 = 2 gives 4.
      {{10, 12, 14}, 12.0, 2.0, 100.0 * 2.0 / 12.0},
      // Three short runs measured on this machine: a CV of 7 %.
      {{0.910, 0.897, 0.799}, 0.868666666666667, 0.0606822324, 6.98568},
      {{5, 5, 5, 5}, 5.0, 0.0, 0.0},
      {{7.5}, 7.5, 0.0, std::nullopt},
      {{}, 0.0, 0.0, std::nullopt},
      {{0, 0}, 0.0, 0.0, std::nullopt},
  };
  for (const auto& c : cases) {
    const bench::Spread spread = bench::SpreadOf(c.values);
    EXPECT_NEAR(spread.mean, c.mean, 1e-9);
    EXPECT_NEAR(spread.standardDeviation, c.sd, 1e-8);
    ASSERT_EQ(spread.cvPercent.has_value(), c.cv.has_value());
    if (c.cv) {
      EXPECT_NEAR(*spread.cvPercent, *c.cv, 1e-4);
    }
  }
}

TEST(LapFiguresTest, AboveThreePercentIsNotStableAndSaysWhatToDo) {
  const struct {
    double cv;
    bool stable;
    const char* sentence;
  } cases[] = {
      {2.9, true, "Stable: the laps' frame rates vary by 2.9 %."},
      {3.0, true, "Stable: the laps' frame rates vary by 3.0 %."},
      {3.1, false,
       "Not stable: the laps' frame rates vary by 3.1 %, more than 3 %; close other programs and "
       "run more laps before comparing."},
  };
  for (const auto& c : cases) {
    const bench::Spread spread{100.0, c.cv, c.cv};
    EXPECT_EQ(bench::IsStable(spread), c.stable) << c.cv;
    EXPECT_EQ(bench::StabilitySentence(spread, 3), c.sentence);
  }
  EXPECT_FALSE(bench::IsStable(bench::SpreadOf({9.0})));
  EXPECT_EQ(bench::StabilitySentence(bench::SpreadOf({9.0}), 1),
            "One lap cannot show how much the figure varies; run --laps 3 or more.");
}

}  // namespace
