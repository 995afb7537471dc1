// astro/frames.cpp - precession, nutation, obliquity and the fixed frames of the sky.
// Radians, Julian dates (TT). Arc-second polynomials from [L] and [M] (see frames.h).
#include "astro/frames.h"

#include <cmath>

#include "astro/constants.h"

namespace qv {

PrecessionAngleSet PrecessionAngles(double jd0, double jd1) {
  const double T = (jd0 - J2000) * CenturiesPerDay;
  const double t = (jd1 - jd0) * CenturiesPerDay;
  const double t2 = t * t, t3 = t2 * t;
  const double rate = 2306.2181 + 1.39656 * T - 0.000139 * T * T;
  PrecessionAngleSet a;
  a.zeta = (rate * t + (0.30188 - 0.000344 * T) * t2 + 0.017998 * t3) * ArcsecToRad;
  a.z = (rate * t + (1.09468 + 0.000066 * T) * t2 + 0.018203 * t3) * ArcsecToRad;
  a.theta = ((2004.3109 - 0.85330 * T - 0.000217 * T * T) * t - (0.42665 + 0.000217 * T) * t2 -
             0.041833 * t3) *
            ArcsecToRad;
  a.pi = ((47.0029 - 0.06603 * T + 0.000598 * T * T) * t + (-0.03302 + 0.000598 * T) * t2 +
          0.000060 * t3) *
         ArcsecToRad;
  a.bigPi = 3.0521686847918477 +
            ((3289.4789 * T + 0.60622 * T * T) - (869.8089 + 0.50491 * T) * t + 0.03536 * t2) *
                ArcsecToRad;
  a.p = ((5029.0966 + 2.22226 * T - 0.000042 * T * T) * t + (1.11113 - 0.000042 * T) * t2 -
         0.000006 * t3) *
        ArcsecToRad;
  return a;
}

double MeanObliquity(double jd) {
  const double T = (jd - J2000) * CenturiesPerDay;
  return (23.439291 - 0.0130042 * T - 1.6e-07 * T * T + 5.04e-07 * T * T * T) * DegToRad;
}

double EquationOfEquinoxes(double jd) {
  const NutationAngles n = Nutation(jd);
  return n.longitude * std::cos(MeanObliquity(jd) + n.obliquity);
}

NutationAngles Nutation(double jd) {
  const double T = (jd - J2000) * CenturiesPerDay;
  const double node = std::fmod(125.0445 - 1934.1363 * T, 360.0) * DegToRad;
  const double sunLon = std::fmod(280.4665 + 36000.7698 * T, 360.0) * DegToRad;
  const double moonLon = std::fmod(218.3165 + 481267.8813 * T, 360.0) * DegToRad;
  NutationAngles n;
  n.longitude = (-17.2 * std::sin(node) - 1.32 * std::sin(2 * sunLon) -
                 0.23 * std::sin(2 * moonLon) + 0.21 * std::sin(2 * node)) *
                ArcsecToRad;
  n.obliquity = (9.2 * std::cos(node) + 0.57 * std::cos(2 * sunLon) + 0.1 * std::cos(2 * moonLon) -
                 0.09 * std::cos(2 * node)) *
                ArcsecToRad;
  return n;
}

void PrecessionMatrix(Matrix3& m, double jd0, double jd1, bool withNutation) {
  const PrecessionAngleSet a = PrecessionAngles(jd0, jd1);
  if (!withNutation) {
    BuildRotation(m, {{AxisZ, a.zeta}, {AxisY, a.theta}, {AxisZ, a.z}});
    return;
  }
  const double eps = MeanObliquity(jd1);
  const NutationAngles n = Nutation(jd1);
  BuildRotation(m, {{AxisZ, a.zeta},
                    {AxisY, a.theta},
                    {AxisZ, a.z},
                    {AxisX, -eps},
                    {AxisZ, n.longitude},
                    {AxisX, eps + n.obliquity}});
}

void EclipticPrecessionMatrix(Matrix3& m, double jd0, double jd1) {
  const PrecessionAngleSet a = PrecessionAngles(jd0, jd1);
  BuildRotation(m, {{AxisZ, -a.bigPi}, {AxisX, -a.pi}, {AxisZ, a.bigPi + a.p}});
}

void ObliquityRotation(Matrix3& m, double eps, int direction) {
  BuildRotation(m, {{AxisX, direction > 0 ? -eps : eps}});
}

void GalacticMatrix(Matrix3& m, double jd, int direction) {
  const PrecessionAngleSet a = PrecessionAngles(jd, B1950);
  const double node = 282.25 * DegToRad, tilt = 62.6 * DegToRad, lon = 33.0 * DegToRad;
  if (direction > 0)
    BuildRotation(m, {{AxisZ, a.zeta},
                      {AxisY, a.theta},
                      {AxisZ, a.z},
                      {AxisZ, -node},
                      {AxisX, -tilt},
                      {AxisZ, lon}});
  else
    BuildRotation(m, {{AxisZ, -lon},
                      {AxisX, tilt},
                      {AxisZ, node},
                      {AxisZ, -a.z},
                      {AxisY, -a.theta},
                      {AxisZ, -a.zeta}});
}

void HorizonMatrix(Matrix3& m, double s, double phi, int direction) {
  if (direction > 0) {
    BuildRotation(m, {{AxisZ, Pi - s}, {AxisY, phi - HalfPi}});
    for (double& v : m.m[1]) v = -v;  // y towards the east
    return;
  }
  BuildRotation(m, {{AxisY, HalfPi - phi}, {AxisZ, s - Pi}});
  for (auto& row : m.m) row[1] = -row[1];
}

}  // namespace qv
