// objects/orbit_elements.cpp - element sets of orbit records and their entry between equinoxes.
#include "objects/orbit_elements.h"

#include "astro/constants.h"
#include "astro/frames.h"
#include "astro/time.h"

namespace qv {

OrbitalElements ElementsOfRecord(const OrbitRecord& orbit) {
  OrbitalElements el;
  el.epoch = orbit.epoch + ModifiedJulianDateOffset;
  el.q = orbit.q;
  el.e = orbit.e;
  el.i = orbit.i;
  el.omega = orbit.omega;
  el.node = orbit.node;
  el.m = orbit.meanAnomaly;
  el.n = orbit.meanMotion;
  el.drag = orbit.meanMotionRate;
  el.omegaRate = orbit.omegaRate;
  el.nodeRate = orbit.nodeRate;
  return el;
}

namespace {

constexpr double J2000Year = 2000.0;

OrbitalAngles AnglesBetweenEquinoxes(const OrbitalAngles& angles, double fromJd, double toJd) {
  Matrix3 m;
  EclipticPrecessionMatrix(m, fromJd, toJd);
  return RotateOrbitalAngles(m, angles);
}

}  // namespace

void StoreElementEntry(const ElementEntry& entry, double mu, OrbitRecord& orbit) {
  OrbitalAngles angles{entry.i, entry.omega, entry.node};
  if (entry.equinoxYear != J2000Year)
    angles = AnglesBetweenEquinoxes(angles, YearToJulianDate(entry.equinoxYear), J2000);
  orbit.epoch = entry.epoch - ModifiedJulianDateOffset;
  orbit.q = static_cast<float>(entry.q);
  orbit.e = static_cast<float>(entry.e);
  orbit.i = static_cast<float>(angles.i);
  orbit.omega = static_cast<float>(angles.omega);
  orbit.node = static_cast<float>(angles.node);
  orbit.meanAnomaly = static_cast<float>(entry.m);
  orbit.meanMotion = static_cast<float>(MeanMotion(mu, entry.q, entry.e));
  orbit.meanMotionRate = orbit.meanMotionAccel = 0;
  orbit.omegaRate = orbit.nodeRate = 0;
  orbit.magnitudeParam1 = HundredthsFromValue(entry.magnitude1);
  orbit.magnitudeParam2 = HundredthsFromValue(entry.magnitude2);
}

ElementEntry ShowElementEntry(const OrbitRecord& orbit, double equinoxYear) {
  OrbitalAngles angles{orbit.i, orbit.omega, orbit.node};
  if (equinoxYear != J2000Year)
    angles = AnglesBetweenEquinoxes(angles, J2000, YearToJulianDate(equinoxYear));
  ElementEntry entry;
  entry.equinoxYear = equinoxYear;
  entry.epoch = orbit.epoch + ModifiedJulianDateOffset;
  entry.q = orbit.q;
  entry.e = orbit.e;
  entry.i = angles.i;
  entry.omega = angles.omega;
  entry.node = angles.node;
  entry.m = orbit.meanAnomaly;
  entry.magnitude1 = ValueFromHundredths(orbit.magnitudeParam1);
  entry.magnitude2 = ValueFromHundredths(orbit.magnitudeParam2);
  return entry;
}

}  // namespace qv
