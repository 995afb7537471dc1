// app/local_time.h - the chart's local time: the time zone of the settings with the daylight-
// saving hour while it applies. Julian dates in UT, zones in days east of Greenwich.
#pragma once

#include "astro/time.h"

namespace qv {

constexpr double HourInDays = 1.0 / 24.0;

// ZoneInEffect: TimeZone, one hour more while DaylightSavingsTime is on and saving applies at jd.
double ZoneInEffect(JulianDate jd);

// LocalToUniversal: the UT of a local date and time given as a Julian date read at zone 0: less
// TimeZone, and less the daylight-saving hour when it is on and applies on that date.
JulianDate LocalToUniversal(JulianDate local);

}  // namespace qv
