// astro/satellite_pass.cpp - the next pass of an Earth satellite. Sources in satellite_pass.h.
#include "astro/satellite_pass.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "astro/constants.h"
#include "astro/corrections.h"
#include "astro/riseset.h"
#include "astro/satellite.h"
#include "astro/sgp4.h"
#include "astro/time.h"

namespace qv {
namespace {

constexpr double EarthTurnRate = TwoPi / SiderealToSolar;  // radians per day
// The satellite's mean elements leave its true distance some tens of km from the orbit's
// perigee and apogee, and the zenith is geodetic: the horizon's angle is widened by this much.
constexpr double HorizonAngleMargin = 1.5 * DegToRad;
constexpr double GoldenFraction = 0.3819660112501051;  // 2 - the golden ratio

// The satellite prepared for many positions, and the site.
struct Track {
  explicit Track(const OrbitalElements& elements) : el(elements) {}
  const OrbitalElements& el;
  bool sgp4 = false;
  Sgp4Orbit orbit;
  double latitude = 0, longitude = 0, heightAu = 0;
  double horizon = 0;              // HorizonAltitude
  double rate = 0;                 // fastest change of the zenith angle, radians per day
  double siteRadius = 0;           // the site's distance from the Earth's centre, AU
  double perigee = 0, apogee = 0;  // AU
};

struct Sample {
  double ut = 0;
  double altitude = 0;  // geometric, radians; NaN when the model fails
  double safeDays = 0;  // how long the satellite surely stays on this side of the horizon
};

// The zenith angle, seen from the Earth's centre, at which a satellite r from the centre stands
// at altitude h for a site at distance rho: cos(h + angle) = rho cos h / r.
double HorizonAngle(const Track& k, double r) {
  return std::acos(std::clamp(k.siteRadius * std::cos(k.horizon) / r, -1.0, 1.0)) - k.horizon;
}

// The geocentric position in the equator of date (SGP4's TEME or the simple model's mean
// equator: both from the mean equinox), AU; false when the model fails.
bool PositionOfDate(const Track& k, double ut, Vector3& p) {
  if (!k.sgp4) {
    p = SatelliteOfDatePosition(k.el, ut - k.el.epoch);
    return true;
  }
  Sgp4State state;
  if (Sgp4Propagate(k.orbit, (ut - k.el.epoch) * MinutesPerDay, state) != Sgp4Ok) return false;
  const Vector3& km = state.positionKm;
  p = Vector3{km.x / KmPerAu, km.y / KmPerAu, km.z / KmPerAu};
  return true;
}

Sample SampleAt(const Track& k, double ut) {
  Sample s{ut, std::numeric_limits<double>::quiet_NaN(), 0};
  Vector3 p;
  if (!PositionOfDate(k, ut, p)) return s;
  const double theta = LocalSiderealTime(ut, k.longitude);
  const Vector3 site =
      ObserverGeocentricPosition(theta, k.latitude, k.heightAu, EarthRadiusAu, EarthFlattening);
  const double cosLat = std::cos(k.latitude);
  const Vector3 zenith{cosLat * std::cos(theta), cosLat * std::sin(theta), std::sin(k.latitude)};
  const Vector3 d{p.x - site.x, p.y - site.y, p.z - site.z};
  s.altitude = std::asin(std::clamp(Dot(zenith, d) / Length(d), -1.0, 1.0));
  const double r = Length(p);
  const double zenithAngle = std::acos(std::clamp(Dot(zenith, p) / r, -1.0, 1.0));
  // Below, the horizon's angle can grow no wider than at apogee; above, no narrower than at
  // perigee.
  const double gap = s.altitude > k.horizon
                         ? HorizonAngle(k, k.perigee) - HorizonAngleMargin - zenithAngle
                         : zenithAngle - HorizonAngle(k, k.apogee) - HorizonAngleMargin;
  s.safeDays = std::max(gap, 0.0) / k.rate;
  return s;
}

bool IsUp(const Track& k, const Sample& s) { return s.altitude > k.horizon; }

double StepDays(const Sample& s) {
  return std::clamp(s.safeDays, PassCoarseStepDays, PassLongestStepDays);
}

// The instant of the crossing between two samples on either side of the horizon, by halving.
double Crossing(const Track& k, Sample a, Sample b) {
  const bool upAtA = IsUp(k, a);
  while (std::fabs(b.ut - a.ut) > PassToleranceDays) {
    const Sample middle = SampleAt(k, 0.5 * (a.ut + b.ut));
    if (std::isnan(middle.altitude)) break;
    (IsUp(k, middle) == upAtA ? a : b) = middle;
  }
  return 0.5 * (a.ut + b.ut);
}

// Steps from the last sample towards `limit` (either direction) until the satellite changes
// sides of the horizon, adding each sample; true when it did (the last sample is on the other
// side), false when it reached the limit first or the model failed.
bool WalkToChange(const Track& k, double limit, std::vector<Sample>& samples) {
  const bool upAtFirst = IsUp(k, samples.back());
  const double direction = limit > samples.back().ut ? 1 : -1;
  while ((limit - samples.back().ut) * direction > 0) {
    const Sample last = samples.back();  // push_back may move the samples
    const double step = std::min(StepDays(last), std::fabs(limit - last.ut));
    samples.push_back(SampleAt(k, last.ut + direction * step));
    if (std::isnan(samples.back().altitude)) return false;
    if (IsUp(k, samples.back()) != upAtFirst) return true;
  }
  return false;
}

// The highest point between two instants about a highest sample, by golden section [P].
Sample Culmination(const Track& k, double a, double b) {
  if (a > b) std::swap(a, b);
  double x1 = a + GoldenFraction * (b - a), x2 = b - GoldenFraction * (b - a);
  Sample s1 = SampleAt(k, x1), s2 = SampleAt(k, x2);
  while (b - a > PassToleranceDays) {
    if (s1.altitude >= s2.altitude) {
      b = x2;
      x2 = x1;
      s2 = s1;
      x1 = a + GoldenFraction * (b - a);
      s1 = SampleAt(k, x1);
    } else {
      a = x1;
      x1 = x2;
      s1 = s2;
      x2 = b - GoldenFraction * (b - a);
      s2 = SampleAt(k, x2);
    }
  }
  return s1.altitude >= s2.altitude ? s1 : s2;
}

bool PrepareTrack(Track& k, const ObservingSettings& s) {
  const OrbitalElements& el = k.el;
  if (!(el.q > 0) || !(el.e >= 0) || !(el.e < 1) || !(el.n > 0)) return false;
  k.sgp4 = s.SatelliteModel == SatelliteSGP4;
  if (k.sgp4 && !Sgp4OrbitOfElements(el, k.orbit)) return false;
  k.latitude = s.ViewerLatitude;
  k.longitude = s.ViewerLongitude;
  k.heightAu = s.ViewerAltitude * MetresToAu;
  k.horizon = s.HorizonAltitude;
  k.siteRadius =
      Length(ObserverGeocentricPosition(0, k.latitude, k.heightAu, EarthRadiusAu, EarthFlattening));
  k.perigee = el.q;
  k.apogee = el.q * (1 + el.e) / (1 - el.e);
  // Fastest at perigee: n sqrt(1 + e) / (1 - e)^1.5; a tenth more for the oblateness and drag.
  k.rate = 1.1 * el.n * std::sqrt(1 + el.e) / std::pow(1 - el.e, 1.5) + EarthTurnRate;
  return true;
}

// The samples of a pass in time order, each up but the first and last (or the first is the
// start of a search back that found no rise): the highest point between the neighbours of the
// highest sample, within the rise and set.
Sample HighestPoint(const Track& k, const std::vector<Sample>& samples, double rise, double set) {
  size_t top = 1;
  for (size_t i = 1; i + 1 < samples.size(); ++i)
    if (samples[i].altitude > samples[top].altitude) top = i;
  const double low = std::isnan(rise) ? samples[top - 1].ut : std::max(rise, samples[top - 1].ut);
  return Culmination(k, low, std::min(set, samples[top + 1].ut));
}

}  // namespace

SatellitePass NextSatellitePass(const OrbitalElements& el, const ObservingSettings& settings,
                                double startUt) {
  SatellitePass pass;
  Track k(el);
  if (!PrepareTrack(k, settings)) return pass;
  std::vector<Sample> samples{SampleAt(k, startUt)};
  if (std::isnan(samples[0].altitude)) return pass;
  pass.status = PassNone;
  const bool upAtStart = IsUp(k, samples[0]);
  if (upAtStart) {
    // The pass under way: back to its rise, then the samples in time order.
    const bool risen = WalkToChange(k, startUt - PassSearchDays, samples);
    if (std::isnan(samples.back().altitude)) return SatellitePass{};
    if (risen) pass.rise = Crossing(k, samples.back(), samples[samples.size() - 2]);
    std::reverse(samples.begin(), samples.end());
  } else {
    if (!WalkToChange(k, startUt + PassSearchDays, samples))
      return std::isnan(samples.back().altitude) ? SatellitePass{} : pass;
    pass.rise = Crossing(k, samples[samples.size() - 2], samples.back());
    samples.erase(samples.begin(), samples.end() - 2);  // the last down and the first up
  }
  const double from = std::isnan(pass.rise) ? startUt : pass.rise;
  if (!WalkToChange(k, from + PassSearchDays, samples)) {
    if (std::isnan(samples.back().altitude)) return SatellitePass{};
    if (upAtStart) pass.status = PassAlwaysUp;
    return pass;
  }
  pass.set = Crossing(k, samples[samples.size() - 2], samples.back());
  const Sample top = HighestPoint(k, samples, pass.rise, pass.set);
  pass.culmination = top.ut;
  pass.culminationAltitude = top.altitude;
  pass.status = PassFound;
  return pass;
}

}  // namespace qv
