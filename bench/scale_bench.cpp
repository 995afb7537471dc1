// A catalog the size of Tycho-2 through the normal store: 2.5 million synthetic stars to
// magnitude 12, crowded toward the Milky Way, split by the catalog converter's magnitude layers
// and sky regions into database files written by the store, with their index. The benchmarks
// open that index, chart a 10-degree field to magnitude 12 and the whole sky to magnitude 8 at
// 1920 x 1080, and read every file to report the memory the whole catalog takes.
//
// The files are made once, in a scratch folder, and kept between runs (about a minute to make);
// delete the folder to make them again.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "astro/angles.h"
#include "bench/chart_views.h"
#include "bench/milky_way_sky.h"
#include "chart/magnitudes.h"
#include "objects/database.h"
#include "objects/designations.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "platform/result.h"
#include "settings/settings.h"
#include "tools/catalog/layers.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using bench::Deg;

constexpr int StarCount = 2500000;
constexpr double FaintestMagnitude = 12;

// The converter's star layers, with the faint stars of a deep catalog in smaller regions, so
// that a narrow field reads a few files of its own part of the sky.
const std::vector<MagnitudeLayer> ScaleLayers = {
    {5.5, 0}, {7.5, 45}, {9.5, 30}, {10.5, 15}, {INFINITY, 10}};

fs::path ScaleFolder() { return fs::temp_directory_path() / "quorvane-scale-bench-1"; }
std::string ScaleIndexPath() { return (ScaleFolder() / "Index.qvd").string(); }

struct StarMaker : bench::MilkyWaySky {
  // N(< m) grows as 10^(0.45 m) up to the faint end: about 40,000 stars to 8, as on the sky.
  SkyEntry Star() {
    SkyEntry e;
    const Spherical s = RectangularToSpherical(MilkyWayDirection());
    e.position = {s.lon / Deg, s.lat / Deg};
    e.magnitude = FaintestMagnitude + std::log10(std::max(unit(random), 1e-12)) / 0.45;
    e.colorIndex = -0.3 + 2.3 * unit(random);
    const double pick = unit(random);
    e.kind = pick < 0.9 ? KindSingleStar : pick < 0.95 ? KindMultipleStar : KindVariableStar;
    e.motion = StarMotion{40 * (unit(random) - 0.5), 40 * (unit(random) - 0.5), {}};
    return e;
  }
};

// The record of a star as the importer makes it: position, magnitudes, a motion and one
// designation (a Guide Star Catalog number, as Tycho-2 stars carry).
std::unique_ptr<ObjectRecord> StarRecord(const SkyEntry& e, uint32_t serial) {
  auto record = NewRecord(static_cast<ObjectKind>(e.kind));
  SkyObjectRecord& star = *SkyObjectOf(*record);
  const double ra = e.position.raDeg * Deg, dec = e.position.decDeg * Deg;
  star.position = DirectionFromVector(SphericalToRectangular(ra, dec, 1));
  // mas/yr along the east and north unit vectors, as a change of the unit vector per day.
  const double radPerDayPerMas = Deg / 3600000 / 365.25;
  const double east = e.motion->raMas * radPerDayPerMas, north = e.motion->decMas * radPerDayPerMas;
  star.motion = MotionFromPerDay(
      Vector3{-std::sin(ra) * east - std::sin(dec) * std::cos(ra) * north,
              std::cos(ra) * east - std::sin(dec) * std::sin(ra) * north, std::cos(dec) * north});
  star.visualMagnitude = HundredthsFromValue(*e.magnitude);
  star.colorIndex = HundredthsFromValue(*e.colorIndex);
  star.distance = UnknownValue;
  star.radialVelocity = UnknownValue;
  star.companionOffset = UnknownMagnitude;
  star.variabilityOffset = UnknownMagnitude;
  star.catalogNumbers = {
      MakeCatalogNumber(CatalogGSC, (serial / 5000 + 1) * 10000 + serial % 5000)};
  return record;
}

// Writes one converter file as a database file ("Stars4-117.txt" becomes "Stars/Stars4-117.qvd")
// and leaves it registered but out of memory.
bool WriteScaleFile(const SkyFile& file, uint32_t& serial) {
  auto descriptor = NewDatabaseFile("Stars/" + file.name.substr(0, file.name.size() - 4) + ".qvd");
  const ObjectId fileId = RegisterFile(descriptor);
  if (fileId == 0) return false;
  for (const SkyEntry* e : file.entries) {
    auto record = StarRecord(*e, serial++);
    if (AddObject(record, fileId) == 0) return false;
  }
  DatabaseFile& written = *FileOfId(fileId);
  if (WriteDatabaseFile(written) != ResultOk) return false;
  FreeTable(written);
  return true;
}

