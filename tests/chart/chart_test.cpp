// Whole charts of a small database: where stars land and in which colour and size, what the
// magnitude limit hides, deep-sky symbols, constellation figures, the horizon under the mask,
// grid labels, the legend's room, and that region culling never reads a file it can skip.
#include <gtest/gtest.h>

#include <algorithm>

#include "chart/drawing.h"
#include "chart/legend.h"
#include "chart/sky_circle.h"
#include "chart/sky_objects.h"
#include "chart/symbols.h"
#include "objects/database.h"
#include "platform/result.h"
#include "tests/chart/canvas.h"
#include "tests/chart/sky_fixture.h"
#include "tests/support/scratch_folder.h"

namespace qv {
namespace {

constexpr int W = 800, H = 600;

class ChartTest : public SkyFixture {};

// EachPixel: the whole chart drawn into a new 32-bit image, then f(x, y, r, g, b) for every
// pixel inside its outline.
template <typename F>
void EachPixel(F f) {
  Image* image =
      RenderChartImage(Rect{0, 0, W, H}, 32, nullptr, DrawingOptions(test::Options(), 32));
  ASSERT_NE(image, nullptr);
  for (int y = 1; y < H - 1; ++y) {
    for (int x = 1; x < W - 1; ++x) {
      int r = 0, g = 0, b = 0;
      PixelValueToRGB(image, GetPixelValue(image, ImageRow(image, y), x), &r, &g, &b);
      f(x, y, r, g, b);
    }
  }
  DisposeImage(image);
}

// The colour found at the expected pixel or one of its neighbours (truncation may shift a
// pixel by one); black when none of them carries the colour.
Color NearPixel(const Canvas& canvas, int x, int y, Color want) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      if (canvas.At(x + dx, y + dy) == want) return want;
    }
  }
  return ColorBlack;
}

TEST_F(ChartTest, StarsLandOnTheirPixelsInTheirColoursAndSizes) {
  const ObjectId file = NewFile("stars.qvd");
  AddSkyObject(file, KindSingleStar, 90, 20, 1.0, 1.50);   // at the centre: radius 5, orange
  AddSkyObject(file, KindSingleStar, 97, 24, 5.0, -0.25);  // radius 1, cyan
  AddSkyObject(file, KindSingleStar, 84, 15, 6.0, 0.0);    // fainter than the limit
  Canvas canvas(W, H);
  ASSERT_EQ(DrawChart(Rect{0, 0, W, H}, test::Options()), ResultOk);

  const Color orange = MakeColor(255, 191, 127);
  EXPECT_EQ(canvas.At(400, 300), orange);
  // Radius 5, small disks: five pixels wide from x - q - 1 = x - 2.
  EXPECT_EQ(canvas.At(398, 300), orange);
  EXPECT_EQ(canvas.At(402, 300), orange);
  EXPECT_EQ(canvas.At(397, 300), ColorBlack);
  EXPECT_EQ(canvas.At(403, 300), ColorBlack);

  int x = 0, y = 0;
  ExpectedLambertPixel(97, 24, W, H, x, y);
  EXPECT_EQ(NearPixel(canvas, x, y, MakeColor(127, 255, 255)), MakeColor(127, 255, 255))
      << x << "," << y;
  ExpectedLambertPixel(84, 15, W, H, x, y);
  EXPECT_EQ(canvas.At(x, y), ColorBlack);
  EXPECT_EQ(canvas.At(x + 1, y + 1), ColorBlack);

  // Colours off: the same star in the foreground colour.
  test::Options().ShowColors = false;
  DrawChart(Rect{0, 0, W, H}, test::Options());
  EXPECT_EQ(canvas.At(400, 300), ColorWhite);
}

