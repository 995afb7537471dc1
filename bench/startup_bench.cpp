// The planetarium's start-up as a user waits for it: the real program (build/quorvane, or
// $QV_DATA_DIR/quorvane, with its default database beside it) started off-screen, from launch
// to the first chart painted, where its start-up probe ends it (platform/startup_probe.h).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace qv {
namespace {

void BM_StartupToFirstChart(benchmark::State& state) {
  const char* dir = std::getenv("QV_DATA_DIR");
  const std::filesystem::path program = std::filesystem::path(dir ? dir : "build") / "quorvane";
  if (!std::filesystem::exists(program)) {
    state.SkipWithError("no build/quorvane: build it, or set QV_DATA_DIR");
    return;
  }
  const std::string command = "QT_QPA_PLATFORM=offscreen QUORVANE_EXIT_AT_FIRST_CHART=1 '" +
                              program.string() + "' >/dev/null 2>&1";
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (status != 0) {
      state.SkipWithError("the program did not reach its first chart");
      return;
    }
    state.SetIterationTime(took.count());
  }
}
BENCHMARK(BM_StartupToFirstChart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace qv
