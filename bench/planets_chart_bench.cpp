// A whole chart drawing with Jupiter and Saturn 300 pixels in radius, rendered from surface maps
// read beside the program (decoded at the first drawing and kept), Saturn with its rings. The
// argument is the maps' width: 2048 (the largest the default data makes) or 1024 (Jupiter's map in
// the default data; Saturn's there is 512).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "astro/angles.h"
#include "chart/drawing.h"
#include "chart/surface_maps.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/image_files.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int Width = 1600, Height = 1000;
constexpr double Degree = 0.017453292519943295;

void WriteBandedMap(const std::string& path, int width, int height) {
  Image* map = NewImage(width, height, 32);
  uint32_t seed = 12345;
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      seed = seed * 1664525u + 1013904223u;
      const int band = (row / 37) % 2 ? 200 : 150, grain = int(seed >> 27);
      SetPixelValue(map, ImageRow(map, row), column,
                    PixelValueFromRGB(band + grain, band * 3 / 4 + grain, band / 2 + grain));
    }
  }
  WriteImageJPEG(map, path);
  DisposeImage(map);
}

ObjectId AddBody(ObjectId file, ObjectKind kind, double raDeg, double radiusAu) {
  auto record = NewRecord(kind);
  OrbitRecord& orbit = *OrbitOf(*record);
  orbit.current = DirectionFromVector(SphericalToRectangular(raDeg * Degree, 0, 1));
  orbit.currentDistance = 1;
  orbit.radius = static_cast<float>(radiusAu);
  orbit.currentMagnitude = -200;
  orbit.physical = {0, 0.1f, static_cast<float>(270 * Degree)};
  MarkCurrent(*record, PlanetGeneration());
  return AddObject(record, file);
}

void BM_ChartWithJupiterAndSaturn(benchmark::State& state) {
  InitPlatform();
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "quorvane_planet_bench";
  std::filesystem::create_directories(folder / "Images");
  const int mapWidth = static_cast<int>(state.range(0));
  WriteBandedMap((folder / "Images/Jupiter.jpg").string(), mapWidth, mapWidth / 2);
  WriteBandedMap((folder / "Images/Saturn.jpg").string(), mapWidth, mapWidth / 2);
  WriteBandedMap((folder / "Images/Saturn-Rings.jpg").string(), 512, 8);
  SetProgramPath((folder / "quorvane").string());

  ChartSettings& s = Settings() = DefaultSettings(32);
  s.ChartProjection = ProjectionLambert;
  s.ChartCoordinateSystem = CoordinatesEquatorial;
  s.ChartCenterLongitude = 0;
  s.ChartCenterLatitude = 0;
  s.ChartFieldWidth = 2 * Degree;
  s.ShowHorizonMask = false;
  s.ShowChartLegend = false;
  s.ShowConstellations = false;
  s.ShowStars = false;
  s.ShowDeepSkyObjects = false;
  s.ShowRenderedObjects = true;
  UpdateSkyContext();
  auto file = NewDatabaseFile("Bench.qvd");
  const ObjectId fileId = RegisterFile(file);
  // 300 pixels at 1 AU on a 2-degree Lambert chart 1600 pixels wide.
  const double scale = (Width / 2) / std::tan(s.ChartFieldWidth / 4);
  const double radius = std::sin(2 * std::atan(300.5 / scale));
  AddBody(fileId, KindJupiter, 0.5, radius);
  AddBody(fileId, KindSaturn, -0.5, radius);

  Image* image = nullptr;
  for (auto _ : state) image = RenderChartImage(Rect{0, 0, Width, Height}, 32, image, Settings());
  state.counters["map_bytes"] = static_cast<double>(SurfaceMapBytesHeld());
  ReleaseSurfaceMaps();
  DisposeImage(image);
  UnregisterFile(fileId);
  SetProgramPath("");
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ChartWithJupiterAndSaturn)->Arg(2048)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
