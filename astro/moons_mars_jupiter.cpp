// astro/moons_mars_jupiter.cpp - Phobos and Deimos in their Laplace planes; Io, Europa, Ganymede
// and Callisto from their mean longitudes and main periodic terms [M ch. 44].
#include <cmath>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/kinds.h"
#include "astro/moon_theories.h"

namespace qv {
namespace {

constexpr double MarsMoonEpoch = 2441266.5;

struct LaplacePlane {
  double node, tilt;  // degrees, referred to the J2000 equator
};

LaplacePlane MarsMoonPlane(int kind, double years) {
  if (kind == KindPhobos) return {47.39 - 0.0014 * years, 37.27 + 0.0008 * years};
  return {46.37 - 0.0014 * years, 36.62 + 0.0008 * years};
}

}  // namespace

MoonElements MarsMoonTheory(int kind, double t) {
  const double d = t - MarsMoonEpoch, y = d * YearsPerDay;
  const double n = MarsMoonPlane(kind, y).node;
  MoonElements el;
  if (kind == KindPhobos) {
    el.a = 6.26974e-05;
    el.e = 0.015;
    el.i = 1.1 * DegToRad;
    const double varpi = 278.96 + 0.43526 * d - n;
    el.node = ReducedDegrees(327.9 - 0.43533 * d);
    el.varpi = ReducedDegrees(varpi);
    el.m = ReducedDegrees(232.41 + 1128.844556 * d + 0.00124 * y * y - varpi - n);
  } else {
    el.a = 0.000156828;
    el.e = 0.0004;
    el.i = 1.79 * DegToRad;
    const double u = (196.55 - 0.01801 * d) * DegToRad;
    const double varpi = 111.7 + 0.01798 * d - n;
    el.node = ReducedDegrees(240.38 - 0.01801 * d);
    el.varpi = ReducedDegrees(varpi);
    el.m = ReducedDegrees(28.96 + 285.161888 * d - 0.27 * std::sin(u) - varpi - n);
  }
  return el;
}

void MarsMoonFrame(int kind, double t, Matrix3& m) {
  const LaplacePlane plane = MarsMoonPlane(kind, (t - MarsMoonEpoch) * YearsPerDay);
  BuildRotation(m, {{AxisX, plane.tilt * DegToRad}, {AxisZ, plane.node * DegToRad}});
}

namespace {

constexpr double JupiterMoonEpoch = 2443000.5;

// The slowly moving angles shared by the four moons (radians).
struct GalileanArguments {
  double l1, l2, l3, l4;  // mean longitudes
  double psi;             // origin of longitudes on Jupiter's equator
  double pi3, pi4;        // longitudes of perijove of Ganymede and Callisto
  double w1, w2, w3, w4;  // longitudes of the nodes
  double gPrime, g;       // great inequality and Callisto's solar term
};

GalileanArguments GalileanArgumentsAt(double t) {
  const double d = t - JupiterMoonEpoch;
  GalileanArguments a;
  a.l1 = Fmod360ToRadians(106.07859 + 203.4889553630643 * d);
  a.l2 = Fmod360ToRadians(175.733787 + 101.3747245566245 * d);
  a.l3 = Fmod360ToRadians(120.5613855 + 50.31760915340462 * d);
  a.l4 = Fmod360ToRadians(84.455823 + 21.57107087517961 * d);
  a.psi = Fmod360ToRadians(316.500101 - 2.48e-06 * d);
  a.pi3 = Fmod360ToRadians(187.550171 + 0.00712408 * d);
  a.pi4 = Fmod360ToRadians(335.309254 + 0.00183939 * d);
  a.w1 = Fmod360ToRadians(308.365749 - 0.1328061 * d);
  a.w2 = Fmod360ToRadians(100.438938 - 0.03261535 * d);
  a.w3 = Fmod360ToRadians(118.908928 - 0.00717678 * d);
  a.w4 = Fmod360ToRadians(322.746564 - 0.00176018 * d);
  a.gPrime = Fmod360ToRadians(184.415351 + 0.17356902 * d);
  a.g = Fmod360ToRadians(30.2380210168 + 0.08309256178969453 * d);
  return a;
}

// One moon's perturbed place: longitude correction sigma, radius factor rho, latitude z / a.
struct GalileanPlace {
  double a, longitude, sigma, rho, z;
};

GalileanPlace IoPlace(const GalileanArguments& g) {
  GalileanPlace p{0.002819347, g.l1, 0, 0, 0};
  p.sigma = 0.0082363 * std::sin(2 * (g.l1 - g.l2)) - 0.0005596 * std::sin(g.pi3 - g.pi4);
  p.rho = 1 - 0.0041279 * std::cos(2 * (g.l1 - g.l2));
  p.z = 0.0007038 * std::sin(g.l1 - g.w1 + p.sigma);
  return p;
}

GalileanPlace EuropaPlace(const GalileanArguments& g) {
  GalileanPlace p{0.004485872, g.l2, 0, 0, 0};
  p.sigma = -0.018564 * std::sin(g.l1 - g.l2) + 0.0006394 * std::sin(g.l2 - g.pi3) +
            0.0003172 * std::sin(g.gPrime) + 0.0007571 * std::sin(g.l1 - 2 * g.l2 + g.pi3) +
            0.0004159 * std::sin(g.l1 - 2 * g.l2 + g.pi4) + 0.0003451 * std::sin(g.l2 - g.pi4);
  p.rho = 1 + 0.0093748 * std::cos(g.l1 - g.l2) - 0.0003187 * std::cos(g.l2 - g.pi3);
  const double theta = g.l2 - g.psi + p.sigma;
  p.z = 0.0081575 * std::sin(g.l2 - g.w2 + p.sigma) + 0.0004512 * std::sin(g.l2 - g.w3 + p.sigma) -
        0.0003286 * std::sin(theta);
  return p;
}

GalileanPlace GanymedePlace(const GalileanArguments& g) {
  GalileanPlace p{0.007155352, g.l3, 0, 0, 0};
  p.sigma = 0.0029387 * std::sin(g.l3 - g.pi3) + 0.00158 * std::sin(g.l3 - g.pi4) -
            0.0012038 * std::sin(g.l2 - g.l3) + 0.0003218 * std::sin(2 * (g.l3 - g.l4)) +
            0.0006558 * std::sin(g.pi3 - g.pi4);
  p.rho = 1 + 0.0006333 * std::cos(g.l2 - g.l3) - 0.0014691 * std::cos(g.l3 - g.pi3);
  const double theta = g.l3 - g.psi + p.sigma;
  p.z = 0.0032387 * std::sin(g.l3 - g.w3 + p.sigma) - 0.0016876 * std::sin(theta) +
        0.0006871 * std::sin(g.l3 - g.w4 + p.sigma);
  return p;
}

GalileanPlace CallistoPlace(const GalileanArguments& g) {
  constexpr double JupiterPerihelion = 0.2351027442949454;  // radians
  GalileanPlace p{0.012585436, g.l4, 0, 0, 0};
  p.sigma = 0.0145573 * std::sin(g.l4 - g.pi4) - 0.0006112 * std::sin(g.pi3 - g.pi4) -
            0.0005605 * std::sin(g.g) - 0.000484 * std::sin(2 * (g.psi - JupiterPerihelion)) -
            0.0003318 * std::sin(g.l4 - g.pi3);
  p.rho = 1 - 0.0073328 * std::cos(g.l4 - g.pi4);
  const double theta = g.l4 - g.psi + p.sigma;
  p.z = 0.00443 * std::sin(g.l4 - g.w4 + p.sigma) - 0.0076439 * std::sin(theta) -
        0.0005075 * std::sin(g.l4 - g.w3 + p.sigma);
  return p;
}

}  // namespace

Vector3 JupiterMoonRectangular(int kind, double t) {
  const GalileanArguments g = GalileanArgumentsAt(t);
  GalileanPlace p{};
  switch (kind) {
    case KindIo:
      p = IoPlace(g);
      break;
    case KindEuropa:
      p = EuropaPlace(g);
      break;
    case KindGanymede:
      p = GanymedePlace(g);
      break;
    case KindCallisto:
      p = CallistoPlace(g);
      break;
    default:
      return Vector3{};
  }
  const double theta = p.longitude - g.psi + p.sigma;
  return Vector3{p.a * p.rho * std::cos(theta), p.a * p.rho * std::sin(theta), p.a * p.z};
}

const Matrix3& JupiterMoonFrame() {
  // Jupiter's equator -> its orbit -> the 1950 ecliptic -> the 1950 equator -> J2000.
  static const Matrix3 m = [] {
    Matrix3 f;
    BuildRotation(f, {{AxisX, 3.10401 * DegToRad},
                      {AxisZ, 216.502561 * DegToRad},
                      {AxisX, 1.30691 * DegToRad},
                      {AxisZ, 99.99754 * DegToRad},
                      {AxisX, 23.4457889 * DegToRad}});
    Multiply(PrecessionFrom1950(), f);
    return f;
  }();
  return m;
}

}  // namespace qv
