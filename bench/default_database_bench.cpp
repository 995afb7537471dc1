// The default database beside the program (build/Database, or $QV_DATA_DIR/Database): opening
// its index, reading the files a wide chart at the default limits draws from (the bright star
// and deep-sky layers, the constellation lines and the solar system), and drawing charts from
// it at 1920 x 1080: the chart the program starts with (whole, and one step of dragging it), and
// one degree on the Pleiades.
#include <benchmark/benchmark.h>

#include "app/chart_mouse.h"
#include "bench/chart_views.h"
#include "bench/default_database.h"
#include "chart/drawing.h"
#include "chart/projection.h"
#include "chart/view.h"
#include "objects/database.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "platform/events.h"
#include "settings/settings.h"

namespace qv {
namespace {

using bench::CloseDefaultDatabase;
using bench::Deg;
using bench::Height;
using bench::OpenDefaultDatabase;
using bench::RenderRepeatedly;
using bench::StartFromDefaultView;
using bench::Width;

void BM_OpenDefaultIndex(benchmark::State& state) {
  for (auto _ : state) {
    if (!OpenDefaultDatabase(state)) break;
    benchmark::DoNotOptimize(FileCount());
    CloseDefaultDatabase();
  }
}
BENCHMARK(BM_OpenDefaultIndex)->Unit(benchmark::kMillisecond);

void BM_ReadWideChartFiles(benchmark::State& state) {
  const char* files[] = {"SolarSystem.qvd", "Stars0.qvd", "DeepSky0.qvd", "Figures.qvd",
                         "Boundaries.qvd"};
  for (auto _ : state) {
    if (!OpenDefaultDatabase(state)) break;
    for (const char* name : files) {
      const DatabaseFile* file = FindFileByName(name);
      if (file) benchmark::DoNotOptimize(EnsureLoaded(file->fileId));
    }
    CloseDefaultDatabase();
  }
}
BENCHMARK(BM_ReadWideChartFiles)->Unit(benchmark::kMillisecond);

void BM_DrawDefaultChart(benchmark::State& state) {
  InitPlatform();
  if (!OpenDefaultDatabase(state)) return;
  StartFromDefaultView();
  RenderRepeatedly(state);
  CloseDefaultDatabase();
}
BENCHMARK(BM_DrawDefaultChart)->Unit(benchmark::kMillisecond);

// One step of dragging the chart the program starts with: the centre moved by a few pixels and
// the chart drawn with the lighter options of a drag.
void BM_DragStepOnDefaultChart(benchmark::State& state) {
  InitPlatform();
  if (!OpenDefaultDatabase(state)) return;
  StartFromDefaultView();
  Image* image = RenderChartImage(Rect{0, 0, Width, Height}, 32, nullptr, Settings());
  int step = 0;
  for (auto _ : state) {
    const ChartFrame& frame = CurrentChartFrame();
    const int dx = ++step % 2 ? 4 : -4;  // back and forth: the view stays the default one
    CenterAtPixel(Settings(), frame.cx + dx, frame.cy);
    image = RenderChartImage(Rect{0, 0, Width, Height}, 32, image, DraggedChartOptions(Settings()));
    benchmark::DoNotOptimize(image);
  }
  DisposeImage(image);
  CloseDefaultDatabase();
}
BENCHMARK(BM_DragStepOnDefaultChart)->Unit(benchmark::kMillisecond);

// The same without the Milky Way: the difference is what filling its five levels costs.
void BM_DrawDefaultChartWithoutTheMilkyWay(benchmark::State& state) {
  InitPlatform();
  if (!OpenDefaultDatabase(state)) return;
  StartFromDefaultView();
  Settings().ShowMilkyWay = false;
  RenderRepeatedly(state);
  CloseDefaultDatabase();
}
BENCHMARK(BM_DrawDefaultChartWithoutTheMilkyWay)->Unit(benchmark::kMillisecond);

void BM_DrawOneDegreeOnThePleiades(benchmark::State& state) {
  InitPlatform();
  if (!OpenDefaultDatabase(state)) return;
  StartFromDefaultView();
  ChartSettings& s = Settings();
  s.ChartCoordinateSystem = CoordinatesEquatorial;
  s.ChartCenterLongitude = 56.75 * Deg;
  s.ChartCenterLatitude = 24.12 * Deg;
  s.ShowHorizonMask = false;
  SetFieldWidth(s, 1 * Deg);  // the automatic limits follow: stars to about 13
  RenderRepeatedly(state);
  CloseDefaultDatabase();
}
BENCHMARK(BM_DrawOneDegreeOnThePleiades)->Unit(benchmark::kMillisecond);

// 90 degrees around Orion with every object labelled: the label placement's cost is the
// difference between the two arguments (1: AvoidLabelOverlap on, 0: off).
void BM_DrawOrionWithAllLabels(benchmark::State& state) {
  InitPlatform();
  if (!OpenDefaultDatabase(state)) return;
  StartFromDefaultView();
  ChartSettings& s = Settings();
  s.ChartCoordinateSystem = CoordinatesEquatorial;
  s.ChartCenterLongitude = 83.8 * Deg;
  s.ChartCenterLatitude = 0;
  s.ShowHorizonMask = false;
  s.ShowObjectLabels = true;
  s.AvoidLabelOverlap = state.range(0) != 0;
  SetFieldWidth(s, 90 * Deg);
  s.FaintestStarLabelMagnitude = s.FaintestDeepSkyLabelMagnitude = NoMagnitudeLimit;
  s.FaintestPlanetLabelMagnitude = NoMagnitudeLimit;
  RenderRepeatedly(state);
  CloseDefaultDatabase();
}
BENCHMARK(BM_DrawOrionWithAllLabels)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