bool MakeScaleDatabase() {
  fs::remove_all(ScaleFolder());
  if (CreateDatabase(ScaleFolder().string()) != ResultOk) return false;
  std::vector<SkyFile> files;
  {
    StarMaker maker;
    std::vector<SkyEntry> stars;
    stars.reserve(StarCount);
    for (int i = 0; i < StarCount; ++i) stars.push_back(maker.Star());
    files = SplitIntoFiles(stars, ScaleLayers, "Stars");
    uint32_t serial = 0;
    for (const SkyFile& file : files) {
      if (!WriteScaleFile(file, serial)) return false;
    }
  }
  const bool saved = SaveIndex(ScaleIndexPath()) == ResultOk;
  CloseDatabase();
  Store() = ObjectStore();
  return saved;
}

// OpenScaleDatabase: the catalog's index opened (made first when missing), none of its files
// read; false, with the benchmark skipped, when it cannot be made.
bool OpenScaleDatabase(benchmark::State& state) {
  static bool made = false;
  InitPlatform();
  SetAlertSwitch(false);
  CloseDatabase();
  Store() = ObjectStore();
  if (!made && !fs::exists(ScaleIndexPath()) && !MakeScaleDatabase()) {
    state.SkipWithError("the scale catalog could not be written");
    return false;
  }
  made = true;
  if (OpenDatabase(ScaleIndexPath()) == ResultOk) return true;
  state.SkipWithError("the scale catalog could not be opened");
  return false;
}

void CloseScaleDatabase() {
  CloseDatabase();
  Store() = ObjectStore();
}

// The first drawing reads the files the chart needs; it is timed once, apart from the rest.
void RenderFirstThenRepeatedly(benchmark::State& state) {
  const auto start = std::chrono::steady_clock::now();
  Image* image = RenderChartImage(Rect{0, 0, bench::Width, bench::Height}, 32, nullptr, Settings());
  const std::chrono::duration<double, std::milli> first = std::chrono::steady_clock::now() - start;
  DisposeImage(image);
  bench::RenderRepeatedly(state);
  state.counters["first_ms"] = first.count();
  state.counters["files_read"] = Store().loadCounter;
}

void BM_ScaleOpenIndex(benchmark::State& state) {
  if (!OpenScaleDatabase(state)) return;
  CloseScaleDatabase();
  for (auto _ : state) {
    if (OpenDatabase(ScaleIndexPath()) != ResultOk) state.SkipWithError("open failed");
    state.PauseTiming();
    state.counters["files"] = FileCount();
    state.counters["stars"] = TotalObjectCount();
    CloseScaleDatabase();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ScaleOpenIndex)->Unit(benchmark::kMillisecond);

// Ten degrees wide in the Milky Way of Cygnus, stars to magnitude 12.
void BM_ScaleTenDegreeFieldToMagnitude12(benchmark::State& state) {
  if (!OpenScaleDatabase(state)) return;
  bench::StartFromDefaultView();
  bench::ShowEquatorialField(305 * Deg, 40 * Deg, 10 * Deg);
  ChartSettings& s = Settings();
  ShiftMagnitudeLimits(s, 1200 - s.FaintestStarMagnitude);
  RenderFirstThenRepeatedly(state);
  CloseScaleDatabase();
}
BENCHMARK(BM_ScaleTenDegreeFieldToMagnitude12)->Unit(benchmark::kMillisecond);

// The whole sky to magnitude 8 in Mollweide, as the chart benchmark draws it.
void BM_ScaleWholeSkyToMagnitude8(benchmark::State& state) {
  if (!OpenScaleDatabase(state)) return;
  bench::StartFromDefaultView();
  bench::ShowWholeSkyToMagnitude8();
  RenderFirstThenRepeatedly(state);
  CloseScaleDatabase();
}
BENCHMARK(BM_ScaleWholeSkyToMagnitude8)->Unit(benchmark::kMillisecond);

// The process's peak resident memory (VmHWM), in MB.
double PeakResidentMb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  double kb = 0;
  while (status >> key) {
    if (key == "VmHWM:") {
      status >> kb;
      break;
    }
  }
  return kb / 1024;
}

// Every file read: the time it takes, the store's own account of the bytes and the process's
// peak resident memory with the whole catalog in memory (a run that made the files first peaks
// while making them: run again for the figure).
void BM_ScaleReadWholeCatalog(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    const bool open = OpenScaleDatabase(state);
    state.ResumeTiming();
    if (!open) return;
    for (ObjectId fileId = FirstFile(); fileId != 0; fileId = NextFile(fileId)) {
      if (EnsureLoaded(fileId) != ResultOk) state.SkipWithError("a file could not be read");
    }
    state.PauseTiming();
    state.counters["store_mb"] = static_cast<double>(Store().bytesInUse) / (1024 * 1024);
    state.counters["peak_rss_mb"] = PeakResidentMb();
    CloseScaleDatabase();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ScaleReadWholeCatalog)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace qv
