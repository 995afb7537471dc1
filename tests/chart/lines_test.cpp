// The projected-line engine: clipping to the rectangle, cutting at the horizon, dropping what
// passes behind the Planar observer and splitting at the Mercator and Mollweide seam.
#include "chart/lines.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/angles.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

using test::Deg;

ChartFrame RectFrame() {
  ChartFrame f;
  f.left = 0, f.top = 0, f.right = 800, f.bottom = 600;
  return f;
}

TEST(ClipSegment, KeepsCutsAndRejects) {
  struct Case {
    int32_t x0, y0, x1, y1;
    bool inside;
    int32_t wx0, wy0, wx1, wy1;
  };
  const Case cases[] = {
      {100, 100, 700, 500, true, 100, 100, 700, 500},               // wholly inside
      {100, -50, 700, -10, false, 0, 0, 0, 0},                      // wholly above
      {-100, -100, 900, 700, true, 25, 0, 775, 600},                // diagonal: two edges
      {-100, 50, 50, -100, false, 0, 0, 0, 0},                      // passes the corner outside
      {-2000000000, 300, 2000000000, 300, true, 0, 300, 800, 300},  // far ends, no overflow
      {400, -1000000000, 400, 1000000000, true, 400, 0, 400, 600},
      {0, 0, 800, 600, true, 0, 0, 800, 600},  // edges are inside
      {801, 0, 900, 600, false, 0, 0, 0, 0},
  };
  const ChartFrame f = RectFrame();
  for (const Case& c : cases) {
    int32_t x0 = c.x0, y0 = c.y0, x1 = c.x1, y1 = c.y1;
    ASSERT_EQ(ClipSegment(f, x0, y0, x1, y1), c.inside) << c.x0 << "," << c.y0;
    if (!c.inside) continue;
    EXPECT_EQ(x0, c.wx0);
    EXPECT_EQ(y0, c.wy0);
    EXPECT_EQ(x1, c.wx1);
    EXPECT_EQ(y1, c.wy1);
  }
}

// Horizon charts: the system matrix is a rotation whose third row is the zenith.
struct HorizonSky {
  Matrix3 horizon;
  ChartFrame frame;
  Vector3 Store(double az, double alt) const {  // horizon coordinates -> store frame, length R
    Vector3 v = SphericalToRectangular(az, alt, DirectionLength);
    TransformTransposed(horizon, v);
    return v;
  }
  double Altitude(int32_t x, int32_t y) const {  // altitude under a pixel
    Vector3 v;
    EXPECT_TRUE(ChartToSky(frame, x, y, v));
    return std::asin(Dot(v, frame.zenith));
  }
};

HorizonSky MakeHorizonSky(int projection, double fieldDeg, double centreAz, double centreAlt) {
  HorizonSky sky;
  BuildRotation(sky.horizon, {{AxisZ, 0.8}, {AxisY, -0.6}});
  ChartView view;
  view.projection = projection;
  view.system = CoordinatesHorizon;
  view.centerLon = centreAz;
  view.centerLat = centreAlt;
  view.fieldWidth = fieldDeg * Deg;
  view.horizonMask = true;
  const Vector3 zenith{sky.horizon.m[2][0], sky.horizon.m[2][1], sky.horizon.m[2][2]};
  sky.frame = MakeChartFrame(view, sky.horizon, zenith, 0, 0, 2000, 1500);
  return sky;
}

TEST(LineToSky, GreatCircleIsCutExactlyAtTheHorizon) {
  // A great circle tilted 30 degrees to the horizon, crossing it at azimuths 0 and 180, seen
  // in a 240-degree Lambert chart centred on the eastern horizon: both crossings are in view.
  const HorizonSky sky = MakeHorizonSky(ProjectionLambert, 240, 90 * Deg, 0);
  // Near 90 degrees from the centre one pixel spans about 1/900 rad in this chart.
  constexpr double PixelTol = 0.004;
  Matrix3 tilt;
  BuildRotation(tilt, {{AxisX, 30 * Deg}});
  ChartPen pen;
  int rising = 0, sinking = 0, drawnSteps = 0;
  for (int i = 0; i <= 72; ++i) {
    Vector3 p = SphericalToRectangular(i * 5.3 * Deg, 0, 1);  // 5.3: no vertex on the horizon
    Transform(tilt, p);
    const Spherical s = RectangularToSpherical(p);
    const Vector3 v = sky.Store(s.lon, s.lat);
    if (i == 0) {
      TraceMoveTo(pen, sky.frame, v);
      continue;
    }
    const LineStep step = TraceLineTo(pen, sky.frame, v);
    if (!step.drawn) continue;
    ++drawnSteps;
    for (int k = 0; k < step.pieceCount; ++k) {
      const LinePiece& piece = step.pieces[k];
      EXPECT_GT(sky.Altitude(piece.x0, piece.y0), -PixelTol) << i;
      EXPECT_GT(sky.Altitude(piece.x1, piece.y1), -PixelTol) << i;
    }
    if (!step.startVisible) {  // entering from below: starts on the horizon
      EXPECT_NEAR(sky.Altitude(step.x0, step.y0), 0, PixelTol) << i;
      ++rising;
    }
    if (!step.endVisible) {  // leaving downward: ends on the horizon
      EXPECT_NEAR(sky.Altitude(step.x1, step.y1), 0, PixelTol) << i;
      ++sinking;
    }
  }
  EXPECT_EQ(rising, 1);
  EXPECT_EQ(sinking, 1);
  EXPECT_GT(drawnSteps, 30);
}

