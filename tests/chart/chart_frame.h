// Chart frames for tests: an equatorial chart of a centre and field in degrees.
#pragma once

#include "chart/projection.h"
#include "tests/support/degree.h"

namespace qv {

inline ChartFrame EquatorialFrame(double lonDeg, double latDeg, double fieldDeg, bool mask = false,
                                  Vector3 zenith = {0, 0, 1}, int projection = ProjectionLambert,
                                  int right = 800, int bottom = 600) {
  ChartView view;
  view.projection = projection;
  view.system = CoordinatesEquatorial;
  view.centerLon = lonDeg * test::Deg;
  view.centerLat = latDeg * test::Deg;
  view.fieldWidth = fieldDeg * test::Deg;
  view.horizonMask = mask;
  return MakeChartFrame(view, Matrix3{}, zenith, 0, 0, right, bottom);
}

}  // namespace qv
