// astro/satellite.cpp - Earth satellite propagation with secular rates and drag.
// Sources in satellite.h.
#include "astro/satellite.h"

#include <cmath>

#include "astro/constants.h"
#include "astro/frames.h"
#include "astro/sgp4.h"
#include "astro/time.h"

namespace qv {

namespace {

// Drag: the mean motion has grown by 2 D dt; the orbit shrinks with the perigee kept.
void ApplyDrag(double n, double drag, double dt, double& q, double& e) {
  const double denominator = n + 2 * drag * dt;
  if (denominator <= 0 || n <= 0 || e >= 1) return;
  const double f = n / denominator;
  const double a = q / (1 - e) * std::pow(f, 2.0 / 3.0);
  if (a > q) {
    e = 1 - q / a;
  } else {
    q = a;
    e = 0;
  }
}

// SGP4's TEME (true equator, mean equinox of t) -> J2000 equator.
Vector3 TemeToJ2000(const Vector3& teme, double t) {
  const double equinoxes = EquationOfEquinoxes(t);
  const double c = std::cos(equinoxes), s = std::sin(equinoxes);
  // Right ascensions from the true equinox are larger by the equation of the equinoxes.
  Vector3 p{c * teme.x - s * teme.y, s * teme.x + c * teme.y, teme.z};
  Matrix3 trueOfDate;  // J2000 -> true equator and equinox of t
  PrecessionMatrix(trueOfDate, J2000, t, true);
  TransformTransposed(trueOfDate, p);
  return p;
}

}  // namespace

bool Sgp4OrbitOfElements(const OrbitalElements& el, Sgp4Orbit& orbit) {
  Sgp4Elements elements;
  elements.epoch = el.epoch;
  elements.meanMotion = el.n * InvTwoPi;  // revolutions per day
  elements.e = el.e;
  elements.i = el.i;
  elements.omega = el.omega;
  elements.node = el.node;
  elements.m = el.m;
  elements.bstar = Sgp4DragTerm(elements, el.drag * InvTwoPi);
  return Sgp4Initialize(elements, orbit) == Sgp4Ok;
}

Vector3 Sgp4SatellitePosition(const OrbitalElements& el, double t) {
  Sgp4Orbit orbit;
  Sgp4State state;
  if (!Sgp4OrbitOfElements(el, orbit) ||
      Sgp4Propagate(orbit, (UniversalTime(t, true) - el.epoch) * MinutesPerDay, state) != Sgp4Ok)
    return Vector3{};
  const Vector3 km = TemeToJ2000(state.positionKm, t);
  return Vector3{km.x / KmPerAu, km.y / KmPerAu, km.z / KmPerAu};
}

Vector3 SatelliteOfDatePosition(const OrbitalElements& el, double dt) {
  double q = el.q, e = el.e;
  ApplyDrag(el.n, el.drag, dt, q, e);
  const double omega = std::fmod(el.omega + dt * el.omegaRate, TwoPi);
  const double node = std::fmod(el.node + dt * el.nodeRate, TwoPi);
  const double m = std::fmod(el.m + el.n * dt + el.drag * dt * dt, TwoPi);
  return ElementsToPosition(q, e, el.i, omega, node, m);
}

Vector3 SatellitePosition(const OrbitalElements& el, double t) {
  Vector3 p = SatelliteOfDatePosition(el, UniversalTime(t, true) - el.epoch);
  Matrix3 frame;  // equator of date -> J2000
  PrecessionMatrix(frame, t, J2000, false);
  Transform(frame, p);
  return p;
}

void SatelliteRates(OrbitalElements& el) {
  el.n = el.omegaRate = el.nodeRate = 0;
  if (el.q <= 0 || el.e < 0 || el.e >= 1) return;
  const double a = el.q / (1 - el.e) * EarthRadiiPerAu;
  const double n0 = SatelliteKe / std::pow(a, 1.5);  // radians per minute
  const double cosI = std::cos(el.i);
  const double oneMinusE2 = 1 - el.e * el.e;
  const double delta =
      1.5 * SatelliteK2 * (3 * cosI * cosI - 1) / (std::pow(oneMinusE2, 1.5) * a * a);
  const double a1 =
      a * (1 - delta / 3 - delta * delta - 1.6543209876543208 * delta * delta * delta);
  const double p = a1 * oneMinusE2;
  el.n = MinutesPerDay * n0;
  el.omegaRate = MinutesPerDay * 1.5 * SatelliteK2 * n0 * (5 * cosI * cosI - 1) / (p * p);
  el.nodeRate = MinutesPerDay * (-3 * SatelliteK2) * n0 * cosI / (p * p);
}

}  // namespace qv
