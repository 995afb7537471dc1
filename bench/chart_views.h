// The chart views the chart benchmarks draw: the settings the program starts with at a fixed
// time and place, the whole sky and equatorial fields, and the drawing repeated into one
// 1920 x 1080 image.
#pragma once

#include <benchmark/benchmark.h>

#include "chart/drawing.h"
#include "chart/magnitudes.h"
#include "chart/view.h"
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

// The whole sky to magnitude 8 in Mollweide, no horizon: the field set as the menu sets it
// (the limits follow it), then Fainter until the faint limit reaches 8.0.
inline void ShowWholeSkyToMagnitude8() {
  ChartSettings& s = Settings();
  s.ChartProjection = ProjectionMollweide;
  s.ChartCoordinateSystem = CoordinatesEquatorial;
  s.ChartCenterLongitude = 0;
  s.ChartCenterLatitude = 0;
  s.ShowHorizonMask = false;
  SetFieldWidth(s, TwoPi);
  ShiftMagnitudeLimits(s, 800 - s.FaintestStarMagnitude);
}

// An equatorial Lambert chart of the field (radians) centred at (ra, dec), no horizon; the
// automatic magnitude limits follow the field.
inline void ShowEquatorialField(double ra, double dec, double field) {
  ChartSettings& s = Settings();
  s.ChartProjection = ProjectionLambert;
  s.ChartCoordinateSystem = CoordinatesEquatorial;
  s.ChartCenterLongitude = ra;
  s.ChartCenterLatitude = dec;
  s.ShowHorizonMask = false;
  SetFieldWidth(s, field);
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
