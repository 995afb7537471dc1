// The position computations of the solar system: the series of the Sun, the Moon and the
// planets, the precise theories (VSOP87D, Pluto), the moon theories, and the Earth-satellite
// models (the simple one and SGP4/SDP4), one call each, and a satellite's next pass.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "astro/moons.h"
#include "astro/planets.h"
#include "astro/satellite.h"
#include "astro/satellite_pass.h"
#include "astro/sgp4.h"
#include "astro/vfp_series.h"
#include "objects/bodies.h"
#include "objects/records.h"
#include "objects/sky.h"
#include "objects/starplace.h"
#include "objects/store.h"
#include "settings/settings.h"

namespace qv {
namespace {

void BM_SeriesAllBodies(benchmark::State& state) {
  double t = 2451545.0;
  for (auto _ : state) {
    for (int kind : {KindSun, KindMoon, KindMercury, KindVenus, KindMars, KindJupiter, KindSaturn,
                     KindUranus, KindNeptune, KindPluto})
      benchmark::DoNotOptimize(SeriesPosition(kind, t));
    t += 0.01;
  }
}
BENCHMARK(BM_SeriesAllBodies);

// The setting "VSOP87": every term of VSOP87D for Mercury to Neptune (the Earth included) and
// Pluto's periodic terms, J2000 equatorial, for one instant.
void BM_PreciseAllPlanets(benchmark::State& state) {
  double t = 2451545.0;
  for (auto _ : state) {
    for (int kind = KindMercury; kind <= KindPluto; ++kind)
      benchmark::DoNotOptimize(PreciseHeliocentricPosition(kind, t));
    t += 0.01;
  }
}
BENCHMARK(BM_PreciseAllPlanets)->Unit(benchmark::kMillisecond);

void BM_AllPlanetaryMoons(benchmark::State& state) {
  double t = 2451545.0;
  for (auto _ : state) {
    for (int kind = KindPhobos; kind <= KindCharon; ++kind)
      benchmark::DoNotOptimize(MoonPosition(kind, t));
    t += 0.01;
  }
}
BENCHMARK(BM_AllPlanetaryMoons);

// A low orbit like a space station's, its rates from the oblateness.
OrbitalElements LowOrbit(double epoch, double drag) {
  OrbitalElements el;
  el.epoch = epoch;
  el.q = 4.5e-5;
  el.e = 0.001;
  el.i = 0.9;
  el.drag = drag;
  SatelliteRates(el);
  return el;
}

void BM_SatellitePosition(benchmark::State& state) {
  const OrbitalElements el = LowOrbit(2461000.5, 1e-5);
  double t = el.epoch;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SatellitePosition(el, t));
    t += 1e-4;
  }
}
BENCHMARK(BM_SatellitePosition);

// One SGP4 position of a prepared orbit: a space station (SGP4), a 12-hour Molniya orbit and a
// geostationary one (SDP4 with their resonances, integrated from the epoch), a day or two on.
void BM_Sgp4Propagate(benchmark::State& state) {
  struct Orbit {
    double revPerDay, e, i;
  };
  const Orbit orbits[] = {{15.49, 0.0006, 0.901}, {2.00613, 0.7241, 1.1074}, {1.00271, 2e-4, 1e-3}};
  const Orbit& o = orbits[state.range(0)];
  Sgp4Elements el;
  el.epoch = 2461138.25;
  el.meanMotion = o.revPerDay;
  el.e = o.e;
  el.i = o.i;
  el.omega = 4.7;
  el.node = 1.4;
  el.m = 0.2;
  el.bstar = 1e-4;
  Sgp4Orbit orbit;
  Sgp4Initialize(el, orbit);
  Sgp4State out;
  double minutes = 1440;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Sgp4Propagate(orbit, minutes, out));
    minutes += 0.1;
    if (minutes > 2880) minutes = 1440;  // the second day after the epoch, over and over
  }
}
BENCHMARK(BM_Sgp4Propagate)->DenseRange(0, 2);

// A satellite record's position under SatelliteModel=SGP4: its drag term, the orbit's set-up,
// the propagation and the frame, all for every call.
void BM_Sgp4SatellitePosition(benchmark::State& state) {
  const OrbitalElements el = LowOrbit(2461138.3, 4.5e-4);
  double t = el.epoch + 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Sgp4SatellitePosition(el, t));
    t += 1e-4;
  }
}
BENCHMARK(BM_Sgp4SatellitePosition);

