// astro/moons_outer.cpp - the moons of Uranus (mean terms of GUST86 [L]), Neptune (Triton and
// Nereid [J]) and Pluto (Charon on a circular orbit).
#include <cmath>
#include <iterator>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/frames.h"
#include "astro/kinds.h"
#include "astro/moon_theories.h"

namespace qv {
namespace {

constexpr double UranusMoonEpoch = 2444239.5;

// A term c (cos, sin)(phase + rate d) of an eccentricity or inclination vector, radians and
// radians per day.
struct VectorTerm {
  double c, phase, rate;
};

constexpr VectorTerm E1{1, 2.41, 4.727824e-05}, E2{1, 2.07, 2.179316e-05},
    E3{1, 0.74, 1.580524e-05}, E4{1, 0.43, 2.9363068e-06}, E5{1, 5.71, -0.01157},
    E6{1, 1.82, -0.0069008};
constexpr VectorTerm I1{1, 0.4, -4.782474e-05}, I2{1, 0.59, -2.156628e-05},
    I3{1, 1.75, -1.401373e-05}, I4{1, 4.21, -1.9713918e-06};

constexpr VectorTerm Scaled(double c, VectorTerm t) { return VectorTerm{c, t.phase, t.rate}; }

struct UranusMoon {
  double a;                    // AU
  double lambda0, lambdaRate;  // radians, radians per day
  double sinN1, sinN2, sinN3;  // mean-longitude terms of the N arguments, radians
  VectorTerm ecc[5];           // (k, h); unused terms have c = 0
  VectorTerm inc[2];           // (q, p)
};

constexpr UranusMoon UranusMoons[] = {
    {0.00086492,
     -0.23805158,
     4.44519055,
     0.02547217,
     -0.00308831,
     -0.0003181,
     {{0.00131238, 0.61, 0.00015273}, {-0.00012331, 0.15, 0.08606}, {-0.0001941, 6.04, 0.709}},
     {{0.03787171, 5.7, -0.000154449}}},
    {0.00127689,
     3.09804641,
     2.49295252,
     -0.0018605,
     0.00021999,
     0,
     {Scaled(0.00118763, E1), Scaled(0.00086159, E2)},
     {Scaled(0.00035825, I1), Scaled(0.00029008, I2)}},
    {0.00170811,
     2.28540169,
     1.51614811,
     0.00066057,
     0,
     0,
     {Scaled(0.00390469, E2), Scaled(-0.00022795, E1), Scaled(0.00030917, E3),
      Scaled(0.00022192, E4), Scaled(0.00054923, E5)},
     {Scaled(0.0011136, I2), Scaled(0.00035014, I3)}},
    {0.00291388,
     0.85635879,
     0.72171851,
     0,
     0,
     0,
     {Scaled(0.00093281, E3), Scaled(0.00112089, E4), Scaled(0.00079343, E6)},
     {Scaled(0.00068572, I3), Scaled(0.00037832, I4)}},
    {0.00390059,
     -0.9155918,
     0.46669212,
     0,
     0,
     0,
     {Scaled(0.00139734, E4), Scaled(-0.00075868, E3), Scaled(-0.00098726, E6)},
     {Scaled(-0.00059633, I3), Scaled(0.00045196, I4)}},
};

template <size_t N>
void SumVector(const VectorTerm (&terms)[N], double d, double& cosSum, double& sinSum) {
  cosSum = sinSum = 0;
  for (const VectorTerm& t : terms) {
    const double angle = NormalizeAngle(t.phase + t.rate * d);
    cosSum += t.c * std::cos(angle);
    sinSum += t.c * std::sin(angle);
  }
}

}  // namespace

MoonElements UranusMoonTheory(int kind, double t) {
  const int index = kind - KindMiranda;
  if (index < 0 || index >= static_cast<int>(std::size(UranusMoons))) return MoonElements{};
  const UranusMoon& moon = UranusMoons[index];
  const double d = t - UranusMoonEpoch;
  const double n1 = NormalizeAngle(1.32 - 0.000218167 * d),
               n2 = NormalizeAngle(2.64 - 0.000436336 * d);
  const double n3 = NormalizeAngle(3.97 - 0.000654502 * d);
  const double lambda =
      NormalizeAngle(moon.lambda0 + moon.lambdaRate * d + moon.sinN1 * std::sin(n1) +
                     moon.sinN2 * std::sin(n2) + moon.sinN3 * std::sin(n3));
  double k, h, q, p;
  SumVector(moon.ecc, d, k, h);
  SumVector(moon.inc, d, q, p);
  MoonElements el;
  el.a = moon.a;
  el.e = std::sqrt(h * h + k * k);
  el.i = 2 * std::asin(std::sqrt(p * p + q * q));
  el.node = AngleFromXY(p, q);
  el.varpi = AngleFromXY(h, k);
  el.m = NormalizeAngle(lambda - el.varpi + Pi);
  return el;
}

const Matrix3& UranusMoonFrame() {
  static const Matrix3 m = [] {  // Uranus's equator on the 1950 equator
    Matrix3 f;
    BuildRotation(f, {{AxisX, 74.96 * DegToRad}, {AxisZ, 166.72 * DegToRad}});
    Multiply(PrecessionFrom1950(), f);
    return f;
  }();
  return m;
}

MoonElements NeptuneMoonTheory(int kind, double t) {
  MoonElements el;
  if (kind == KindTriton) {
    const double d = t - 2433282.5;
    el.a = 0.002368266;
    el.i = 2.7750036975099204;  // 158.996 degrees: retrograde
    el.node = el.varpi = ReducedDegrees(151.401 + 0.0015826420260095825 * d);
    el.m = ReducedDegrees(200.913 + 61.2588532 * d);
    return el;
  }
  const double d = t - 2433680.5, T = d * CenturiesPerDay;
  const double psi = Fmod360ToRadians(289.2 + 2.68 * T);
  el.a = 0.036868;
  el.e = 0.74515;
  el.i = 0.17524851019332;
  el.node = ReducedDegrees(329.3 - 2.4 * T + 19.7 * std::sin(2 * psi) - 3.3 * std::sin(4 * psi));
  el.varpi =
      NormalizeAngle(psi - (19.25 * std::sin(2 * psi) + 3.23 * std::sin(4 * psi)) * DegToRad);
  el.m = ReducedDegrees(358.91 + 0.999552 * d);
  return el;
}

void NeptuneMoonFrame(int kind, double t, Matrix3& m) {
  if (kind == KindNereid) {
    static const Matrix3 nereid = [] {
      Matrix3 f;
      BuildRotation(f, {{AxisX, 0.38943531599875997}, {AxisZ, 0.061470496255439995}});
      Multiply(PrecessionFrom1950(), f);
      return f;
    }();
    m = nereid;
    return;
  }
  // Triton's orbit is referred to Neptune's equator, whose pole moves with N (J2000 equator).
  const double T = (t - J2000) * CenturiesPerDay;
  const double n = Fmod360ToRadians(359.28 + 54.308 * T);
  const double ra = 298.72 + 2.58 * std::sin(n) - 0.04 * std::sin(2 * n);
  const double dec = 42.63 - 1.9 * std::cos(n) + 0.01 * std::cos(2 * n);
  BuildRotation(m, {{AxisX, (90 - dec) * DegToRad}, {AxisZ, (90 + ra) * DegToRad}});
}

MoonElements CharonTheory(double t) {
  MoonElements el;
  el.a = 0.00012788;
  el.i = 94.3 * DegToRad;
  el.node = el.varpi = 223.7 * DegToRad;
  el.m = ReducedDegrees(78.6 + 56.3625 * (t - 2445000.5));
  return el;
}

}  // namespace qv
