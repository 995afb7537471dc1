// Chart frames for tests: an equatorial chart of a centre and field in degrees.
#pragma once

#include "chart/projection.h"

namespace qv {

inline ChartFrame EquatorialFrame(double lonDeg, double latDeg, double fieldDeg, bool mask = false,
                                  Vector3 zenith = {0, 0, 1}, int projection = ProjectionLambert,
                                  int right = 800, int bottom = 600) {
  constexpr double Degree = 0.017453292519943295;
  ChartView view;
  view.projection = projection;
  view.system = CoordinatesEquatorial;
  view.centerLon = lonDeg * Degree;
  view.centerLat = latDeg * Degree;
  view.fieldWidth = fieldDeg * Degree;
  view.horizonMask = mask;
  return MakeChartFrame(view, Matrix3{}, zenith, 0, 0, right, bottom);
}

}  // namespace qv
