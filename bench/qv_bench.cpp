// qv's work from scripts: a 1920 x 1080 chart written in each format (drawing, encoding and
// writing the file), one printed page of it with rendered objects, ephemeris rows and a year's
// approach search, over a database of the default solar-system file in a temporary folder; and
// the whole "qv chart" command on the default database beside the program (build/Database, or
// $QV_DATA_DIR/Database).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "chart/chart_files.h"
#include "chart/chart_print.h"
#include "chart/ephemeris.h"
#include "objects/configuration_search.h"
#include "objects/database.h"
#include "objects/import.h"
#include "objects/namesearch.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/print.h"
#include "platform/result.h"
#include "qv/commands.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int Width = 1920, Height = 1080;
constexpr double BenchJulianDate = 2460370.5;  // 2024 March 1, 0h UT

class QvBench : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State&) override {
    InitHeadlessPlatform();
    folder = std::filesystem::temp_directory_path() / "qv-bench-database";
    std::filesystem::remove_all(folder);
    CreateDatabase(folder.string());
    ImportObjectTextFile(std::string(QV_SOURCE_DIR) + "/resources/catalog/SolarSystem.txt");
    SetDefaultSettings(32);
    Settings().JulianDate = BenchJulianDate;
    UpdateSkyContext();
  }
  void TearDown(const benchmark::State&) override {
    CloseDatabase();
    std::filesystem::remove_all(folder);
  }
  std::filesystem::path folder;
};

BENCHMARK_DEFINE_F(QvBench, WriteChartFile)(benchmark::State& state) {
  const char* const extensions[] = {"",     ".png", ".bmp", ".gif", ".tif",
                                    ".jpg", ".wmf", ".svg", ".pdf"};
  const auto format = static_cast<ChartFileFormat>(state.range(0));
  const std::string path = (folder / (std::string("chart") + extensions[format])).string();
  for (auto _ : state)
    benchmark::DoNotOptimize(WriteChartFile(path, format, PaperOfFrame, Rect{0, 0, Width, Height},
                                            Settings(), ChartSources{}));
  state.SetLabel(extensions[format]);
}
BENCHMARK_REGISTER_F(QvBench, WriteChartFile)
    ->DenseRange(ChartFormatPNG, ChartFormatPDF)
    ->Unit(benchmark::kMillisecond);

// One page printed to a PDF file on the default paper, the chart rendered into a page image.
BENCHMARK_DEFINE_F(QvBench, PrintChartPage)(benchmark::State& state) {
  const std::string path = (folder / "page.pdf").string();
  SetPrintDialogHook([&](PrintChoice& choice) {
    choice.outputFile = path;
    return true;
  });
  ChartOptions options = Settings();
  options.ShowRenderedObjects = true;
  for (auto _ : state) {
    if (PrintChart(options, {}) != ResultOk) {
      state.SkipWithError("the page was not printed");
      break;
    }
  }
  SetPrintDialogHook(nullptr);
}
BENCHMARK_REGISTER_F(QvBench, PrintChartPage)->Unit(benchmark::kMillisecond);

ObjectId BodyNamed(const char* name) {
  ObjectId id = 0;
  return FindObjectByName(name, false, true, 0, id) == ResultOk ? id : 0;
}

// Rows a second of 10,000 rows of a daily ephemeris of a planet and of the Moon.
BENCHMARK_DEFINE_F(QvBench, EphemerisRows)(benchmark::State& state) {
  const char* const bodies[] = {"Mars", "Moon"};
  const ObjectId id = BodyNamed(bodies[state.range(0)]);
  if (!id) {
    state.SkipWithError("no such body in SolarSystem.txt");
    return;
  }
  constexpr int Rows = 10000;
  for (auto _ : state) {
    size_t bytes = 0;
    WriteEphemeris(
        [&bytes](std::string_view text) {
          bytes += text.size();
          return true;
        },
        *ObjectOfId(id), Settings(), Settings().ChartCoordinateSystem, BenchJulianDate,
        BenchJulianDate + Rows - 1, 1.0);
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * Rows);
  state.SetLabel(bodies[state.range(0)]);
}
BENCHMARK_REGISTER_F(QvBench, EphemerisRows)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// The closest approach of Jupiter and Saturn in 2020 searched from January 1 at a 1-day step: a
// year of samples, then the refinement around December 21.
BENCHMARK_F(QvBench, FindConfigurationYear)(benchmark::State& state) {
  const ConfigurationSearch search{ObjectOfId(BodyNamed("Jupiter")),
                                   ObjectOfId(BodyNamed("Saturn")), Settings(), true, true};
  if (!search.a || !search.b) {
    state.SkipWithError("no Jupiter or Saturn in SolarSystem.txt");
    return;
  }
  constexpr JulianDate Start = 2458849.5, End = Start + 365;  // 2020 Jan 1 to Dec 31
  for (auto _ : state) {
    ConfigurationFound found;
    benchmark::DoNotOptimize(FindConfiguration(search, Start, End, 1.0, nullptr, found));
  }
}

// The whole command a script runs: open the default database, read the settings, draw the
// 1600 x 1000 chart and write it as PNG.
void BM_QvChartOfTheDefaultDatabase(benchmark::State& state) {
  const char* dir = std::getenv("QV_DATA_DIR");
  const std::string database = std::string(dir ? dir : "build") + "/Database";
  if (!FileExists(database + "/Index.qvd")) {
    state.SkipWithError("no default database: run tools/make_default_data.sh");
    return;
  }
  const std::string chart =
      (std::filesystem::temp_directory_path() / "qv-bench-chart.png").string();
  const QvOutput quiet{[](std::string_view) {}, [](std::string_view) {}};
  for (auto _ : state) {
    if (RunQv({"chart", "--database", database, "--jd", "2460370.5", "--out", chart}, quiet) !=
        QvSuccess) {
      state.SkipWithError("qv chart failed");
      break;
    }
  }
  std::filesystem::remove(chart);
}
BENCHMARK(BM_QvChartOfTheDefaultDatabase)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
