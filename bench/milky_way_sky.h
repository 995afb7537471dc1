// Random sky directions for the synthetic catalogs of the benchmarks: uniform over the sphere,
// crowded toward the Milky Way as real stars are.
#pragma once

#include <cmath>
#include <random>

#include "astro/angles.h"
#include "astro/vector.h"

namespace qv::bench {

struct MilkyWaySky {
  std::mt19937 random{20240601};
  std::uniform_real_distribution<double> unit{0.0, 1.0};

  // A direction drawn uniformly over the sphere, kept with a chance that grows toward the
  // galactic plane (90 degrees from the galactic pole, 192.85948 +27.12825 J2000).
  Vector3 MilkyWayDirection() {
    constexpr double deg = 0.017453292519943295;
    const Vector3 pole = SphericalToRectangular(192.85948 * deg, 27.12825 * deg, 1);
    for (;;) {
      const double z = 2 * unit(random) - 1, lon = TwoPi * unit(random);
      const double rho = std::sqrt(1 - z * z);
      const Vector3 v{rho * std::cos(lon), rho * std::sin(lon), z};
      const double b = std::asin(Dot(v, pole)) / deg;
      if (unit(random) < 0.25 + 0.75 * std::exp(-(b * b) / 225)) return v;
    }
  }
};

}  // namespace qv::bench
