// Rotation building and vector transforms: the inner step of every apparent place.
#include <benchmark/benchmark.h>

#include "astro/angles.h"
#include "astro/vector.h"

namespace qv {
namespace {

void BM_BuildRotationThreeAxes(benchmark::State& state) {
  Matrix3 m;
  double a = 0.1;
  for (auto _ : state) {
    BuildRotation(m, {{AxisZ, a}, {AxisY, -a}, {AxisZ, 2 * a}});
    benchmark::DoNotOptimize(m);
    a += 1e-6;
  }
}
BENCHMARK(BM_BuildRotationThreeAxes);

void BM_TransformAndSpherical(benchmark::State& state) {
  Matrix3 m;
  BuildRotation(m, {{AxisX, 0.409}});
  Vector3 v{0.3, 0.4, 0.866};
  for (auto _ : state) {
    Transform(m, v);
    benchmark::DoNotOptimize(RectangularToSpherical(v));
  }
}
BENCHMARK(BM_TransformAndSpherical);

}  // namespace
}  // namespace qv