TEST_F(ChartTest, DeepSkyObjectsTakeTheirKindsLimitAndSize) {
  const ObjectId file = NewFile("deep.qvd");
  AddSkyObject(file, KindGalaxy, 90, 20, 9.0, 0, 4.0);        // 2 degrees across its half size
  AddSkyObject(file, KindOpenCluster, 100, 20, 7.0, 0, 1.0);  // beyond the cluster limit 6.50
  Canvas canvas(W, H);
  DrawChart(Rect{0, 0, W, H}, test::Options());
  const Color grey = test::Options().Colors[DeepSkyObjectColor];
  // Half the size, 2 degrees, is r = S tan(1 degree) = 26 pixels: the ellipse's ends.
  const int r = static_cast<int>(400 / std::tan(15 * Deg) * std::tan(1 * Deg));
  EXPECT_EQ(NearPixel(canvas, 400 + r, 300, grey), grey);
  EXPECT_EQ(NearPixel(canvas, 400 - r, 300, grey), grey);
  EXPECT_EQ(canvas.At(400, 300), ColorBlack);  // hollow
  // The cluster, half a degree in radius (S tan(0.25 degree) = 6 pixels), shows only without
  // its kind's limit.
  int x = 0, y = 0;
  ExpectedLambertPixel(100, 20, W, H, x, y);
  const int rc = static_cast<int>(400 / std::tan(15 * Deg) * std::tan(0.25 * Deg));
  EXPECT_EQ(NearPixel(canvas, x + rc, y, grey), ColorBlack);
  test::Options().FaintestOpenClusterMagnitude = NoMagnitudeLimit;
  DrawChart(Rect{0, 0, W, H}, test::Options());
  EXPECT_EQ(NearPixel(canvas, x + rc, y, grey), grey);
  EXPECT_EQ(NearPixel(canvas, x - rc, y, grey), grey);
}

TEST_F(ChartTest, FiguresFollowTheirStarsAndVanishWithThem) {
  const ObjectId stars = NewFile("stars.qvd");
  const ObjectId a = AddSkyObject(stars, KindSingleStar, 86, 16, 2.0);
  const ObjectId b = AddSkyObject(stars, KindSingleStar, 94, 24, 2.0);
  const ObjectId lines = NewFile("lines.qvd");
  AddFigureLine(lines, a, b);
  test::Options().ShowConstellations = true;
  test::Options().ShowStars = false;
  Canvas canvas(W, H);
  DrawChart(Rect{0, 0, W, H}, test::Options());
  int xa, ya, xb, yb;
  ExpectedLambertPixel(86, 16, W, H, xa, ya);
  ExpectedLambertPixel(94, 24, W, H, xb, yb);
  const Color green = test::Options().Colors[ConstellationsColor];
  EXPECT_EQ(NearPixel(canvas, (xa + xb) / 2, (ya + yb) / 2, green), green);

  RemoveObject(b);  // the figure's star is deleted: the line goes with it
  canvas.Clear();
  DrawChart(Rect{0, 0, W, H}, test::Options());
  EXPECT_EQ(NearPixel(canvas, (xa + xb) / 2, (ya + yb) / 2, green), ColorBlack);
}

TEST_F(ChartTest, TheHorizonLineIsDrawnOverTheMask) {
  ChartOptions& s = test::Options();
  s.ChartCoordinateSystem = CoordinatesHorizon;
  s.ChartCenterLongitude = 180 * Deg;
  s.ChartCenterLatitude = 0;
  s.ShowHorizonMask = true;
  s.ShowHorizonLine = true;
  s.ShowGridLabels = false;
  Canvas canvas(W, H);
  DrawChart(Rect{0, 0, W, H}, test::Options());
  const Color red = s.Colors[HorizonColor];
  for (int x : {10, 200, 400, 600, 790}) EXPECT_EQ(NearPixel(canvas, x, 300, red), red) << x;
  // With labels, the south point's "S" stands on a patch of sky over the line.
  s.ShowGridLabels = true;
  canvas.Clear();
  DrawChart(Rect{0, 0, W, H}, test::Options());
  int above = 0;
  for (int y = 290; y < 298; ++y) {
    for (int x = 390; x < 410; ++x) above += canvas.At(x, y) == red;
  }
  EXPECT_GT(above, 3);
}

TEST_F(ChartTest, GridCircleCrossingTheChartIsLabelledAtBothEdges) {
  ChartOptions& s = test::Options();
  s.ChartCenterLatitude = 0;
  s.ShowGridLines = true;
  s.ShowRADecGrid = false;
  s.ShowEquator = true;
  s.ShowHorizonLine = false;
  Canvas canvas(W, H);
  DrawChart(Rect{0, 0, W, H}, test::Options());
  const Color white = s.Colors[EquatorColor];
  auto litBelowLine = [&](int x0, int x1) {
    int n = 0;
    for (int y = 303; y < 318; ++y) {
      for (int x = x0; x < x1; ++x) n += canvas.At(x, y) == white;
    }
    return n;
  };
  EXPECT_GT(litBelowLine(1, 60), 10);     // "Equator" where the circle enters
  EXPECT_GT(litBelowLine(740, 799), 10);  // and, pulled inside, where it leaves
  EXPECT_EQ(litBelowLine(300, 500), 0);
}

