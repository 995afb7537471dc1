// The chart options of a test's drawings: the program's settings record belongs to a layer above
// the chart, so these tests keep their own, beside the observing settings of tests/objects.
#pragma once

#include "chart/chart_options.h"
#include "tests/objects/test_sky.h"

namespace qv::test {

inline ChartOptions& Options() {
  static ChartOptions options;
  return options;
}

}  // namespace qv::test
