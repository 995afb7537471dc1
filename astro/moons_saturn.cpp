// astro/moons_saturn.cpp - the theories of Saturn's nine major moons. Mimas to Dione refer to
// Saturn's equator, Rhea to Phoebe to the 1950 ecliptic [M ch. 46; H for Iapetus].
#include <cmath>
#include <iterator>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/frames.h"
#include "astro/kinds.h"
#include "astro/moon_theories.h"

namespace qv {
namespace {

constexpr double SaturnMoonEpoch = 2411093.0;
constexpr double SaturnRadiusAu = 4.032872e-4;  // 60330 km, the unit of the Iapetus theory
constexpr double EquatorNodeShift =
    -2.9466393761516003 + 0.7248352383556;             // ecliptic -> equator node
constexpr double SaturnEquatorTilt = 0.4897393881112;  // on the 1950 ecliptic, radians (28.06 deg)
constexpr double SaturnEquatorNode = 2.9466393761516003;

// Mimas, Enceladus, Tethys and Dione: mean elements with the Mimas-Tethys libration in A.
struct InnerMoon {
  double a, e, i;              // AU, -, radians
  double lambda0, lambdaRate;  // degrees, degrees per day
  double sinA, sin3A;          // libration terms of the mean longitude, degrees
  double varpi0, varpiRate;    // degrees, degrees per year
  double node0, nodeRate;      // degrees, degrees per year
};

constexpr InnerMoon InnerMoons[] = {
    {0.00124171, 0.01986, 0.0274016692564, 128.839, 381.994516, -43.415, -0.714, 107.0, 365.56,
     49.4, -365.025},
    {0.00158935, 0.00532, 0.00062831853072, 200.155, 262.7319052, 0, 0, 312.7, 123.42, 145.0,
     -152.7},
    {0.00197069, 0.000212, 0.019409806611492, 284.9982, 190.697920278, 2.0751, 0, 107.0, 72.29,
     111.41, -72.24754},
    {0.00252413, 0.001715, 0.0005044001538279999, 255.1183, 131.534920026, 0, 0, 173.6, 30.8381,
     228.0, -30.6197},
};

MoonElements InnerMoonTheory(const InnerMoon& moon, double t) {
  const double d = t - SaturnMoonEpoch, y = d * YearsPerDay;
  const double libration = 5.0616 * DegToRad * ((t - B1950) * YearsPerDay + 84.0);
  const double lambda =
      ReducedDegrees(moon.lambda0 + moon.lambdaRate * d + moon.sinA * std::sin(libration) +
                     moon.sin3A * std::sin(3 * libration));
  const double varpi = ReducedDegrees(moon.varpi0 + moon.varpiRate * y);
  const double node = ReducedDegrees(moon.node0 + moon.nodeRate * y);
  MoonElements el;
  el.a = moon.a;
  el.e = moon.e;
  el.i = moon.i;
  el.m = NormalizeAngle(lambda - varpi);
  el.varpi = NormalizeAngle(varpi + EquatorNodeShift);
  el.node = NormalizeAngle(node + EquatorNodeShift);
  return el;
}

MoonElements RheaTheory(double t) {
  const double d = t - SaturnMoonEpoch, y = d * YearsPerDay;
  const double p = ReducedDegrees(305.0 + 10.2077 * y);
  const double q = ReducedDegrees(276.49 + 0.0014288843258042437 * (t - 2411368.0));
  const double r = ReducedDegrees(356.87 - 10.2077 * y);
  const double h = 0.001 * std::sin(q) + 0.00021 * std::sin(p);
  const double k = 0.001 * std::cos(q) + 0.00021 * std::cos(p);
  const double sinJ = std::sin(0.00576831317786);
  MoonElements el;
  el.a = 0.003524;
  el.e = std::sqrt(h * h + k * k);
  el.varpi = AngleFromXY(h, k);
  el.i = NormalizeAngle(0.48894526330154 + sinJ * std::cos(r));
  el.node = NormalizeAngle(2.9465032404699443 + sinJ * std::sin(r) / std::sin(SaturnEquatorTilt));
  const double lambda =
      ReducedDegrees(359.4727 + 79.69004007 * d) + std::tan(0.2448696940556) * sinJ * std::sin(r);
  el.m = NormalizeAngle(lambda - el.varpi);
  return el;
}

MoonElements TitanTheory(double t) {
  const double T = (t - 2415020.0) * CenturiesPerDay;
  const double d = t - 2411368.0, y = d * YearsPerDay;
  const double a1 = (2.4891 + 0.002435 * T) * DegToRad;
  const double b1 = ReducedDegrees(113.35 - 0.2597 * T);
  const double l1 = ReducedDegrees(175.4762 + 1221.5515 * T);
  const double l2 = ReducedDegrees(267.2635 + 1222.1136 * T);
  const double nodePrime = ReducedDegrees(41.28 - 0.5219 * y);
  const double g0 = ReducedDegrees(275.837 + 0.5219 * y);
  const double sinJ = std::sin(0.0052185344634799995);
  const double i0 = 0.47891136543179197 + sinJ * std::cos(nodePrime);
  const double node0 = 2.944164499272264 + sinJ * std::sin(nodePrime) / std::sin(SaturnEquatorTilt);
  const double theta1 =
      AngleFromXY(std::sin(a1) * std::sin(node0 - b1),
                  std::cos(a1) * std::sin(i0) - std::sin(a1) * std::cos(i0) * std::cos(node0 - b1));
  const double theta2 = AngleFromXY(
      0, std::sin(i0) * std::cos(a1) * std::cos(node0 - b1) - std::sin(a1) * std::cos(i0));
  const double u = l2 - theta2 - b1;
  const double g = g0 - node0 - theta1;
  const double w = 2 * u + theta1;
  const double lambda =
      NormalizeAngle((261.3121 + 22.57697385 * d) * DegToRad +
                     std::tan(0.2448696940556) * sinJ * std::sin(nodePrime) -
                     0.000176 * std::sin(l1) - 0.000215 * std::sin(2 * u) + 5.7e-05 * std::sin(w));
  MoonElements el;
  el.a = 0.00816765;
  el.e = 0.028815 - 0.000184 * std::cos(2 * g) + 7.3e-05 * std::cos(2 * (u - g));
  const double varpi = g0 + 0.0063 * std::sin(2 * g) + 0.0025 * std::sin(2 * (u - g));
  el.varpi = NormalizeAngle(varpi);
  el.i = NormalizeAngle(i0 + 0.000232 * std::cos(w));
  el.node = NormalizeAngle(node0 + 0.000503 * std::sin(w));
  el.m = NormalizeAngle(lambda - varpi);
  return el;
}

MoonElements HyperionTheory(double t) {
  const double D = t - 2415020.0;
  const double tau = (t - 2433282.42345905) * 0.002737909255830788 + 50.0;
  const double eta = Fmod360ToRadians(93.13 + 0.562039 * D);
  const double zeta = Fmod360ToRadians(148.72 - 19.184 * tau);
  const double psi = Fmod360ToRadians(105.31 - 2.392 * tau);
  const double chi = Fmod360ToRadians(38.73 - 0.5353 * tau);
  const double theta = Fmod360ToRadians(13.0 + 24.44 * tau);
  const double phi = Fmod360ToRadians(31.9 + 61.7524 * tau);
  MoonElements el;
  el.a = 0.009904 - 3.422e-05 * std::cos(eta);
  el.e = 0.10441 + 0.02321 * std::cos(zeta) - 0.00401 * std::cos(eta) -
         0.0011 * std::cos(2 * zeta) + 0.00013 * std::cos(phi) + 9e-05 * std::cos(zeta - eta);
  el.i = NormalizeAngle(
      SaturnEquatorTilt +
      (0.62 * std::cos(psi) + 0.315 * std::cos(chi) - 0.747 - 0.018 * std::cos(theta)) * DegToRad);
  el.node = NormalizeAngle(SaturnEquatorNode + (0.62 * std::sin(psi) + 0.315 * std::sin(chi) -
                                                0.061 - 0.018 * std::sin(theta)) *
                                                   DegToRad / std::sin(0.47670177859876));
  el.varpi =
      NormalizeAngle((69.993 - 18.6702 * tau - 13.36 * std::sin(zeta) + 2.16 * std::sin(2 * zeta) -
                      0.47 * std::sin(eta) + 0.07 * std::sin(phi) + 0.1507 * std::sin(psi)) *
                     DegToRad);
  const double lambda =
      (176.7481 + 16.9199514 * D + 9.089 * std::sin(eta) + 0.211 * std::sin(zeta + eta) +
       0.192 * std::sin(zeta - eta) + 0.1507 * std::sin(psi) - 0.091 * std::sin(zeta) +
       0.017 * std::sin((8.0 + 24.44 * tau) * DegToRad) - 0.014 * std::sin(3 * eta) -
       0.013 * std::sin((176.0 + 12.22 * tau) * DegToRad) + 0.007 * std::sin(2 * eta)) *
      DegToRad;
  el.m = NormalizeAngle(lambda - el.varpi);
  return el;
}

// Iapetus after Harper and Taylor as condensed by Meeus: mean elements on the 1950 ecliptic with
// the periodic terms of the Sun and Titan; the semi-major axis in Saturn radii.
MoonElements IapetusTheory(double t) {
  const double t4 = t - 2411368.0, t5 = t4 / 365.25;
  const double t7 = (t - 2415020.0) / 36525, t10 = t - 2409786.0, t11 = t10 / 36525;
  const double w4 = 276.59 + 0.5118 * t5, w5 = 267.2635 + 1222.1136 * t7;
  const double titanLon = 261.1582 + 22.57697855 * t4;
  const double varpiSun = 91.796 + 0.562 * t7, psi = 4.367 - 0.195 * t7;
  const double theta = 146.819 - 3.198 * t7, phi = 60.470 + 1.521 * t7,
               bigPhi = 205.055 - 2.091 * t7;
  const double e0 = 0.028298 + 0.001156 * t11, varpi0 = 352.91 + 11.71 * t11;
  const double mu = 76.3852 + 4.53795125 * t10;
  const double i0 = 18.4602 - 0.9518 * t11 - 0.072 * t11 * t11 + 0.0054 * t11 * t11 * t11;
  const double node0 = 143.198 - 3.919 * t11 + 0.116 * t11 * t11 + 0.008 * t11 * t11 * t11;
  const double l = mu - varpi0, g = varpi0 - node0 - psi, g1 = varpi0 - node0 - phi;
  const double ls = w5 - varpiSun, gs = varpiSun - theta, lT = titanLon - w4, gT = w4 - bigPhi;
  const double u1 = 2 * (l + g - ls - gs), u2 = l + g1 - lT - gT, u3 = l + 2 * (g - ls - gs);
  const double u4 = lT + gT - g1, u5 = 2 * (ls + gs);
  auto sinD = [](double deg) { return std::sin(deg * DegToRad); };
  auto cosD = [](double deg) { return std::cos(deg * DegToRad); };
  MoonElements el;
  el.a = (58.935028 + 0.004638 * cosD(u1) + 0.058222 * cosD(u2)) * SaturnRadiusAu;
  el.e = e0 - 0.0014097 * cosD(g1 - gT) + 0.0003733 * cosD(u5 - 2 * g) + 0.0001180 * cosD(u3) +
         0.0002408 * cosD(l) + 0.0002849 * cosD(l + u2) + 0.0006190 * cosD(u4);
  const double w = 0.08077 * sinD(g1 - gT) + 0.02139 * sinD(u5 - 2 * g) - 0.00676 * sinD(u3) +
                   0.01380 * sinD(l) + 0.01632 * sinD(l + u2) + 0.03547 * sinD(u4);
  const double varpi = varpi0 + w / e0;
  const double lambda = mu - 0.04299 * sinD(u2) - 0.00789 * sinD(u1) - 0.06312 * sinD(ls) -
                        0.00295 * sinD(2 * ls) - 0.02231 * sinD(u5) + 0.00650 * sinD(u5 + psi);
  const double i = i0 + 0.04204 * cosD(u5 + psi) + 0.00235 * cosD(l + g1 + lT + gT + phi) +
                   0.00360 * cosD(u2 + phi);
  const double wNode =
      0.04204 * sinD(u5 + psi) + 0.00235 * sinD(l + g1 + lT + gT + phi) + 0.00358 * sinD(u2 + phi);
  el.i = ReducedDegrees(i);
  el.varpi = ReducedDegrees(varpi);
  el.node = ReducedDegrees(node0 + wNode / sinD(i0));
  el.m = ReducedDegrees(lambda - varpi);
  return el;
}

MoonElements PhoebeTheory(double t) {
  const double d = t - 2433282.5, y = d * YearsPerDay;
  MoonElements el;
  el.a = 0.0865752;
  el.e = 0.16326;
  el.i = ReducedDegrees(173.949 - 0.02 * y);
  const double varpi = ReducedDegrees(280.165 - 0.19586 * y);
  el.varpi = varpi;
  el.node = ReducedDegrees(245.998 - 0.41353 * y);
  el.m = NormalizeAngle(ReducedDegrees(277.872 - 0.6541068 * d) - varpi);
  return el;
}

}  // namespace

MoonElements SaturnMoonTheory(int kind, double t) {
  switch (kind) {
    case KindRhea:
      return RheaTheory(t);
    case KindTitan:
      return TitanTheory(t);
    case KindHyperion:
      return HyperionTheory(t);
    case KindIapetus:
      return IapetusTheory(t);
    case KindPhoebe:
      return PhoebeTheory(t);
    default:
      break;
  }
  const int index = kind - KindMimas;
  if (index < 0 || index >= static_cast<int>(std::size(InnerMoons))) return MoonElements{};
  return InnerMoonTheory(InnerMoons[index], t);
}

const Matrix3& SaturnMoonFrame(int kind) {
  static const Matrix3 equator = [] {  // Mimas to Dione: Saturn's equator on the 1950 equator
    Matrix3 m;
    BuildRotation(m, {{AxisX, 6.67 * DegToRad}, {AxisZ, 128.4 * DegToRad}});
    Multiply(PrecessionFrom1950(), m);
    return m;
  }();
  static const Matrix3 ecliptic = [] {  // Rhea to Phoebe: the 1950 ecliptic
    Matrix3 m;
    ObliquityRotation(m, MeanObliquity(B1950), -1);
    Multiply(PrecessionFrom1950(), m);
    return m;
  }();
  return kind <= KindDione ? equator : ecliptic;
}

}  // namespace qv