TEST_F(ChartTest, EdgeLabelsStayInsideTheChartAndOffEachOther) {
  ChartOptions& s = test::Options();
  s.ShowGridLines = s.ShowRADecGrid = s.ShowEquator = s.ShowEcliptic = true;
  s.ShowHorizonLine = s.ShowGridLabels = true;
  // Views whose compass points fall on the side edges (east in the middle of 180 degrees), whose
  // circles leave by the top, and an equatorial one where the ecliptic meets the grid's edge.
  const struct {
    int system;
    double lonDeg, latDeg, fieldDeg;
  } views[] = {{CoordinatesHorizon, 90, 0, 180},
               {CoordinatesHorizon, 180, 30, 120},
               {CoordinatesHorizon, 0, -5, 90},
               {CoordinatesEquatorial, 0, 0, 100},
               {CoordinatesEquatorial, 90, 60, 60}};
  for (const auto& v : views) {
    SCOPED_TRACE(v.lonDeg);
    s.ChartCoordinateSystem = static_cast<CoordinateSystem>(v.system);
    s.ChartCenterLongitude = v.lonDeg * Deg;
    s.ChartCenterLatitude = v.latDeg * Deg;
    s.ChartFieldWidth = v.fieldDeg * Deg;
    Canvas canvas(W, H);
    DrawChart(Rect{0, 0, W, H}, s);
    const std::vector<Rect>& boxes = EdgeLabelBoxes();
    EXPECT_GE(boxes.size(), 4u);
    for (size_t i = 0; i < boxes.size(); ++i) {
      const Rect& a = boxes[i];
      EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= W && a.bottom <= H)
          << a.left << "," << a.top << " - " << a.right << "," << a.bottom;
      for (size_t j = 0; j < i; ++j) {
        const Rect& b = boxes[j];
        EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
            << "labels " << j << " and " << i << " overlap";
      }
    }
  }
}

TEST_F(ChartTest, CircleWhollyInsideTheChartHasNoLabel) {
  test::Options().ChartCenterLatitude = 90 * Deg;
  BuildChartFrame(Rect{0, 0, W, H}, test::Options());
  Canvas plain(W, H);
  SetPen(ColorWhite, 1, false);
  DrawSkyCircle({CircleParallel, 0, 80 * Deg, TwoPi, 72, nullptr}, Matrix3{}, true);
  const PixelSet withoutLabel = plain.Lit();
  Canvas labelled(W, H);
  SetPen(ColorWhite, 1, false);
  DrawSkyCircle({CircleParallel, 0, 80 * Deg, TwoPi, 72, "+80°"}, Matrix3{}, true);
  EXPECT_EQ(labelled.Lit(), withoutLabel);
  EXPECT_GT(withoutLabel.size(), 200u);
}

TEST_F(ChartTest, TheLegendRaisesTheCentreByHalfItsHeight) {
  test::Options().ShowChartLegend = true;
  Canvas canvas(W, H);
  DrawChart(Rect{0, 0, W, H}, test::Options());
  const int legend = LegendHeight(test::Options());
  EXPECT_GT(legend, 40);
  EXPECT_EQ(CurrentChartFrame().cy, (H - legend) / 2);
  EXPECT_EQ(CurrentChartFrame().bottom, H - legend);
  // The band is outlined in the foreground colour and holds text.
  EXPECT_EQ(canvas.At(W / 2, H - legend), ColorWhite);
  int text = 0;
  for (int y = H - legend + 2; y < H - 2; ++y) {
    for (int x = 2; x < 100; ++x) text += canvas.At(x, y) == ColorWhite;
  }
  EXPECT_GT(text, 30);
}

// The legend's rendered sample stars glow inside its band only, however wide the brightest
// glow is: the chart above the band stays untouched.
TEST_F(ChartTest, LegendSampleGlowsStayInTheLegend) {
  ChartOptions& s = test::Options();
  s.ShowRenderedObjects = true;
  s.ShowChartLegend = true;
  s.BrightestStarMagnitude = 300;
  s.FaintestStarMagnitude = 1200;
  s.ShowGridLines = false;
  const int bandTop = H - LegendHeight(test::Options());
  int litAbove = 0, litInBand = 0;
  EachPixel([&](int, int y, int r, int g, int b) {
    if (r + g + b == 0) return;
    if (y < bandTop - 1)
      ++litAbove;
    else
      ++litInBand;
  });
  EXPECT_GT(litInBand, 100);
  EXPECT_EQ(litAbove, 0);
}

