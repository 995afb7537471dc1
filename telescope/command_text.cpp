// telescope/command_text.cpp - sexagesimal parts and the refused-target message.
#include "telescope/command_text.h"

#include <cmath>

#include "generated/string_numbers.h"
#include "platform/alert.h"

namespace qv {

SexagesimalParts Split(double value, int unitsPerMinute) {
  const long perWhole = 60L * unitsPerMinute;
  const long total = std::lround(std::fabs(value) * double(perWhole));
  return {value < 0 && total > 0, total / perWhole, int(total % perWhole / unitsPerMinute),
          int(total % unitsPerMinute)};
}

void ReportInvalidTarget(const EquatorialPosition& target) {
  const SexagesimalParts ra = Split(target.ra * HoursPerRadian, 600);  // tenths of a second
  const SexagesimalParts dec = Split(target.dec * DegreesPerRadian, 60);
  Stop(ButtonsOk, MessageInvalidTarget, int(ra.whole % 24), ra.minutes, ra.units / 10.0,
       SignOf(dec), int(dec.whole), dec.minutes, double(dec.units));
}

}  // namespace qv
