// The default database beside the program (build/Database, or $QV_DATA_DIR/Database): opening
// its index, and reading the files a wide chart at the default limits draws from (the bright
// star and deep-sky layers, the constellation lines and the solar system).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "objects/database.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/result.h"

namespace qv {
namespace {

std::string DefaultIndexPath() {
  const char* dir = std::getenv("QV_DATA_DIR");
  return std::string(dir ? dir : "build") + "/Database/Index.qvd";
}

bool Open(benchmark::State& state) {
  SetAlertSwitch(false);
  if (OpenDatabase(DefaultIndexPath()) == ResultOk) return true;
  state.SkipWithError("no default database: run tools/make_default_data.sh");
  return false;
}

void Close() {
  CloseDatabase();
  Store() = ObjectStore();
}

void BM_OpenDefaultIndex(benchmark::State& state) {
  for (auto _ : state) {
    if (!Open(state)) break;
    benchmark::DoNotOptimize(FileCount());
    Close();
  }
}
BENCHMARK(BM_OpenDefaultIndex)->Unit(benchmark::kMillisecond);

void BM_ReadWideChartFiles(benchmark::State& state) {
  const char* files[] = {"SolarSystem.qvd", "Stars0.qvd", "DeepSky0.qvd", "Figures.qvd",
                         "Boundaries.qvd"};
  for (auto _ : state) {
    if (!Open(state)) break;
    for (const char* name : files) {
      const DatabaseFile* file = FindFileByName(name);
      if (file) benchmark::DoNotOptimize(EnsureLoaded(file->fileId));
    }
    Close();
  }
}
BENCHMARK(BM_ReadWideChartFiles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
