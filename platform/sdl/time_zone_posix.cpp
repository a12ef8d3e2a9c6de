#include <time.h>

#include "platform/time_zone.h"

namespace platform {
namespace {

// Local noon in the middle of a month, away from any switch-over night.
struct tm MidMonth(int year, int month) {
  struct tm local {};
  local.tm_year = year;
  local.tm_mon = month;
  local.tm_mday = 15;
  local.tm_hour = 12;
  local.tm_isdst = -1;
  std::time_t when = mktime(&local);
  struct tm resolved {};
  localtime_r(&when, &resolved);
  return resolved;
}

}  // namespace

TimeZoneFacts LocalTimeZone(std::time_t now) {
  tzset();
  struct tm today {};
  localtime_r(&now, &today);
  const struct tm january = MidMonth(today.tm_year, 0);
  const struct tm july = MidMonth(today.tm_year, 6);
  TimeZoneFacts facts;
  facts.hasDaylightSaving =
      january.tm_gmtoff != july.tm_gmtoff || january.tm_isdst > 0 || july.tm_isdst > 0;
  // Standard time is the half of the year without the daylight-saving flag
  // (in the south that is July; a zone with "negative" summer time flags
  // January instead).
  const struct tm& standard = january.tm_isdst > 0 ? july : january;
  facts.standardOffsetMinutes = static_cast<int>(standard.tm_gmtoff / 60);
  return facts;
}

std::tm LocalTime(std::time_t now) {
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace platform
