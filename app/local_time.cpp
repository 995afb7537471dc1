// app/local_time.cpp - the chart's local time (local_time.h).
#include "app/local_time.h"

#include "app/settings.h"

namespace qv {

double ZoneInEffect(JulianDate jd) {
  const ChartSettings& s = Settings();
  const bool saving = s.DaylightSavingsTime && DaylightSavingInEffect(jd, s.TimeZone);
  return s.TimeZone + (saving ? HourInDays : 0);
}

JulianDate LocalToUniversal(JulianDate local) {
  const ChartSettings& s = Settings();
  JulianDate jd = local - s.TimeZone;
  if (s.DaylightSavingsTime && DaylightSavingInEffect(jd, s.TimeZone)) jd -= HourInDays;
  return jd;
}

}  // namespace qv