TEST_F(ChartTest, CullingReadsOnlyTheFilesThatCanShow) {
  const ScratchFolder dir;
  Store().databaseDirectory = dir.path();
  const ObjectId near = NewFile("near.qvd");
  AddSkyObject(near, KindSingleStar, 92, 21, 3.0);
  const ObjectId behind = NewFile("behind.qvd");
  AddSkyObject(behind, KindSingleStar, 270, -20, 3.0);
  const ObjectId faint = NewFile("faint.qvd");
  AddSkyObject(faint, KindSingleStar, 91, 19, 9.0);
  for (ObjectId id : {near, behind, faint}) ASSERT_EQ(WriteDatabaseFile(*FileOfId(id)), ResultOk);
  const std::string index = dir / "Index.qvd";
  ASSERT_EQ(SaveIndex(index), ResultOk);
  EmptyStore();
  ASSERT_EQ(OpenDatabase(index), ResultOk);

  Canvas canvas(W, H);
  DrawChart(Rect{0, 0, W, H}, test::Options());
  EXPECT_NE(FileOfId(near)->loadStamp, 0u);
  EXPECT_EQ(FileOfId(behind)->loadStamp, 0u);  // never read
  EXPECT_EQ(FileOfId(faint)->loadStamp, 0u);   // nothing bright enough
  EXPECT_EQ(FileOfId(near)->lastUsed, Store().redrawCounter);
  EmptyStore();
}

TEST_F(ChartTest, LabelsStandOffTheSymbolByItsSize) {
  const struct {
    int kind, radius, offset;
  } cases[] = {{51, 0, 3}, {61, 10, 10}, {63, 10, 7}, {65, 10, 7}, {65, 1, 3}, {62, 4, 5}};
  for (const auto& c : cases)
    EXPECT_EQ(LabelOffset(c.kind, c.radius), c.offset) << c.kind << " " << c.radius;

  const ObjectId file = NewFile("stars.qvd");
  AddSkyObject(file, KindSingleStar, 90, 20, 0.0, 0.0, 0, "Vega");
  AddSkyObject(file, KindSingleStar, 97, 24, 4.0, 0.0, 0, "Faint");  // below the label limit
  test::Options().ShowObjectLabels = true;
  Canvas canvas(W, H);
  DrawChart(Rect{0, 0, W, H}, test::Options());
  const Color grey = test::Options().Colors[StarColor];
  auto count = [&](int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) n += canvas.At(x, y) == grey;
    }
    return n;
  };
  // The label's lower-left corner is 3 pixels right of and above the star.
  EXPECT_GT(count(403, 270, 460, 298), 20);
  EXPECT_EQ(count(403, 298, 460, 330), 0);
  int x = 0, y = 0;
  ExpectedLambertPixel(97, 24, W, H, x, y);
  EXPECT_EQ(count(x + 3, y - 30, x + 60, y - 2), 0);
}

// The options a screen shows: no colours under the red screen, and neither colours nor a
// coloured sky on displays of fewer than 4 bits; the options themselves stay as they were.
TEST_F(ChartTest, DrawingOptionsDropColoursForTheRedScreenAndFewColourDisplays) {
  ChartOptions& s = test::Options();
  s.SkyBackground = SkyColor;
  s.RedScreen = true;
  const ChartOptions red = DrawingOptions(s, 32);
  EXPECT_FALSE(red.ShowColors);
  EXPECT_EQ(red.SkyBackground, SkyColor);
  s.RedScreen = false;
  EXPECT_TRUE(DrawingOptions(s, 32).ShowColors);
  const ChartOptions few = DrawingOptions(s, 2);
  EXPECT_FALSE(few.ShowColors);
  EXPECT_EQ(few.SkyBackground, SkyBlack);
  EXPECT_TRUE(s.ShowColors);
  EXPECT_EQ(s.SkyBackground, SkyColor);
}

// Night vision: with the red screen no pixel of the chart, rendered stars and the legend's
// samples included, carries green or blue.
TEST_F(ChartTest, RedScreenChartIsRedOnly) {
  const ObjectId file = NewFile("Stars.qvd");
  for (int k = 0; k < 5; ++k)
    AddSkyObject(file, KindSingleStar, 80 + 4 * k, 15 + 2 * k, k - 1.0, 1.5);
  ChartOptions& s = test::Options();
  s.ShowRenderedObjects = true;
  s.ShowChartLegend = true;
  s.ShowGridLines = true;
  s.RedScreen = true;
  int lit = 0, tinted = 0;
  EachPixel([&](int, int, int r, int g, int b) {
    lit += r > 0;
    tinted += g > 0 || b > 0;
  });
  EXPECT_GT(lit, 1000);
  EXPECT_EQ(tinted, 0);
}

}  // namespace
}  // namespace qv