TEST(LineToSky, BelowTheHorizonNothingIsDrawnAndNothingIsVisible) {
  const HorizonSky sky = MakeHorizonSky(ProjectionLambert, 180, 0, 0);
  ChartPen pen;
  TraceMoveTo(pen, sky.frame, sky.Store(-0.2, -0.1));
  EXPECT_FALSE(pen.visible);
  const LineStep step = TraceLineTo(pen, sky.frame, sky.Store(0.2, -0.05));
  EXPECT_FALSE(step.drawn);
  EXPECT_FALSE(step.endVisible);
  // Without the mask the same segment is drawn.
  ChartFrame unmasked = sky.frame;
  unmasked.horizonMask = false;
  TraceMoveTo(pen, unmasked, sky.Store(-0.2, -0.1));
  EXPECT_TRUE(TraceLineTo(pen, unmasked, sky.Store(0.2, -0.05)).drawn);
}

ChartFrame EquatorialFrame(int projection, double fieldDeg) {
  ChartView view;
  view.projection = projection;
  view.system = CoordinatesEquatorial;
  view.fieldWidth = fieldDeg * Deg;
  return MakeChartFrame(view, Matrix3{}, {0, 0, 1}, 0, 0, 800, 600);
}

Vector3 OnEquator(double lonDeg) {
  return SphericalToRectangular(lonDeg * Deg, 0, DirectionLength);
}

TEST(LineToSky, PlanarDropsSegmentsReachingBehindTheObserver) {
  const ChartFrame f = EquatorialFrame(ProjectionPlanar, 90);
  ChartPen pen;
  TraceMoveTo(pen, f, OnEquator(20));
  EXPECT_TRUE(pen.visible);
  EXPECT_FALSE(TraceLineTo(pen, f, OnEquator(120)).drawn);  // end behind: depth below 1
  EXPECT_FALSE(TraceLineTo(pen, f, OnEquator(10)).drawn);   // start behind
  EXPECT_TRUE(TraceLineTo(pen, f, OnEquator(-10)).drawn);   // both in front
}

TEST(LineToSky, SeamSplitsALineBehindTheCentreIntoTwoPieces) {
  for (int projection : {ProjectionMercator, ProjectionMollweide}) {
    SCOPED_TRACE(projection);
    const ChartFrame f = EquatorialFrame(projection, 360);  // the map spans x = 0 .. 800
    ChartPen pen;
    TraceMoveTo(pen, f, OnEquator(170));
    const LineStep step = TraceLineTo(pen, f, OnEquator(190));
    ASSERT_TRUE(step.drawn);
    ASSERT_EQ(step.pieceCount, 2);
    const LinePiece& a = step.pieces[0];
    const LinePiece& b = step.pieces[1];
    EXPECT_NEAR(a.x0, 400 - 400 * 170 / 180.0, 1);
    EXPECT_LE(a.x1, 1);    // runs out to the left edge of the map
    EXPECT_GE(b.x0, 799);  // and comes back in from the right
    EXPECT_NEAR(b.x1, 400 + 400 * 170 / 180.0, 1);
    EXPECT_EQ(a.y1, 300);
    EXPECT_TRUE(b.mustMove);
    EXPECT_FALSE(step.startVisible);
    EXPECT_FALSE(step.endVisible);
    EXPECT_FALSE(pen.visible);
    // The same crossing in front of the centre is one piece.
    TraceMoveTo(pen, f, OnEquator(-10));
    EXPECT_EQ(TraceLineTo(pen, f, OnEquator(10)).pieceCount, 1);
  }
}

TEST(LineToSky, ReportsClippedEndsAndVisibility) {
  const ChartFrame f = EquatorialFrame(ProjectionLambert, 60);  // 30 degrees each side
  ChartPen pen;
  TraceMoveTo(pen, f, OnEquator(10));
  LineStep step = TraceLineTo(pen, f, OnEquator(50));  // leaves through the left edge
  ASSERT_TRUE(step.drawn);
  EXPECT_TRUE(step.startVisible);
  EXPECT_FALSE(step.endVisible);
  EXPECT_EQ(step.x1, 0);
  EXPECT_EQ(step.y1, 300);
  step = TraceLineTo(pen, f, OnEquator(0));  // comes back in
  EXPECT_FALSE(step.startVisible);
  EXPECT_TRUE(step.endVisible);
  EXPECT_EQ(step.x0, 0);
  EXPECT_EQ(step.x1, 400);
}

}  // namespace
}  // namespace qv
