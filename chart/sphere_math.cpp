// chart/sphere_math.cpp - fast arc tangent, arc cosine and light response (see sphere_math.h).
#include "chart/sphere_math.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace qv {
namespace {

using std::numbers::pi;

// [A&S] 4.4.49: atan x = x (1 + a2 x^2 + ... + a16 x^16) on 0 <= x <= 1, error <= 2e-8.
constexpr double AtanCoefficients[] = {-0.3333314528, 0.1999355085, -0.1420889944, 0.1065626393,
                                       -0.0752896400, 0.0429096138, -0.0161657367, 0.0028662257};
// [A&S] 4.4.46: acos x = sqrt(1 - x) (a0 + a1 x + ... + a7 x^7) on 0 <= x <= 1, error <= 2e-8.
constexpr double AcosCoefficients[] = {1.5707963050, -0.2145988016, 0.0889789874, -0.0501743046,
                                       0.0308918810, -0.0170881256, 0.0066700901, -0.0012624911};

constexpr double LightExponent = 0.72;
constexpr int LightSteps = 4096;

double AtanUnit(double t) {  // 0 <= t <= 1
  const double t2 = t * t;
  double sum = 0;
  for (int k = std::size(AtanCoefficients) - 1; k >= 0; --k) sum = (sum + AtanCoefficients[k]) * t2;
  return t * (1 + sum);
}

double AcosUnit(double z) {  // 0 <= z <= 1
  double sum = 0;
  for (int k = std::size(AcosCoefficients) - 1; k >= 0; --k) sum = sum * z + AcosCoefficients[k];
  return std::sqrt(1 - z) * sum;
}

const std::array<double, LightSteps + 2>& LightTable() {
  static const std::array<double, LightSteps + 2> table = [] {
    std::array<double, LightSteps + 2> t{};
    for (int i = 0; i <= LightSteps; ++i) t[i] = std::pow(double(i) / LightSteps, LightExponent);
    t[LightSteps + 1] = 1;  // so that c = 1 may read one entry past its own
    return t;
  }();
  return table;
}

}  // namespace

double FastAtan2(double y, double x) {
  const double ax = std::abs(x), ay = std::abs(y);
  if (ax == 0 && ay == 0) return 0;
  double a = ay > ax ? pi / 2 - AtanUnit(ax / ay) : AtanUnit(ay / ax);
  if (x < 0) a = pi - a;
  return y < 0 ? -a : a;
}

double FastAcos(double z) {
  z = std::clamp(z, -1.0, 1.0);
  return z >= 0 ? AcosUnit(z) : pi - AcosUnit(-z);
}

double LightFactor(double c) {
  if (!(c > 0)) return 0;
  if (c >= 1) return 1;
  const double position = c * LightSteps;
  const int i = static_cast<int>(position);
  const std::array<double, LightSteps + 2>& t = LightTable();
  return t[i] + (t[i + 1] - t[i]) * (position - i);
}

}  // namespace qv
