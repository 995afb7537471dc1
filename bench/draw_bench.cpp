// Drawing a full-screen chart image: 100,000 small discs (star symbols) and 100,000 short lines
// (constellation and grid segments) into a 1920 x 1080 32-bit image, and filling it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/draw.h"

namespace qv {
namespace {

constexpr int Width = 1920, Height = 1080, Count = 100000;

struct Spot {
  int x, y, size;
};

// The same pseudo-random spots every run, so figures compare between builds.
std::vector<Spot> Spots() {
  std::vector<Spot> spots(Count);
  uint32_t seed = 12345;
  const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  for (Spot& s : spots)
    s = {int(next() >> 8) % Width, int(next() >> 8) % Height, int(next() >> 8) % 6};
  return spots;
}

class DrawBench : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State&) override {
    image = NewImage(Width, Height, 32);
    BeginImageDrawing(nullptr, image);
  }
  void TearDown(const benchmark::State&) override {
    EndImageDrawing();
    DisposeImage(image);
  }
  Image* image = nullptr;
  const std::vector<Spot> spots = Spots();
};

BENCHMARK_F(DrawBench, FillImage)(benchmark::State& state) {
  SetPen(MakeColor(0, 0, 63), 0, true);
  for (auto _ : state) DrawRect(Rect{0, 0, Width, Height});
  state.SetItemsProcessed(state.iterations() * Width * Height);
}

BENCHMARK_F(DrawBench, SmallDiscs)(benchmark::State& state) {
  for (auto _ : state) {
    for (const Spot& s : spots) {
      SetPen(MakeColor(255, 255 - s.size * 20, 200), 0, true);
      DrawEllipse(s.x - s.size, s.y - s.size, s.x + s.size + 1, s.y + s.size + 1);
    }
  }
  state.SetItemsProcessed(state.iterations() * Count);
}

BENCHMARK_F(DrawBench, ShortLines)(benchmark::State& state) {
  SetPen(MakeColor(0, 127, 255), 1, false);
  for (auto _ : state) {
    for (const Spot& s : spots) DrawLine(s.x, s.y, s.x + 8 * s.size - 20, s.y + 5 * s.size - 12);
  }
  state.SetItemsProcessed(state.iterations() * Count);
}

BENCHMARK_F(DrawBench, ShortLinesPenWidth2)(benchmark::State& state) {
  SetPen(MakeColor(0, 127, 255), 2, false);
  for (auto _ : state) {
    for (const Spot& s : spots) DrawLine(s.x, s.y, s.x + 8 * s.size - 20, s.y + 5 * s.size - 12);
  }
  state.SetItemsProcessed(state.iterations() * Count);
}

}  // namespace
}  // namespace qv
