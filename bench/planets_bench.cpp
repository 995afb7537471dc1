// Rendered planets: a 300-pixel globe from a 2048 x 1024 surface map, Saturn's rings around it,
// and reading such a map from JPEG bytes, which every drawing of a rendered body does.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "chart/planet_sphere.h"
#include "chart/planet_view.h"
#include "objects/records.h"
#include "platform/draw.h"
#include "platform/image_files.h"

namespace qv {
namespace {

constexpr int MapWidth = 2048, MapHeight = 1024;
constexpr int Radius = 300;
constexpr double Deg = std::numbers::pi / 180;

// Cloud bands with some texture, so the JPEG coder has real work.
std::vector<uint8_t> BandedMap() {
  std::vector<uint8_t> rgb(size_t(MapWidth) * MapHeight * 3);
  uint32_t seed = 12345;
  for (int row = 0; row < MapHeight; ++row) {
    for (int column = 0; column < MapWidth; ++column) {
      seed = seed * 1664525u + 1013904223u;
      const int band = (row / 37) % 2 ? 200 : 150, grain = int(seed >> 27);
      uint8_t* t = &rgb[(size_t(row) * MapWidth + column) * 3];
      t[0] = uint8_t(band + grain);
      t[1] = uint8_t(band * 3 / 4 + grain);
      t[2] = uint8_t(band / 2 + grain);
    }
  }
  return rgb;
}

PlanetView SaturnView() {
  SkyOnScreen sky;
  GlobeOrientation globe;
  globe.centralLongitude = 40 * Deg;
  globe.centralLatitude = 22 * Deg;
  globe.poleAngle = 5 * Deg;
  globe.phase = 5 * Deg;
  globe.brightLimbAngle = 250 * Deg;
  return MakePlanetView(KindSaturn, 800, 500, Radius, sky, globe);
}

class PlanetBench : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State&) override { image = NewImage(1600, 1000, 32); }
  void TearDown(const benchmark::State&) override { DisposeImage(image); }
  Image* image = nullptr;
  const std::vector<uint8_t> map = BandedMap();
};

BENCHMARK_F(PlanetBench, Globe300)(benchmark::State& state) {
  const PlanetView view = SaturnView();
  for (auto _ : state)
    RenderGlobe(image, view, SurfaceMap{MapWidth, MapHeight, map.data()}, TintNatural);
}

BENCHMARK_F(PlanetBench, Rings300)(benchmark::State& state) {
  const PlanetView view = SaturnView();
  std::vector<uint8_t> profile(512 * 3, 180);
  for (auto _ : state) {
    RenderRings(image, view, SurfaceMap{512, 1, profile.data()}, RingsBehind, TintNatural);
    RenderRings(image, view, SurfaceMap{512, 1, profile.data()}, RingsInFront, TintNatural);
  }
}

BENCHMARK_F(PlanetBench, DecodeMap2048)(benchmark::State& state) {
  Image* source = NewImage(MapWidth, MapHeight, 32);
  for (int row = 0; row < MapHeight; ++row) {
    uint8_t* pixels = ImageRow(source, row);
    for (int column = 0; column < MapWidth; ++column) {
      const uint8_t* t = &map[(size_t(row) * MapWidth + column) * 3];
      SetPixelValue(source, pixels, column, PixelValueFromRGB(t[0], t[1], t[2]));
    }
  }
  const std::string path =
      (std::filesystem::temp_directory_path() / "quorvane_bench_map.jpg").string();
  WriteImageJPEG(source, path);
  DisposeImage(source);
  for (auto _ : state) {
    RgbPixels pixels;
    benchmark::DoNotOptimize(ReadJPEG(path, pixels));
  }
}

}  // namespace
}  // namespace qv
