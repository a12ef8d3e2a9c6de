// The local time zone as the C library's time-zone data describes it.
#pragma once

#include <ctime>

namespace platform {

struct TimeZoneFacts {
  // Offset of the zone's standard time (the part of the year not flagged as
  // daylight-saving) from UTC, east positive: +60 for Central European Time,
  // -300 for US Eastern Time.
  int standardOffsetMinutes = 0;
  // Whether the zone switches to daylight-saving time in the year asked about.
  bool hasDaylightSaving = false;
};

// The zone given by $TZ or the system's setting, for the year that `now`
// falls in: January and July are compared, so a zone that kept its clocks
// unchanged all year counts as having no daylight-saving time, whatever it
// did in earlier years.
TimeZoneFacts LocalTimeZone(std::time_t now);

// The calendar time of `now` in the local zone.
std::tm LocalTime(std::time_t now);

}  // namespace platform
