// astro/corrections.cpp - observer offset, Earth velocity, aberration, refraction.
// Sources in corrections.h.
#include "astro/corrections.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "astro/constants.h"

namespace qv {

Vector3 ObserverGeocentricPosition(double s, double phi, double h, double a, double f) {
  const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
  const double k = (1 - f) * (1 - f);
  const double c = 1 / std::sqrt(cosPhi * cosPhi + k * sinPhi * sinPhi);
  const double sTerm = k * c;
  return Vector3{(a * c + h) * cosPhi * std::cos(s), (a * c + h) * cosPhi * std::sin(s),
                 (a * sTerm + h) * sinPhi};
}

namespace {

// One argument of the velocity series: coefficients of sin and cos for x', y', z', each
// c0 + c1 T, in 1e-8 AU per day [M table 23.A].
struct VelocityTerm {
  double xs0, xs1, xc0, xc1;
  double ys0, ys1, yc0, yc1;
  double zs0, zs1, zc0, zc1;
};

// Argument multipliers of L3, L5, L6, L', F, M' for the nine terms below.
struct VelocityArgument {
  int l3, l5, l6, lm, f, mm;
};

constexpr VelocityArgument VelocityArguments[] = {
    {1, 0, 0, 0, 0, 0}, {2, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0},
    {0, 0, 0, 1, 0, 0}, {3, 0, 0, 0, 0, 0}, {0, 0, 1, 0, 0, 0},
    {0, 0, 0, 0, 1, 0}, {0, 0, 0, 1, 0, 1}, {0, 2, 0, 0, 0, 0},
};

constexpr VelocityTerm VelocityTerms[] = {
    {-1719914, -2, -25, 0, 25, -13, 1578089, 156, 10, 32, 684185, -358},
    {6434, 141, 28007, -107, 25697, -95, -5904, -130, 11141, -48, -2559, -55},
    {715, 0, 0, 0, 6, 0, -657, 0, -15, 0, -282, 0},
    {715, 0, 0, 0, 0, 0, -656, 0, 0, 0, -285, 0},
    {486, -5, -236, -4, -216, -4, -446, 5, -94, 0, -193, 0},
    {159, 0, 0, 0, 2, 0, -147, 0, -6, 0, -61, 0},
    {0, 0, 0, 0, 0, 0, 26, 0, 0, 0, -59, 0},
    {39, 0, 0, 0, 0, 0, -36, 0, -5, 0, -16, 0},
    {33, 0, -10, 0, -9, 0, -30, 0, 0, 0, -13, 0},
};

}  // namespace

Vector3 EarthVelocity(double jde) {
  const double T = (jde - J2000) * CenturiesPerDay;
  const double l3 = 1.7534703 + 628.3075849 * T, l5 = 0.5995465 + 52.9690965 * T;
  const double l6 = 0.8740168 + 21.3299095 * T, lm = 3.8103444 + 8399.6847337 * T;
  const double f = 1.6279052 + 8433.4661601 * T, mm = 2.3555559 + 8328.6914289 * T;
  Vector3 v;
  for (size_t k = 0; k < std::size(VelocityTerms); ++k) {
    const VelocityArgument& m = VelocityArguments[k];
    const VelocityTerm& c = VelocityTerms[k];
    const double arg = m.l3 * l3 + m.l5 * l5 + m.l6 * l6 + m.lm * lm + m.f * f + m.mm * mm;
    const double s = std::sin(arg), co = std::cos(arg);
    v.x += (c.xs0 + c.xs1 * T) * s + (c.xc0 + c.xc1 * T) * co;
    v.y += (c.ys0 + c.ys1 * T) * s + (c.yc0 + c.yc1 * T) * co;
    v.z += (c.zs0 + c.zs1 * T) * s + (c.zc0 + c.zc1 * T) * co;
  }
  return Vector3{v.x * 1e-8, v.y * 1e-8, v.z * 1e-8};
}

double Aberrate(const Vector3& p, const Vector3& beta, Vector3& out) {
  const double g = std::sqrt(1 - Dot(beta, beta));
  const double length = Length(p);
  const double u = length > 0 ? Dot(p, beta) / length : 0;
  const double k = (1 + u / (1 + g)) * length;
  out = Vector3{(g * p.x + k * beta.x) / (1 + u), (g * p.y + k * beta.y) / (1 + u),
                (g * p.z + k * beta.z) / (1 + u)};
  return (1 - u) / g;
}

double Refraction(double h, double pressureMbar, double temperatureC) {
  // Saemundsson's constants [Sa]: arc-minutes, degrees, and the conditions they hold for.
  constexpr double ScaleArcmin = 1.02, Numerator = 10.3, Offset = 5.11;
  constexpr double FormulaMbar = 1010.0, FormulaKelvin = 283.0;
  const double lowest = std::sqrt(Numerator) - Offset;  // where the formula peaks (Note 2)
  const double deg = std::max(h * RadToDeg, lowest);
  const double arcmin = ScaleArcmin / std::tan((deg + Numerator / (deg + Offset)) * DegToRad);
  const double scale = pressureMbar / FormulaMbar * FormulaKelvin / (temperatureC + 273.0);
  return std::max(arcmin, 0.0) * scale / 60.0 * DegToRad;
}

}  // namespace qv
