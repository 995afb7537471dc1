// astro/kepler.cpp - Kepler's equation in its three branches and positions from elements.
// Sources in kepler.h.
#include "astro/kepler.h"

#include <cmath>

#include "astro/angles.h"
#include "astro/constants.h"

namespace qv {

double MeanMotion(double mu, double q, double e) {
  if (q <= 0) return 0;
  if (e == 1) return 3 * std::sqrt(mu / (2 * q * q * q));
  const double a = e < 1 ? q / (1 - e) : q / (e - 1);
  return std::sqrt(mu / (a * a * a));
}

namespace {

// Sinnott's bisection: halves the step down to 1e-8 rad, about 27 steps; converges for any e < 1.
double EccentricAnomalyByBisection(double m, double e) {
  double E = m < Pi ? HalfPi : ThreeHalfPi;
  for (double step = QuarterPi; step > KeplerTolerance; step *= 0.5)
    E += (m - (E - e * std::sin(E)) <= 0) ? -step : step;
  return E;
}

double EccentricAnomalyByNewton(double m, double e) {
  double E = m;
  for (int k = 0; k < KeplerMaxSteps; ++k) {
    const double f = E - e * std::sin(E) - m;
    E -= f / (1 - e * std::cos(E));
    if (std::fabs(E) >= 1e8 || std::fabs(f) <= KeplerTolerance) break;
  }
  return E;
}

KeplerSolution SolveElliptic(double m, double e, double q) {
  m = NormalizeAngle(m);
  const double E = e >= BisectionFromEccentricity ? EccentricAnomalyByBisection(m, e)
                                                  : EccentricAnomalyByNewton(m, e);
  KeplerSolution s;
  s.nu = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(E / 2));
  s.r = (1 + e) * q / (1 + e * std::cos(s.nu));
  return s;
}

// Barker's equation s^3 + 3 s = m for s = tan(nu / 2), by Newton's method.
KeplerSolution SolveParabolic(double m, double q) {
  double s = m;
  for (int k = 0; k < KeplerMaxSteps; ++k) {
    if (std::fabs(3 * s + s * s * s - m) <= KeplerTolerance) break;
    s = (2 * s * s * s + m) / (3 * (s * s + 1));
  }
  return KeplerSolution{2 * std::atan(s), q * (1 + s * s)};
}

KeplerSolution SolveHyperbolic(double m, double e, double q) {
  double H = std::asinh(m / e);
  for (int k = 0; k < KeplerMaxSteps; ++k) {
    const double g = H - e * std::sinh(H) + m;
    if (std::fabs(g) <= KeplerTolerance) break;
    H -= g / (1 - e * std::cosh(H));
  }
  KeplerSolution s;
  s.nu = 2 * std::atan(std::sqrt((e + 1) / (e - 1)) * std::tanh(H / 2));
  s.r = (1 + e) * q / (1 + e * std::cos(s.nu));
  return s;
}

}  // namespace

KeplerSolution SolveKepler(double m, double e, double q) {
  if (e < 0) {
    e = -e;
    q = -q;
  }
  if (e < 1) return SolveElliptic(m, e, q);
  if (e == 1) return SolveParabolic(m, q);
  return SolveHyperbolic(m, e, q);
}

Vector3 ElementsToPosition(double q, double e, double i, double omega, double node, double m) {
  const KeplerSolution s = SolveKepler(m, e, q);
  const double u = s.nu + omega;
  const double cosU = std::cos(u), sinU = std::sin(u);
  const double cosN = std::cos(node), sinN = std::sin(node), cosI = std::cos(i);
  return Vector3{s.r * (cosN * cosU - sinN * cosI * sinU), s.r * (sinN * cosU + cosN * cosI * sinU),
                 s.r * std::sin(i) * sinU};
}

OrbitalElements AdvanceElements(const OrbitalElements& el, double t) {
  const double dt = t - el.epoch;
  OrbitalElements out = el;
  out.m = el.m + dt * el.n;
  out.omega = NormalizeAngle(el.omega + dt * el.omegaRate);
  out.node = NormalizeAngle(el.node + dt * el.nodeRate);
  out.epoch = t;
  return out;
}

OrbitalAngles RotateOrbitalAngles(const Matrix3& m, const OrbitalAngles& a) {
  const double cosW = std::cos(a.omega), sinW = std::sin(a.omega);
  const double cosN = std::cos(a.node), sinN = std::sin(a.node);
  const double cosI = std::cos(a.i), sinI = std::sin(a.i);
  Vector3 perihelion{cosN * cosW - sinN * cosI * sinW, sinN * cosW + cosN * cosI * sinW,
                     sinI * sinW};
  Vector3 pole{sinN * sinI, -cosN * sinI, cosI};
  Transform(m, perihelion);
  Transform(m, pole);
  const double s = std::sqrt(pole.x * pole.x + pole.y * pole.y);
  const double nodeX = s > 0 ? -pole.y / s : 1, nodeY = s > 0 ? pole.x / s : 0;
  const double cosW2 = perihelion.x * nodeX + perihelion.y * nodeY;
  const double sinW2 =
      pole.z != 0 ? (perihelion.y * nodeX - perihelion.x * nodeY) / pole.z : perihelion.z;
  OrbitalAngles out;
  out.i = AngleFromXY(s, pole.z);
  out.node = AngleFromXY(nodeY, nodeX);
  out.omega = AngleFromXY(sinW2, cosW2);
  return out;
}

}  // namespace qv
