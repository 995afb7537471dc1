// astro/rotation.cpp - rotation models and the sub-observer point. Sources in rotation.h.
#include "astro/rotation.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/kinds.h"

namespace qv {

namespace {

// Degrees of a rotation model; W still unreduced.
struct ModelDegrees {
  double ra, dec, w;
};

ModelDegrees GiantPlanetModel(int kind, double d, double T, int system) {
  if (kind == KindJupiter) {
    const double w = system == RotationSystemI    ? 67.1 + 877.9 * d
                     : system == RotationSystemII ? 43.3 + 870.27 * d
                                                  : 284.95 + 870.536 * d;
    return {268.05 - 0.009 * T, 64.49 + 0.003 * T, w};
  }
  const double w = system == RotationSystemI ? 227.2037 + 844.3 * d : 38.9 + 810.7939024 * d;
  return {40.66 - 0.036 * T, 83.52 - 0.004 * T, w};
}

ModelDegrees MoonOfEarthModel(double d) {
  const double e1 = (125.045 - 0.052992 * d) * DegToRad, e2 = (249.39 - 0.105948 * d) * DegToRad;
  const double e3 = (196.694 - 13.012 * d) * DegToRad, e4 = (176.63 + 13.340716 * d) * DegToRad;
  const double e5 = (358.219 - 0.9856 * d) * DegToRad;
  return {270.0 - 3.878 * std::sin(e1) - 0.12 * std::sin(e2) + 0.07 * std::sin(e3) -
              0.017 * std::sin(e4),
          66.534 + 1.543 * std::cos(e1) + 0.024 * std::cos(e2) - 0.028 * std::cos(e3) +
              0.007 * std::cos(e4),
          38.314 + 13.1763581 * d + 3.558 * std::sin(e1) + 0.121 * std::sin(e2) -
              0.064 * std::sin(e3) + 0.016 * std::sin(e4) + 0.025 * std::sin(e5)};
}

bool PlanetModel(int kind, double d, double T, int system, ModelDegrees& out) {
  switch (kind) {
    case KindSun:
      out = {286.13, 63.87, 84.1 + 14.1844 * d};
      return true;
    case KindMercury:
      out = {281.01 - 0.033 * T, 61.45 - 0.005 * T, 329.71 + 6.1385025 * d};
      return true;
    case KindVenus:
      out = {272.78, 67.21, 159.91 - 1.4814205 * d};
      return true;
    case KindEarth:
      out = {-0.641 * T, 90 - 0.557 * T, 190.21 + 360.9856123 * d};
      return true;
    case KindMars:
      out = {317.681 - 0.108 * T, 52.886 - 0.061 * T, 176.868 + 350.891983 * d};
      return true;
    case KindJupiter:
    case KindSaturn:
      out = GiantPlanetModel(kind, d, T, system);
      return true;
    case KindUranus:
      out = {257.43, -15.1, 203.81 - 501.1600928 * d};
      return true;
    case KindNeptune: {
      const double n = (357.85 + 52.316 * T) * DegToRad;
      out = {299.36 + 0.70 * std::sin(n), 43.46 - 0.51 * std::cos(n),
             253.18 + 536.3128492 * d - 0.48 * std::sin(n)};
      return true;
    }
    case KindPluto:
      out = {313.02, 9.09, 236.77 - 56.3623195 * d};
      return true;
    case KindMoon:
      out = MoonOfEarthModel(d);
      return true;
    default:
      return false;
  }
}

bool MoonModel(int kind, double d, double T, ModelDegrees& out) {
  for (const MoonRotation& moon : MoonRotations) {
    if (moon.kind != kind) continue;
    out = {moon.ra0 + moon.ra1 * T, moon.dec0 + moon.dec1 * T,
           moon.w0 + moon.w1 * d + moon.w2 * T * T};
    double* targets[3] = {&out.ra, &out.dec, &out.w};
    for (const RotationTerm& term : moon.terms) {
      const RotationArgument& a = RotationArguments[term.argument];
      const double angle =
          (a.c0 + a.c1 * (a.perDay ? d : T) + a.c2 * T * T) * term.multiple * DegToRad;
      *targets[term.target] +=
          term.coefficient * (term.function == 1 ? std::sin(angle) : std::cos(angle));
    }
    return true;
  }
  return false;
}

}  // namespace

bool LongitudeIncreasesWithRotation(int kind) {
  return kind == KindSun || kind == KindVenus || kind == KindEarth || kind == KindPluto ||
         kind == KindMoon || kind == KindCharon;
}

RotationState RotationModel(int kind, double t, int system) {
  const double d = t - J2000, T = d * CenturiesPerDay;
  ModelDegrees deg;
  if (!PlanetModel(kind, d, T, system, deg) && !MoonModel(kind, d, T, deg))
    return RotationState{0, HalfPi, 0};
  RotationState s{deg.ra * DegToRad, deg.dec * DegToRad, NormalizeAngle(deg.w * DegToRad)};
  if (LongitudeIncreasesWithRotation(kind)) s.w = -s.w;
  return s;
}

SubObserverPoint SubObserverGeometry(const Vector3& d, const RotationState& rotation) {
  Vector3 v{-d.x, -d.y, -d.z};  // from the body towards the viewer
  Matrix3 frame;                // the body's equator: x at its node on the J2000 equator
  BuildRotation(frame,
                {{AxisZ, -(rotation.poleRa + HalfPi)}, {AxisX, -(HalfPi - rotation.poleDec)}});
  Transform(frame, v);
  const Spherical s = RectangularToSpherical(v);
  SubObserverPoint p;
  p.latitude = s.lat;
  p.longitude =
      rotation.w > 0 ? NormalizeAngle(rotation.w - s.lon) : NormalizeAngle(s.lon + rotation.w);
  const Vector3 pole{frame.m[2][0], frame.m[2][1], frame.m[2][2]};
  p.poleAngle = PositionAngleOfVectors(d, pole);
  return p;
}

}  // namespace qv
