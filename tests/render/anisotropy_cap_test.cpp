#include <gtest/gtest.h>

#include <optional>

#include "render/gl_entry_points.h"

namespace {

TEST(AnisotropyCap, LowersTheDriverMaximumOnlyForAWholeNumber) {
  struct Case {
    const char* cap;
    int driverMaximum;
    int expected;
  };
  const Case cases[] = {
      {nullptr, 16, 16},
      {"", 16, 16},
      {"4", 16, 4},
      {"0", 16, 0},
      {"1", 16, 1},
      {"32", 16, 16},
      {"8", 0, 0},
      {"-2", 16, 16},
      {"4x", 16, 16},
      {" 4", 16, 16},
      {"2.5", 16, 16},
      {"abc", 16, 16},
      {"99999999999", 16, 16},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(render::CapAnisotropy(c.driverMaximum, c.cap), c.expected)
        << (c.cap != nullptr ? c.cap : "(none)") << " with maximum " << c.driverMaximum;
  }
}

// The run's --anisotropy wins over the developer's cap and is itself capped
// at what the driver offers.
TEST(AnisotropyCap, TheRunsChoiceComesFirstAndStaysWithinTheDriver) {
  struct Case {
    std::optional<int> asked;
    const char* developerCap;
    int driverMaximum;
    int expected;
  };
  const Case cases[] = {
      {std::nullopt, nullptr, 16, 16},
      {std::nullopt, "2", 16, 2},
      {1, "8", 16, 1},
      {8, nullptr, 16, 8},
      {16, nullptr, 4, 4},
      {4, nullptr, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(render::ChooseAnisotropy(c.driverMaximum, c.asked, c.developerCap), c.expected)
        << c.asked.value_or(-1) << " asked, maximum " << c.driverMaximum;
  }
}

}  // namespace
