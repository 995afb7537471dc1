// qv's work from scripts: a 1600 x 1000 chart written in each format (drawing, encoding and
// writing the file), over a database of the default solar-system file in a temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/settings.h"
#include "astro/skycontext.h"
#include "chart/chart_files.h"
#include "objects/database.h"
#include "objects/import.h"
#include "objects/store.h"
#include "platform/events.h"

namespace qv {
namespace {

constexpr int Width = 1600, Height = 1000;
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
  const char* const extensions[] = {"", ".png", ".bmp", ".gif", ".tif", ".jpg", ".wmf", ".svg", ".pdf"};
  const auto format = static_cast<ChartFileFormat>(state.range(0));
  const std::string path = (folder / (std::string("chart") + extensions[format])).string();
  for (auto _ : state) benchmark::DoNotOptimize(WriteChartFile(path, format, Rect{0, 0, Width, Height}));
  state.SetLabel(extensions[format]);
}
BENCHMARK_REGISTER_F(QvBench, WriteChartFile)
    ->DenseRange(ChartFormatPNG, ChartFormatPDF)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
