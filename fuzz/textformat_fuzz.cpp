// fuzz/textformat_fuzz.cpp - the date and angle texts typed into dialogs. The first byte picks
// the zone and calendar, the rest is the text. A date that parses must format and parse again to
// the same instant (to the second shown), and an angle text must give a number.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "objects/textformat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const double zone = (data[0] % 49 - 24) / 48.0;
  const auto calendar = static_cast<int16_t>(data[0] & 1);
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  if (!std::isfinite(qv::ParseAngleText(text))) std::abort();
  if (!std::isfinite(qv::ParseAngleText(qv::FormatAngleText(size * 0.37 - 90)))) std::abort();

  qv::JulianDate jd = 0;
  if (!qv::ParseDateTime(text, zone, calendar, jd)) return 0;
  if (!std::isfinite(jd)) std::abort();
  qv::JulianDate again = 0;
  if (!qv::ParseDateTime(qv::FormatDateTime(jd, zone, calendar), zone, calendar, again))
    std::abort();
  // Whole seconds are shown; far from J2000 a Julian date itself holds less.
  const double tolerance = 0.5 / 86400 + 4 * std::fabs(jd) * 2.2e-16;
  if (std::fabs(again - jd) > tolerance) std::abort();
  return 0;
}
