// The chart views the chart benchmarks draw: the settings the program starts with at a fixed
// time and place, and the drawing repeated into one 1920 x 1080 image.
#pragma once

#include <benchmark/benchmark.h>

#include "chart/drawing.h"
#include "objects/sky.h"
#include "settings/settings.h"

namespace qv::bench {

constexpr double Deg = 0.017453292519943295;
constexpr int Width = 1920, Height = 1080;

// The settings the program starts with, at 2023 Feb 24, 0h UT, from 45 N 10 E: the Lambert
// projection, horizon coordinates, 180 degrees, stars to 5.5.
inline void StartFromDefaultView() {
  Settings() = DefaultSettings(32);
  Settings().JulianDate = 2460000.5;
  Settings().ViewerLatitude = 45 * Deg;
  Settings().ViewerLongitude = 10 * Deg;
  UpdateSkyContext();
}

inline void RenderRepeatedly(benchmark::State& state) {
  Image* image = nullptr;
  for (auto _ : state) {
    image = RenderChartImage(Rect{0, 0, Width, Height}, 32, image, Settings());
    benchmark::DoNotOptimize(image);
  }
  DisposeImage(image);
}

}  // namespace qv::bench
