// The default database beside the program (build/Database, or $QV_DATA_DIR/Database) for the
// benchmarks that draw from it: opened with alerts off, and closed again.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "objects/database.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/result.h"

namespace qv::bench {

inline std::string DefaultIndexPath() {
  const char* dir = std::getenv("QV_DATA_DIR");
  return std::string(dir ? dir : "build") + "/Database/Index.qvd";
}

// OpenDefaultDatabase: false, with the benchmark skipped, when there is none.
inline bool OpenDefaultDatabase(benchmark::State& state) {
  SetAlertSwitch(false);
  CloseDatabase();
  Store() = ObjectStore();
  if (OpenDatabase(DefaultIndexPath()) == ResultOk) return true;
  state.SkipWithError("no default database: run tools/make_default_data.sh");
  return false;
}

inline void CloseDefaultDatabase() {
  CloseDatabase();
  Store() = ObjectStore();
}

}  // namespace qv::bench
