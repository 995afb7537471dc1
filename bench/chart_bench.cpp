// Chart drawing at 1920 x 1080 over a synthetic database shaped like the default one: 120,000
// stars and 16,000 deep-sky objects in regional files (15 x 15 degree boxes), crowded toward
// the Milky Way, and constellation figures and boundaries.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "astro/angles.h"
#include "bench/chart_views.h"
#include "bench/milky_way_sky.h"
#include "chart/drawing.h"
#include "objects/records.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "platform/events.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int StarCount = 120000;
constexpr int DeepSkyCount = 16000;
constexpr int BoundaryLines = 1400;
constexpr int FigureLines = 700;
constexpr double RegionDegrees = 15;
using bench::Deg;
using bench::RenderRepeatedly;

struct SyntheticSky : bench::MilkyWaySky {
  ObjectId regions[24][12] = {};
  std::vector<ObjectId> brightStars;

  ObjectId RegionFor(const Vector3& v, const char* folder) {
    const Spherical s = RectangularToSpherical(v);
    const int i = std::min(23, static_cast<int>(s.lon / Deg / RegionDegrees));
    const int j = std::min(11, static_cast<int>((s.lat / Deg + 90) / RegionDegrees));
    ObjectId& id = regions[i][j];
    if (id == 0) {
      auto file = NewDatabaseFile(std::string(folder) + "/r" + std::to_string(i) + "d" +
                                  std::to_string(j) + ".qvd");
      id = RegisterFile(file);
    }
    return id;
  }

  void AddStar() {
    const Vector3 v = MilkyWayDirection();
    // N(< m) grows as 10^(0.45 m): about 3,000 stars to 5.5 and 40,000 to 8, as on the real sky.
    const double m = 9 + std::log10(std::max(unit(random), 1e-12)) / 0.45;
    const double pick = unit(random);
    auto record = NewRecord(pick < 0.9    ? KindSingleStar
                            : pick < 0.95 ? KindMultipleStar
                                          : KindVariableStar);
    SkyObjectRecord& star = *SkyObjectOf(*record);
    star.position = DirectionFromVector(v);
    star.visualMagnitude = HundredthsFromValue(m);
    star.colorIndex = HundredthsFromValue(-0.3 + 2.3 * unit(random));
    star.distance = UnknownValue;
    star.radialVelocity = UnknownValue;
    star.companionOffset = UnknownMagnitude;
    star.variabilityOffset = UnknownMagnitude;
    const ObjectId id = AddObject(record, RegionFor(v, "Stars"));
    if (m < 3.5) brightStars.push_back(id);
  }

  void AddDeepSky() {
    const Vector3 v = MilkyWayDirection();
    auto record =
        NewRecord(static_cast<ObjectKind>(KindOpenCluster + static_cast<int>(unit(random) * 5)));
    SkyObjectRecord& object = *SkyObjectOf(*record);
    object.position = DirectionFromVector(v);
    object.visualMagnitude = HundredthsFromValue(5 + 9 * unit(random));
    object.colorIndex = UnknownMagnitude;
    object.distance = UnknownValue;
    object.radialVelocity = UnknownValue;
    object.companionOffset = UnknownMagnitude;
    object.variabilityOffset = UnknownMagnitude;
    object.size = static_cast<float>((1 + 59 * unit(random) * unit(random)) / 60 * Deg);
    AddObject(record, RegionFor(v, "DeepSky"));
  }

  void AddLines() {
    auto file = NewDatabaseFile("Constellations.qvd");
    const ObjectId fileId = RegisterFile(file);
    // Boundaries: chains of short arcs along parallels and hour circles.
    Vector3 at = MilkyWayDirection();
    for (int i = 0; i < BoundaryLines; ++i) {
      if (i % 8 == 0) at = MilkyWayDirection();
      const Spherical s = RectangularToSpherical(at);
      const Vector3 next =
          i % 2 ? SphericalToRectangular(s.lon + 3 * Deg, s.lat, 1)
                : SphericalToRectangular(s.lon, std::clamp(s.lat + 3 * Deg, -HalfPi, HalfPi), 1);
      auto record = NewRecord(KindPositionLine);
      LineRecord& line = *LineOf(*record);
      line.positions = {DirectionFromVector(at), DirectionFromVector(next)};
      AddObject(record, fileId);
      at = next;
    }
    // Figures: lines between bright stars near each other.
    for (int i = 0; i < FigureLines && brightStars.size() > 1; ++i) {
      auto record = NewRecord(KindObjectLine);
      LineRecord& line = *LineOf(*record);
      line.ends = {brightStars[i % brightStars.size()],
                   brightStars[(i * 7 + 1) % brightStars.size()]};
      if (i % 10 == 0) line.name = "Constellation " + std::to_string(i / 10);
      AddObject(record, fileId);
    }
  }
};

void BuildSky() {
  static bool built = false;
  if (built) return;
  built = true;
  InitPlatform();
  // Files the store writes back when it trims memory go to a scratch folder, never to the
  // folder the benchmark runs in.
  const auto scratch = std::filesystem::temp_directory_path() / "quorvane-chart-bench";
  std::filesystem::create_directories(scratch / "Stars");
  std::filesystem::create_directories(scratch / "DeepSky");
  Store().databaseDirectory = scratch.string() + "/";
  SyntheticSky sky;
  for (int i = 0; i < StarCount; ++i) sky.AddStar();
  for (int i = 0; i < DeepSkyCount; ++i) sky.AddDeepSky();
  sky.AddLines();
}

// The synthetic sky in the settings the program starts with.
void StartFromDefaultView() {
  BuildSky();
  bench::StartFromDefaultView();
}

// The chart as the program starts: Lambert, horizon, 180 degrees, stars to 5.5.
void BM_DefaultView(benchmark::State& state) {
  StartFromDefaultView();
  RenderRepeatedly(state);
}
BENCHMARK(BM_DefaultView)->Unit(benchmark::kMillisecond);

void BM_WholeSkyToMagnitude8(benchmark::State& state) {
  StartFromDefaultView();
  bench::ShowWholeSkyToMagnitude8();
  RenderRepeatedly(state);
}
BENCHMARK(BM_WholeSkyToMagnitude8)->Unit(benchmark::kMillisecond);

// One degree at the galactic centre, zoomed in from the default view: the automatic limits
// reach magnitude 13, beyond every star of the database.
void BM_OneDegreeInTheMilkyWay(benchmark::State& state) {
  StartFromDefaultView();
  bench::ShowEquatorialField(266.4 * Deg, -28.9 * Deg, 1 * Deg);
  RenderRepeatedly(state);
}
BENCHMARK(BM_OneDegreeInTheMilkyWay)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
