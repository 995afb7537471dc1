// astro/riseset.cpp - rising and setting. Sources in riseset.h.
#include "astro/riseset.h"

#include <cmath>

#include "app/settings.h"
#include "astro/constants.h"
#include "astro/skycontext.h"
#include "astro/time.h"

namespace qv {

double RiseSetHourAngle(double h0, double dec, double phi) {
  const double c = (std::sin(h0) - std::sin(phi) * std::sin(dec)) / (std::cos(phi) * std::cos(dec));
  if (c >= 1.0) return NeverRises;
  if (c <= -1.0) return Pi;
  return std::acos(c);
}

namespace {

// The chart time in UT: the local day is that of the clock, not of dynamical time.
double UniversalChartTime() {
  const ChartSettings& s = Settings();
  return s.DynamicTime ? s.JulianDate - DeltaT(s.JulianDate) * DaysPerSecond : s.JulianDate;
}

void SetChartTimeFromUniversal(double ut) {
  ChartSettings& s = Settings();
  s.JulianDate = s.DynamicTime ? ut + DeltaT(ut) * DaysPerSecond : ut;
}

}  // namespace

RiseSet RiseSetTime(double ra, double dec, int event) {
  const ChartSettings& s = Settings();
  RiseSet r;
  const double h0 = RiseSetHourAngle(s.HorizonAltitude, dec, s.ViewerLatitude);
  if (h0 == NeverRises) return r;
  if (h0 == Pi) {
    r.timeOfDay = TwoPi;
    return r;
  }
  const double zone = Sky().zone;
  const double midnight = std::floor(UniversalChartTime() - 0.5 + zone) + 0.5 - zone;
  const double theta0 = LocalSiderealTime(midnight, s.ViewerLongitude);
  const double h = NormalizeAngle(ra - theta0 + event * h0);
  r.happens = true;
  r.timeOfDay = h * SiderealToSolar;
  r.instant = midnight + r.timeOfDay * InvTwoPi;
  return r;
}

Spherical PlaceOfDate(const Vector3& j2000) {
  Vector3 v = j2000;
  Transform(Sky().dateMatrix, v);
  return RectangularToSpherical(v);
}

int RefineRiseSetTime(ObjectRecord& object, int event, RiseSet& result) {
  if (!Settings().PreciseRiseSetTimes || !result.happens) return 0;
  const SkySnapshot saved = SaveSkyContext();
  int evaluations = 0;
  while (evaluations < RiseSetMaxEvaluations) {
    SetChartTimeFromUniversal(result.instant);
    UpdateSkyContext();
    RecomputeObject(object);
    const Spherical place = PlaceOfDate(CurrentDirectionVector(object));
    const RiseSet next = RiseSetTime(place.lon, place.lat, event);
    ++evaluations;
    const bool settled = std::fabs(next.timeOfDay - result.timeOfDay) <= RiseSetTolerance;
    result = next;
    if (!next.happens || settled) break;
  }
  RestoreSkyContext(saved);
  RecomputeObject(object);
  return evaluations;
}

}  // namespace qv
