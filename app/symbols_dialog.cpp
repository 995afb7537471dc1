// app/symbols_dialog.cpp - the Symbols & Grids dialog and the texts of its fields.
#include "app/symbols_dialog.h"

#include <cmath>
#include <cstdio>

#include "app/decimal_text.h"
#include "app/settings.h"
#include "app/settings_keys.h"

namespace qv {

const IntervalUnits RightAscensionInterval{3.819718634, 0.26179938781323336,
                                           0.004363323130220556};  // hours; one minute of time
const IntervalUnits DeclinationInterval{57.29577951, 0.01745329252,
                                        0.0002908882086813704};  // degrees; one arcminute

std::string MagnitudeFieldText(int16_t hundredths, bool mayBeAbsent) {
  if (mayBeAbsent && hundredths == NoMagnitudeLimit) return std::string();
  return FormatFixedKeeping(hundredths * 0.01, 1, 2);
}

void ReadMagnitudeField(std::string_view text, bool mayBeAbsent, int16_t& hundredths) {
  if (mayBeAbsent && text.find_first_not_of(" \t") == std::string_view::npos) {
    hundredths = NoMagnitudeLimit;
    return;
  }
  size_t used = 0;
  const double value = ParseDecimal(text, &used);
  if (used > 0) hundredths = MagnitudeHundredths(value);
}

std::string IntervalFieldText(double radians, const IntervalUnits& units) {
  const double minutes = std::round(radians * units.perRadian * 60);
  const double whole = std::trunc(minutes / 60);
  char text[64];
  std::snprintf(text, sizeof text, "%02.0f %02.0f", whole, minutes - whole * 60);
  return text;
}

void ReadIntervalField(std::string_view text, const IntervalUnits& units, double& radians) {
  size_t used = 0;
  const int64_t whole = ParseWhole(text, INT16_MIN, INT16_MAX, &used);
  if (used == 0) return;
  const double minutes = ParseDecimal(text.substr(used));
  const double value = (static_cast<double>(whole) + minutes * 0.016666666666666666) * units.radiansPer;
  radians = value > 0 ? value : units.least;
}

}  // namespace qv
