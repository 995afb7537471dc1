// platform/time_zone.h - the computer's own time zone, as the first start places the observer.
#pragma once

#include <string>

namespace qv {

struct SystemZone {
  std::string id;               // the zone's name, e.g. "Europe/Paris"; may be empty or "UTC"
  double standardHours = 0;     // offset of standard (winter) time, hours east of Greenwich
  bool daylightSaving = false;  // the zone moves its clocks in summer
};

// GetSystemTimeZone: the zone the desktop is set to, its offsets read for the present year.
SystemZone GetSystemTimeZone();

}  // namespace qv
