// telescope/command_text.h - the pieces of the text commands of the mounts: printf into a string,
// sexagesimal parts rounded with their carries, and the message of a target the mount refuses.
#pragma once

#include <cstdio>
#include <numbers>
#include <string>

#include "telescope/equator_of_date.h"

namespace qv {

constexpr double HoursPerRadian = 12 / std::numbers::pi;
constexpr double DegreesPerRadian = 180 / std::numbers::pi;

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char text[96];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

// SexagesimalParts: |value| (hours or degrees) rounded to 1 / unitsPerMinute of a minute, the
// carry taken into the minutes and the whole; negative only when something is left after
// rounding, so that -0.1" prints as "+00".
struct SexagesimalParts {
  bool negative;
  long whole;
  int minutes;
  int units;  // of the minute
};
SexagesimalParts Split(double value, int unitsPerMinute);

inline char SignOf(const SexagesimalParts& p) { return p.negative ? '-' : '+'; }

// ReportInvalidTarget: message 2800 with the target's R.A. and Dec. (J2000 or of date, as sent).
void ReportInvalidTarget(const EquatorialPosition& target);

}  // namespace qv
