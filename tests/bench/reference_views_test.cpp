// The PSNR of two pictures against hand-worked values, and the views' names.
#include "bench/reference_views.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

namespace {

TEST(ReferenceViewsTest, PsnrMatchesHandWorkedValues) {
  const std::vector<uint8_t> grey(300, 128);
  std::vector<uint8_t> offByOne = grey;
  for (uint8_t& byte : offByOne) byte += 1;
  std::vector<uint8_t> oneOff = grey;
  oneOff[0] = 128 + 30;  // mse 900 / 300 = 3
  EXPECT_TRUE(std::isinf(bench::Psnr(grey, grey)));
  // mse 1: 10 log10(255^2) = 48.13 dB.
  EXPECT_NEAR(bench::Psnr(grey, offByOne), 48.1308, 1e-4);
  EXPECT_NEAR(bench::Psnr(grey, oneOff), 10.0 * std::log10(65025.0 / 3.0), 1e-9);
  EXPECT_EQ(bench::Psnr(grey, std::vector<uint8_t>(299, 128)), 0.0) << "sizes differ";
  EXPECT_EQ(bench::Psnr({}, {}), 0.0);
}

TEST(ReferenceViewsTest, FiveViewsWithUniqueNamesAtEachQuality) {
  std::set<std::string> names;
  for (const int level : bench::kReferenceDetailLevels) {
    for (const bench::ReferenceView& view : bench::ReferenceViews()) {
      names.insert(bench::ReferenceName(view, level));
    }
  }
  EXPECT_EQ(names.size(), 15u);
  EXPECT_EQ(names.count("sun-on-sea-high"), 1u);
  EXPECT_EQ(names.count("underwater-low"), 1u);
}

}  // namespace