// The next pass of a space-station orbit under the simple model (0) and SGP4 (1): from a site
// it passes (0: 55 deg south, found within hours) and from the North Pole, which it never passes
// (1: the whole day searched), from start times a little over an hour apart.
void BM_NextSatellitePass(benchmark::State& state) {
  const OrbitalElements el = LowOrbit(2461138.3, 4.5e-4);
  ObservingSettings s;
  s.SatelliteModel = state.range(0) == 1 ? SatelliteSGP4 : SatelliteSimple;
  s.ViewerLatitude = state.range(1) == 1 ? 1.5707963267948966 : -0.9565;
  s.ViewerLongitude = -1.1921;
  double start = el.epoch;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NextSatellitePass(el, s, start));
    start += 0.0471;
    if (start > el.epoch + 2) start = el.epoch;
  }
}
BENCHMARK(BM_NextSatellitePass)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

// The chart's settings with every correction on, seen from a site on the Earth.
void SetUpSky(double jd) {
  ChartSettings& s = Settings();
  s.ViewerLatitude = 0.83;
  s.ViewerLongitude = 0.15;
  s.JulianDate = jd;
  s.Nutation = s.Aberration = s.PlanetLightTime = true;
  s.StarMotion = s.StarParallax = true;
  s.StarMotionThreshold = 0;
  s.StarParallaxThreshold = 0;
  UpdateSkyContext();
}

// Every built-in body of the solar system (Sun, planets, Moon, 23 moons) with light time: what a
// chart redraw after a change of time recomputes.
void BM_ApparentPlaceAllBodies(benchmark::State& state) {
  std::unique_ptr<DatabaseFile> file = NewDatabaseFile("bench-solar.qvd");
  const ObjectId fileId = RegisterFile(file);
  std::vector<ObjectRecord*> bodies;
  ObjectId planet[KindPluto + 1] = {};
  for (int kind = KindSun; kind <= KindCharon; ++kind) {
    if (kind >= KindComet && kind <= KindEarthSatellite) continue;
    std::unique_ptr<ObjectRecord> r = NewRecord(static_cast<ObjectKind>(kind));
    OrbitOf(*r)->radius = 1e-5f;
    if (kind == KindMoon) OrbitOf(*r)->primary = planet[KindEarth];
    if (kind >= KindPhobos) {
      const int parent = kind <= KindDeimos     ? KindMars
                         : kind <= KindCallisto ? KindJupiter
                         : kind <= KindPhoebe   ? KindSaturn
                         : kind <= KindOberon   ? KindUranus
                         : kind <= KindNereid   ? KindNeptune
                                                : KindPluto;
      OrbitOf(*r)->primary = planet[parent];
    }
    const ObjectId id = AddObject(r, fileId);
    if (kind <= KindPluto) planet[kind] = id;
    bodies.push_back(ObjectOfId(id));
  }
  double jd = 2461000.5;
  for (auto _ : state) {
    SetUpSky(jd);
    for (ObjectRecord* body : bodies)
      if (!IsCurrent(*body, PlanetGeneration())) ComputeApparentPlace(*body);
    jd += 0.01;
  }
  state.counters["bodies"] = static_cast<double>(bodies.size());
  UnregisterFile(fileId);
}
BENCHMARK(BM_ApparentPlaceAllBodies)->Unit(benchmark::kMicrosecond);

// 120,000 stars with proper motion, parallax and aberration (a chart of the whole catalog).
void BM_StarPlace120000(benchmark::State& state) {
  std::vector<std::unique_ptr<ObjectRecord>> stars;
  for (int k = 0; k < 120000; ++k) {
    std::unique_ptr<ObjectRecord> r = NewRecord(KindSingleStar);
    SkyObjectRecord* sky = SkyObjectOf(*r);
    const double ra = k * 0.0137, dec = std::asin(std::fmod(k * 0.618034, 2.0) - 1.0);
    sky->position = DirectionFromVector(
        Vector3{std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)});
    sky->motion = DirectionFromVector(Vector3{1e-9, -2e-9, 5e-10});
    sky->distance = static_cast<float>(2e5 + 10 * k);
    sky->visualMagnitude = static_cast<int16_t>(k % 900);
    stars.push_back(std::move(r));
  }
  double jd = 2461000.5;
  for (auto _ : state) {
    state.PauseTiming();
    SetUpSky(jd);
    jd += 1;
    state.ResumeTiming();
    for (auto& star : stars) ComputeStarPlace(*star);
  }
  state.counters["stars"] = 120000;
}
BENCHMARK(BM_StarPlace120000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
