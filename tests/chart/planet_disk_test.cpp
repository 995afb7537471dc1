// Flat disks: the lit share of the disk for each phase, the side the Sun lights on plain and
// mirrored charts, globe grids in the body's own longitude sense, and the flat rings' extent and
// halves.
#include "chart/planet_disk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/chart/canvas.h"
#include "tests/chart/planet_globe.h"

namespace qv {
namespace {

using test::Deg;
using test::Globe;
using test::ViewOf;

constexpr Color Lit = MakeColor(200, 200, 100);
constexpr Color Dark = MakeColor(100, 100, 50);
constexpr Color Edge = MakeColor(0, 0, 255);
constexpr Color Ink = MakeColor(255, 255, 255);
constexpr int X = 60, Y = 50, R = 40;
constexpr double West = 270 * Deg;  // the bright limb's position angle with the Sun to the west

int Count(const Canvas& canvas, Color color) {
  int n = 0;
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) n += canvas.At(x, y) == color;
  return n;
}

TEST(PlanetDisk, LitShareOfTheDiskFollowsThePhase) {
  // The lit share of the disk's area is (1 + cos i) / 2. Tolerance 2.5% of the disk: the
  // outline ring (in neither colour) and the 18-point polygons' chords; a terminator on the
  // wrong side or a wrong half-axis misses by 10% or more. Nearly full (i <= 0.05) there is no
  // dark part at all; new or eclipsed (i = pi) no lit rim either.
  for (double phase : {0.04, 0.3, 1.0, std::numbers::pi / 2, 2.2, 2.9, std::numbers::pi}) {
    SCOPED_TRACE(phase);
    Canvas canvas(120, 100);
    DrawFlatDisk(ViewOf(KindMoon, X, Y, R, Globe{.phase = phase, .brightLimb = West}),
                 {Lit, Dark, Edge});
    const double lit = Count(canvas, Lit), dark = Count(canvas, Dark);
    EXPECT_NEAR(lit / (lit + dark), (1 + std::cos(phase)) / 2, 0.025);
    if (phase < 0.05) {
      EXPECT_EQ(dark, 0);
    }
    if (phase == std::numbers::pi) {
      EXPECT_EQ(lit, 0);
    }
  }
  EXPECT_EQ(MakePhaseShadow(ViewOf(KindMoon, X, Y, R, Globe{.phase = 0.049})).count, 0);
  EXPECT_EQ(MakePhaseShadow(ViewOf(KindMoon, X, Y, R, Globe{.phase = 0.051})).count, 36);
}

TEST(PlanetDisk, DiskIsFilledAndOutlinedInItsBox) {
  // The disk (x - r, y - r, x + r + 1, y + r + 1), its outermost pixels the outline's.
  Canvas canvas(120, 100);
  DrawFlatDisk(ViewOf(KindMoon, X, Y, R, Globe{}), {Lit, Dark, Edge});
  const Canvas::Box box = canvas.LitBox();
  EXPECT_EQ(box.left, X - R);
  EXPECT_EQ(box.right, X + R);
  EXPECT_EQ(box.top, Y - R);
  EXPECT_EQ(box.bottom, Y + R);
  EXPECT_EQ(canvas.At(X - R, Y), Edge);
  EXPECT_EQ(canvas.At(X - R + 1, Y), Lit);
}

TEST(PlanetDisk, HalfPhaseTerminatorSplitsTheDiskTowardTheSun) {
  // Sun to the west: lit on the right of a plain chart, on the left of one mirrored left-right.
  for (bool mirrored : {false, true}) {
    SCOPED_TRACE(mirrored);
    Canvas canvas(120, 100);
    const Globe g{.phase = std::numbers::pi / 2, .brightLimb = West, .mirrored = mirrored};
    DrawFlatDisk(ViewOf(KindMoon, X, Y, R, g), {Lit, Dark, Edge});
    const int sunward = mirrored ? -1 : 1;
    for (int d : {3, R / 2, R - 3}) {
      EXPECT_EQ(canvas.At(X + sunward * d, Y), Lit) << d;
      EXPECT_EQ(canvas.At(X - sunward * d, Y), Dark) << d;
    }
    EXPECT_EQ(canvas.At(X + sunward * 3, Y - R / 2), Lit);
    EXPECT_EQ(canvas.At(X - sunward * 3, Y + R / 2), Dark);
  }
}

// The pixels of the equator's row that the grid lights.
std::vector<int> GridColumnsOnEquator(const Globe& g) {
  Canvas canvas(120, 100);
  SetPen(Ink, 1, false);
  DrawPlanetGrid(ViewOf(KindJupiter, X, Y, R, g));
  std::vector<int> columns;
  for (int x = 0; x < canvas.width(); ++x)
    if (canvas.At(x, Y - 4) == Ink) columns.push_back(x);  // just above the equator's own line
  return columns;
}

bool HasColumnNear(const std::vector<int>& columns, double x) {
  return std::any_of(columns.begin(), columns.end(), [x](int c) { return std::abs(c - x) <= 1.0; });
}

TEST(PlanetDisk, GridMeridiansRunInTheBodysLongitudeSense) {
  // Central longitude 20 degrees: meridian 0 lies 20 degrees toward smaller longitudes, meridian
  // 30 ten degrees toward larger ones. Longitudes grow toward the east limb (left on the sky)
  // for bodies that count them against their rotation, toward the west limb for the others, and
  // the other way round on a mirrored chart.
  struct Case {
    bool withRotation, mirrored;
    int largerLongitudes;  // screen side (-1 left, +1 right) of larger longitudes
  };
  for (const Case& c :
       {Case{false, false, -1}, Case{true, false, 1}, Case{false, true, 1}, Case{true, true, -1}}) {
    SCOPED_TRACE(testing::Message() << c.withRotation << c.mirrored);
    const Globe g{
        .centralLongitude = 20 * Deg, .withRotation = c.withRotation, .mirrored = c.mirrored};
    const std::vector<int> columns = GridColumnsOnEquator(g);
    const double up = std::cos(std::asin(4.0 / R));  // the row 4 pixels above the equator
    EXPECT_TRUE(HasColumnNear(columns, X - c.largerLongitudes * R * up * std::sin(20 * Deg)));
    EXPECT_TRUE(HasColumnNear(columns, X + c.largerLongitudes * R * up * std::sin(10 * Deg)));
    EXPECT_FALSE(HasColumnNear(columns, X + c.largerLongitudes * R * up * std::sin(20 * Deg)));
  }
}

TEST(PlanetDisk, GridStaysOnTheVisibleHemisphere) {
  // North pole tilted 20 degrees toward the viewer, central longitude 15 degrees so that no
  // meridian runs down the middle: the equator's near point lies sin 20 r below the centre and is
  // drawn; its far point, sin 20 r above, is hidden (no other grid line passes there).
  Canvas canvas(120, 100);
  SetPen(Ink, 1, false);
  DrawPlanetGrid(
      ViewOf(KindMars, X, Y, R, Globe{.centralLongitude = 15 * Deg, .centralLatitude = 20 * Deg}));
  const int offset = static_cast<int>(std::lround(R * std::sin(20 * Deg)));
  EXPECT_EQ(canvas.At(X, Y + offset), Ink);
  for (int dy = -1; dy <= 1; ++dy) EXPECT_EQ(canvas.At(X, Y - offset + dy), ColorBlack) << dy;
  const PixelSet lit = canvas.Lit();
  ASSERT_GT(lit.size(), 200u);
  for (const auto& [x, y] : lit) EXPECT_LE(std::hypot(x - X, y - Y), R + 1.0);
}

TEST(PlanetDisk, FlatRingsReachTheirRadiiAndSplitAtTheCentre) {
  // Pole straight up and tilted 20 degrees toward the viewer: the rings' far half lies above the
  // centre, the near half below; both together span trunc(2.3217 r) either side.
  const Globe g{.centralLatitude = 20 * Deg};
  for (int r : {10, 17, 30}) {
    SCOPED_TRACE(r);
    const PlanetView view = ViewOf(KindSaturn, 100, 60, r, g);
    const int outer = static_cast<int>(2.3217 * r), inner = static_cast<int>(1.2324 * r);
    Canvas behind(200, 120);
    SetPen(Ink, 1, false);
    DrawFlatRings(view, RingsBehind);
    for (const auto& [x, y] : behind.Lit()) EXPECT_LE(y, 60) << x;
    const Canvas::Box far = behind.LitBox();
    EXPECT_NEAR(far.top, 60 - outer * std::sin(20 * Deg), 1.0);
    behind.Clear();
    SetPen(Ink, 1, false);
    DrawFlatRings(view, RingsInFront);
    for (const auto& [x, y] : behind.Lit()) EXPECT_GE(y, 60) << x;
    DrawFlatRings(view, RingsBehind);
    const Canvas::Box both = behind.LitBox();
    EXPECT_EQ(both.left, 100 - outer);
    EXPECT_EQ(both.right, 100 + outer);
    // The inner edge crosses the centre's row trunc(1.2324 r) out.
    EXPECT_EQ(behind.At(100 - inner, 60), Ink);
    EXPECT_EQ(behind.At(100 + inner, 60), Ink);
    EXPECT_EQ(behind.At(100, 60), ColorBlack);
  }
}

}  // namespace
}  // namespace qv
