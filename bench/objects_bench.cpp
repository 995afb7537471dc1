// bench/objects_bench.cpp - the object database: opening an index of 1,000 files (the index
// only), reading a full database file of 16,000 stars, and a name search through 120,000 objects
// that finds nothing (the longest search).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "astro/angles.h"
#include "objects/database.h"
#include "objects/dbfile.h"
#include "objects/namesearch.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/files.h"
#include "platform/result.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

class BenchFolder {
 public:
  BenchFolder() {
    std::string pattern = (fs::temp_directory_path() / "qv-bench-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
    SetAlertPresenter([](int, int, int, const std::string&) { return static_cast<int>(AnswerOk); });
  }
  ~BenchFolder() {
    CloseDatabase();
    Store() = ObjectStore();
    SetAlertPresenter(nullptr);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// A star with a designation and, for one in ten, a name, spread over the sky.
std::unique_ptr<ObjectRecord> BenchStar(int k) {
  auto star = NewRecord(KindSingleStar);
  SkyObjectRecord& sky = *SkyObjectOf(*star);
  sky.position =
      DirectionFromVector(SphericalToRectangular(k * 0.001, std::sin(k * 0.37) * 1.5, 1));
  sky.visualMagnitude = static_cast<int16_t>(k % 1200);
  const std::string hd = "HD " + std::to_string(k % 999999 + 1);
  SetObjectName(*star, k % 10 == 0 ? hd + "; Star " + std::to_string(k) : hd);
  return star;
}

ObjectId FillFile(const std::string& name, int first, int count) {
  std::unique_ptr<DatabaseFile> file = NewDatabaseFile(name);
  const ObjectId fileId = RegisterFile(file);
  for (int k = 0; k < count; ++k) {
    auto star = BenchStar(first + k);
    AddObject(star, fileId);
  }
  return fileId;
}

void OpenIndexOfThousandFiles(benchmark::State& state) {
  BenchFolder folder;
  std::vector<IndexEntry> entries;
  for (uint32_t n = 1; n <= 1000; ++n) {
    entries.push_back({MakeObjectId(n, 0), 16000, {}, "Stars/Region" + std::to_string(n) + ".qvd"});
  }
  ReplaceFileContents(folder / "Index.qvd", EncodeIndexFile(entries));
  for (auto _ : state) {
    if (OpenDatabase(folder / "Index.qvd") != ResultOk) state.SkipWithError("open failed");
    CloseDatabase();
  }
}
BENCHMARK(OpenIndexOfThousandFiles)->Unit(benchmark::kMillisecond);

void ReadFullDatabaseFile(benchmark::State& state) {
  BenchFolder folder;
  Store().databaseDirectory = folder / "";
  const ObjectId fileId = FillFile("full.qvd", 0, MaxObjectsPerFile);
  WriteDatabaseFile(*FileOfId(fileId));
  FreeTable(*FileOfId(fileId));
  for (auto _ : state) {
    if (EnsureLoaded(fileId) != ResultOk) state.SkipWithError("read failed");
    state.PauseTiming();
    FreeTable(*FileOfId(fileId));
    state.ResumeTiming();
  }
}
BENCHMARK(ReadFullDatabaseFile)->Unit(benchmark::kMillisecond);

void SearchNameThroughAllObjects(benchmark::State& state) {
  BenchFolder folder;
  Store().databaseDirectory = folder / "";
  for (int f = 0; f < 8; ++f) FillFile("part" + std::to_string(f) + ".qvd", f * 15000, 15000);
  ObjectId found = 0;
  for (auto _ : state) {
    if (FindObjectByName("no such star", false, false, 0, found) != ResultNotFound) {
      state.SkipWithError("found something");
    }
  }
  state.counters["objects"] = TotalObjectCount();
}
BENCHMARK(SearchNameThroughAllObjects)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
