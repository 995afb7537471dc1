// Animation on the default database at 1920 x 1080: one step of the program's animation (the
// time moved a day, a point recorded in five planet trails of 1,000 points, the sky brought up
// to date and the chart drawn anew, at 32 bits and at the 8 bits of saving), and one frame of
// that chart appended to an animated GIF.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/chart_views.h"
#include "bench/default_database.h"
#include "chart/animation_gif.h"
#include "chart/drawing.h"
#include "chart/trail_paths.h"
#include "chart/trails.h"
#include "objects/sky.h"
#include "platform/events.h"
#include "platform/files.h"
#include "settings/settings.h"

namespace qv {
namespace {

using bench::Height;
using bench::Width;

constexpr int TrailPoints = 1000;
constexpr ObjectKind TrailedPlanets[] = {KindMercury, KindVenus, KindMars, KindJupiter, KindSaturn};

// AnimationStep: the program's step without the window: the trails record, the day passes, the
// sky and the chart follow.
Image* AnimationStep(Image* image, int depth) {
  ChartSettings& s = Settings();
  RecordTrailPoints(s.ChartCoordinateSystem);
  s.JulianDate += 1;
  UpdateSkyContext();
  return RenderChartImage(Rect{0, 0, Width, Height}, depth, image, s);
}

// StartTrails: the default view with full trails of the five planets, ticks every 10 points and
// dates every 50.
bool StartTrails(benchmark::State& state) {
  InitPlatform();
  if (!bench::OpenDefaultDatabase(state)) return false;
  bench::StartFromDefaultView();
  DeleteAllTrails();
  for (ObjectKind kind : TrailedPlanets)
    if (const ObjectRecord* planet = SolarSystemBodyOfKind(kind))
      CreateTrail(planet->id, TrailInSky, TrailPoints, 10, 50);
  for (int k = 0; k < TrailPoints; ++k) {
    RecordTrailPoints(Settings().ChartCoordinateSystem);
    Settings().JulianDate += 1;
    UpdateSkyContext();
  }
  return true;
}

void StopTrails() {
  DeleteAllTrails();
  bench::CloseDefaultDatabase();
}

void BM_AnimationStep(benchmark::State& state) {
  if (!StartTrails(state)) return;
  const int depth = static_cast<int>(state.range(0));
  Image* image = nullptr;
  for (auto _ : state) {
    image = AnimationStep(image, depth);
    benchmark::DoNotOptimize(image);
  }
  state.counters["steps/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
  DisposeImage(image);
  StopTrails();
}
BENCHMARK(BM_AnimationStep)->Arg(32)->Arg(AnimationImageDepth)->Unit(benchmark::kMillisecond);

void BM_AppendAnimationFrame(benchmark::State& state) {
  if (!StartTrails(state)) return;
  Image* image = AnimationStep(nullptr, AnimationImageDepth);
  const std::string path = PathBesideProgram("bench_animation.gif");
  GifStream* gif = StartAnimationGif(path, image);
  if (!gif) state.SkipWithError("cannot create the GIF beside the benchmark program");
  for (auto _ : state) {
    if (!gif) break;
    benchmark::DoNotOptimize(AppendAnimationFrame(gif, image));
  }
  if (gif) EndAnimationGif(gif);
  DeleteFileAt(path);
  DisposeImage(image);
  StopTrails();
}
BENCHMARK(BM_AppendAnimationFrame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
