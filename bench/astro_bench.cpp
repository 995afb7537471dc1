// The position computations of the solar system: the series of the Sun, the Moon and the
// planets, the moon theories, and the Earth-satellite model, one call each.
#include <benchmark/benchmark.h>

#include "astro/bodies.h"
#include "astro/moons.h"
#include "astro/satellite.h"
#include "astro/vfp_series.h"

namespace qv {
namespace {

void BM_SeriesAllBodies(benchmark::State& state) {
  double t = 2451545.0;
  for (auto _ : state) {
    for (int kind : {body::Sun, body::Moon, body::Mercury, body::Venus, body::Mars, body::Jupiter,
                     body::Saturn, body::Uranus, body::Neptune, body::Pluto})
      benchmark::DoNotOptimize(SeriesPosition(kind, t));
    t += 0.01;
  }
}
BENCHMARK(BM_SeriesAllBodies);

void BM_AllPlanetaryMoons(benchmark::State& state) {
  double t = 2451545.0;
  for (auto _ : state) {
    for (int kind = body::Phobos; kind <= body::Charon; ++kind)
      benchmark::DoNotOptimize(MoonPosition(kind, t));
    t += 0.01;
  }
}
BENCHMARK(BM_AllPlanetaryMoons);

void BM_SatellitePosition(benchmark::State& state) {
  OrbitalElements el;
  el.epoch = 2461000.5;
  el.q = 4.5e-5;
  el.e = 0.001;
  el.i = 0.9;
  el.drag = 1e-5;
  SatelliteRates(el);
  double t = el.epoch;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SatellitePosition(el, t));
    t += 1e-4;
  }
}
BENCHMARK(BM_SatellitePosition);

}  // namespace
}  // namespace qv
