// The local time zone from GetTimeZoneInformationForYear: the zone's own
// rules for the year asked about, not the C runtime's reading of TZ.
#include <windows.h>

#include "platform/time_zone.h"

namespace platform {

TimeZoneFacts LocalTimeZone(std::time_t now) {
  SYSTEMTIME utc{};
  // The year `now` falls in; Windows' file time counts 100 ns from 1601.
  const ULONGLONG ticks = (static_cast<ULONGLONG>(now) + 11644473600ULL) * 10000000ULL;
  const FILETIME fileTime{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  FileTimeToSystemTime(&fileTime, &utc);
  TIME_ZONE_INFORMATION zone{};
  TimeZoneFacts facts;
  if (!GetTimeZoneInformationForYear(utc.wYear, nullptr, &zone)) return facts;
  // Bias is minutes west of UTC; a zone without daylight-saving time has no
  // switch-over date (month 0).
  facts.standardOffsetMinutes = -static_cast<int>(zone.Bias + zone.StandardBias);
  facts.hasDaylightSaving = zone.DaylightDate.wMonth != 0 && zone.DaylightBias != 0;
  return facts;
}

std::tm LocalTime(std::time_t now) {
  std::tm local{};
  localtime_s(&local, &now);
  return local;
}

}  // namespace platform
