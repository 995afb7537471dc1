// fuzz/milky_way_fuzz.cpp - the Milky Way file over arbitrary bytes: either no outline, or rings
// of levels 1-5 with at least three unit vectors each; and whatever parses is clipped and
// projected on a Lambert chart with the horizon mask and on a whole-sky Mollweide map without
// leaving the drawing surface's 16-bit range.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "chart/milky_way.h"

namespace {

qv::ChartFrame Frame(int projection, double fieldWidth, bool mask) {
  qv::ChartView view;
  view.projection = projection;
  view.system = qv::CoordinatesEquatorial;
  view.centerLon = 1.0;
  view.centerLat = 0.3;
  view.fieldWidth = fieldWidth;
  view.horizonMask = mask;
  return qv::MakeChartFrame(view, qv::Matrix3{}, qv::Vector3{0.2, 0.3, 0.93}, 0, 0, 639, 479);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qv::MilkyWay outline;
  const bool ok =
      qv::ParseMilkyWay(std::string_view(reinterpret_cast<const char*>(data), size), outline);
  if (!ok && !outline.rings.empty()) std::abort();
  for (const qv::MilkyWayRing& ring : outline.rings) {
    if (ring.level < 1 || ring.level > qv::MilkyWayLevels || ring.points.size() < 3) std::abort();
    for (const qv::Vector3& p : ring.points) {
      if (!(std::fabs(qv::Length(p) - 1) < 1e-9)) std::abort();
    }
  }
  for (const qv::ChartFrame& frame : {Frame(qv::ProjectionLambert, 1.5, true),
                                      Frame(qv::ProjectionMollweide, 6.283185307179586, false)}) {
    for (const qv::MilkyWayArea& area : qv::MilkyWayAreas(outline, frame)) {
      if (area.level < 1 || area.level > qv::MilkyWayLevels) std::abort();
    }
  }
  return 0;
}
