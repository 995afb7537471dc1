// astro/observing.cpp - the local time of the observing settings (observing.h).
#include "astro/observing.h"

namespace qv {

double ZoneInEffect(const ObservingSettings& s, JulianDate jd) {
  const bool saving = s.DaylightSavingsTime && DaylightSavingInEffect(jd, s.TimeZone);
  return s.TimeZone + (saving ? DaysPerHour : 0);
}

JulianDate LocalToUniversal(const ObservingSettings& s, JulianDate local) {
  JulianDate jd = local - s.TimeZone;
  if (s.DaylightSavingsTime && DaylightSavingInEffect(jd, s.TimeZone)) jd -= DaysPerHour;
  return jd;
}

}  // namespace qv
