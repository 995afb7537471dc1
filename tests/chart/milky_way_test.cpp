// The Milky Way's fill on charts of a made-up outline: a band between two rings around the sky
// along the celestial equator (Dec. -10 to +10 deg) with a dark gap in it, so that what must be
// filled is plain. The band's rings go around the whole sky: filled by the even-odd rule on the
// chart without clipping on the sphere first, it would come out inverted on a chart centred in
// it; and the fill must not depend on which way the rings run.
#include "chart/milky_way.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/chart/canvas.h"
#include "tests/chart/chart_frame.h"

namespace qv {
namespace {

constexpr double Deg = 0.017453292519943295;
constexpr int Width = 400, Height = 300;
const Color Shade = MakeColor(51, 51, 51);  // level 1 of 5 from black to white

Vector3 Unit(double raDeg, double decDeg) {
  return {std::cos(decDeg * Deg) * std::cos(raDeg * Deg),
          std::cos(decDeg * Deg) * std::sin(raDeg * Deg), std::sin(decDeg * Deg)};
}

// A ring around (raDeg, decDeg) of the given radius, or along a parallel when radius is 0.
MilkyWayRing Ring(double raDeg, double decDeg, double radiusDeg) {
  MilkyWayRing ring{1, {}};
  for (int k = 0; k < 360; k += 2) {
    if (radiusDeg == 0) {
      ring.points.push_back(Unit(k, decDeg));
    } else {
      ring.points.push_back(Unit(raDeg + radiusDeg * std::cos(k * Deg) / std::cos(decDeg * Deg),
                                 decDeg + radiusDeg * std::sin(k * Deg)));
    }
  }
  return ring;
}

MilkyWay Band(bool reversed) {
  MilkyWay outline{{Ring(0, 10, 0), Ring(0, -10, 0), Ring(30, 0, 3)}};
  if (reversed) {
    for (MilkyWayRing& r : outline.rings) std::reverse(r.points.begin(), r.points.end());
  }
  return outline;
}

ChartFrame Frame(int projection, double raDeg, double decDeg, double fieldDeg, bool mask = false) {
  return EquatorialFrame(raDeg, decDeg, fieldDeg, mask, {0, 0, 1}, projection, Width - 1,
                         Height - 1);
}

struct Probe {
  double raDeg, decDeg;
  bool filled;
};

void ExpectFill(const ChartFrame& frame, std::initializer_list<Probe> probes) {
  for (bool reversed : {false, true}) {
    Canvas canvas(Width, Height);
    DrawMilkyWay(Band(reversed), frame, MilkyWayShadesBetween(ColorBlack, ColorWhite));
    for (const Probe& p : probes) {
      const ChartPoint at =
          ProjectToChart(frame, Vector3{Unit(p.raDeg, p.decDeg).x * DirectionLength,
                                        Unit(p.raDeg, p.decDeg).y * DirectionLength,
                                        Unit(p.raDeg, p.decDeg).z * DirectionLength});
      ASSERT_TRUE(at.x >= 0 && at.x < Width && at.y >= 0 && at.y < Height)
          << p.raDeg << " " << p.decDeg;
      EXPECT_EQ(canvas.At(at.x, at.y), p.filled ? Shade : ColorBlack)
          << "R.A. " << p.raDeg << " Dec. " << p.decDeg << (reversed ? " reversed" : "");
    }
  }
}

TEST(MilkyWayFill, TheBandIsFilledAndItsGapIsNot) {
  // Centred in the band: the band across the middle, the gap and the sky beyond it empty.
  ExpectFill(Frame(ProjectionLambert, 10, 0, 90),
             {{10, 0, true}, {-20, 8, true}, {30, 0, false}, {10, 20, false}, {10, -25, false}});
  // Far from it: nothing at all is filled.
  Canvas canvas(Width, Height);
  DrawMilkyWay(Band(false), Frame(ProjectionLambert, 0, 70, 60),
               MilkyWayShadesBetween(ColorBlack, ColorWhite));
  EXPECT_TRUE(canvas.Lit().empty());
}

TEST(MilkyWayFill, ANarrowChartInsideTheBandIsFilledWhole) {
  Canvas canvas(Width, Height);
  DrawMilkyWay(Band(false), Frame(ProjectionPlanar, 90, 2, 2),
               MilkyWayShadesBetween(ColorBlack, ColorWhite));
  EXPECT_EQ(canvas.Lit().size(), static_cast<size_t>(Width * Height));
}

TEST(MilkyWayFill, TheWholeSkyAcrossTheSeamAndBelowTheHorizon) {
  // Mollweide centred on R.A. 180: the band runs off both ends of the map.
  ExpectFill(Frame(ProjectionMollweide, 180, 0, 360),
             {{180, 5, true}, {5, 0, true}, {355, 0, true}, {180, 30, false}, {0, -40, false}});
  // The zenith at the celestial pole puts the horizon on the equator: the band's southern half
  // is below it.
  ExpectFill(Frame(ProjectionSpherical, 0, 30, 120, true), {{0, 5, true}, {0, -5, false}});
}

}  // namespace
}  // namespace qv
