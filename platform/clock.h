// platform/clock.h - the computer's clock as the user reads it (local calendar time).
#pragma once

namespace qv {

struct ClockReading {
  int year = 0, month = 0, day = 0;  // month 1-12, day 1-31
  int hour = 0, minute = 0, second = 0;
};

// ReadLocalClock: the local calendar date and time now, in whole seconds (the system's time
// zone and daylight rules applied).
ClockReading ReadLocalClock();

}  // namespace qv
