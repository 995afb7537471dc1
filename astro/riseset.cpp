// astro/riseset.cpp - rising and setting. Sources in riseset.h.
#include "astro/riseset.h"

#include <cmath>

#include "astro/constants.h"
#include "astro/time.h"

namespace qv {

double RiseSetHourAngle(double h0, double dec, double phi) {
  const double c = (std::sin(h0) - std::sin(phi) * std::sin(dec)) / (std::cos(phi) * std::cos(dec));
  if (c >= 1.0) return NeverRises;
  if (c <= -1.0) return Pi;
  return std::acos(c);
}

JulianDate ChartTimeOfUniversal(const ObservingSettings& s, JulianDate ut) {
  return s.DynamicTime ? ut + DeltaT(ut) * DaysPerSecond : ut;
}

double LocalMidnight(const SkyContext& sky) {
  return std::floor(sky.ut - 0.5 + sky.zone) + 0.5 - sky.zone;
}

RiseSet RiseSetTime(const SkyContext& sky, double ra, double dec, int event) {
  const ObservingSettings& s = sky.settings;
  RiseSet r;
  const double h0 = RiseSetHourAngle(s.HorizonAltitude, dec, s.ViewerLatitude);
  if (h0 == NeverRises) return r;
  if (h0 == Pi) {
    r.timeOfDay = TwoPi;
    return r;
  }
  const double midnight = LocalMidnight(sky);
  const double theta0 = LocalSiderealTime(midnight, s.ViewerLongitude);
  const double h = NormalizeAngle(ra - theta0 + event * h0);
  r.happens = true;
  r.timeOfDay = h * SiderealToSolar;
  r.instant = midnight + r.timeOfDay * InvTwoPi;
  return r;
}

}  // namespace qv
