// The local zone from Windows' own rules. ctest runs this program once per
// zone: TZ (which Wine turns into the Windows zone) and the figures expected,
// "<standard offset in minutes> <1 with daylight-saving time, else 0>", in
// MG_EXPECTED_ZONE.
#include "platform/time_zone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace {

TEST(Win32TimeZoneTest, StandardOffsetAndDaylightSavingAreTheZones) {
  const char* expected = std::getenv("MG_EXPECTED_ZONE");
  ASSERT_NE(expected, nullptr);
  std::istringstream in(expected);
  int offset = 0;
  int daylight = 0;
  in >> offset >> daylight;
  // 2025-07-01, in summer in the north.
  const platform::TimeZoneFacts facts = platform::LocalTimeZone(1751328000);
  EXPECT_EQ(facts.standardOffsetMinutes, offset);
  EXPECT_EQ(facts.hasDaylightSaving, daylight != 0);
}

}  // namespace
