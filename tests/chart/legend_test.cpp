// Legend texts, Greek labels and the mouse readout.
#include "chart/legend.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "chart/drawing.h"
#include "chart/labels.h"
#include "chart/magnitudes.h"
#include "chart/readout.h"
#include "tests/chart/canvas.h"
#include "tests/chart/sky_fixture.h"

namespace qv {
namespace {

class LegendTest : public SkyFixture {};

TEST_F(LegendTest, ViewerDistanceInTheUnitThatSuitsIt) {
  const struct {
    double au;
    const char* text;
  } cases[] = {
      {0.52345, "0.52345 AU from"}, {0.1, "0.10000 AU from"}, {0.05, "7479894 km from"},
      {9999, "9999.00000 AU from"}, {5e4, "0.24 pc from"},    {2e11, "0.97 Mpc from"},
  };
  for (const auto& c : cases) EXPECT_EQ(ViewerDistanceText(c.au), c.text);
}

TEST_F(LegendTest, ColumnsForASiteOnEarthAndForAnObject) {
  BuildChartFrame(Rect{0, 0, 800, 600}, test::Options());
  LegendFacts facts;
  facts.observing.ViewerSiteName = "Greenwich";
  facts.observing.ViewerLongitude = -(10 + 30.0 / 60) * Deg;
  facts.observing.ViewerLatitude = 45 * Deg;
  facts.precessionEpoch = J2000;
  const auto columns = LegendColumns(test::Options(), facts);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0], (std::vector<std::string>{"Viewed from:", "Greenwich", "10° 30' 00\" W",
                                                  "45° 00' 00\" N"}));
  EXPECT_EQ(columns[1],
            (std::vector<std::string>{"Local time:", "12:00:00", "2000/01/01", "JD 2451545.00"}));
  EXPECT_EQ(columns[2], (std::vector<std::string>{"Field of view:", "60° 00' 00\"",
                                                  "R.A. (2000.0): 06h 00m 00.00s",
                                                  "Dec. (2000.0): +20° 00' 00.0\""}));
  // Seen from Mars at 0.52345 AU the first column names the distance, then the object.
  facts.viewerName = "Mars";
  facts.viewerDistance = 0.52345;
  EXPECT_EQ(LegendColumns(test::Options(), facts)[0],
            (std::vector<std::string>{"Viewed from:", "0.52345 AU from", "Mars", ""}));
  // The local time carries a rounded-up second into the date.
  facts.observing.JulianDate = 2451545.5 - 0.4 / 86400;
  facts.timeZoneDays = 0;
  const auto late = LegendColumns(test::Options(), facts)[1];
  EXPECT_EQ(late[1], "00:00:00");
  EXPECT_EQ(late[2], "2000/01/02");
}

TEST_F(LegendTest, GreekLetterWithARaisedDigit) {
  const FontSetting& font = test::Options().ChartWindowsFont;
  auto drawn = [&](const char* text) {
    Canvas canvas(120, 60);
    SetFont(font.Face.c_str(), font.Size, font.Style);
    SetPen(ColorWhite, 1, true);
    const int end = DrawLabel(text, 0, 10, 40);
    Canvas::Box box = canvas.LitBox();
    box.right = end;
    return std::pair{canvas.Lit(), box};
  };
  const auto [alpha, alphaBox] = drawn("$a");
  const auto [alphaOne, alphaOneBox] = drawn("$a1");
  const auto [latin, latinBox] = drawn("a");
  EXPECT_NE(alpha, latin);                   // a Greek glyph, not the Latin letter
  EXPECT_LT(alphaOneBox.top, alphaBox.top);  // the digit stands higher than the letter
  EXPECT_GT(alphaOneBox.right, alphaBox.right);
  EXPECT_LE(alphaBox.bottom, 40);  // (x, y) is the lower-left corner
  // Only the first of several names is drawn.
  const auto [first, firstBox] = drawn("Vega");
  const auto [both, bothBox] = drawn("Vega;Wega");
  EXPECT_EQ(first, both);
  EXPECT_EQ(drawn("").first.size(), 0u);
}

TEST_F(LegendTest, MouseReadoutNamesThePointAndTheSeparation) {
  BuildChartFrame(Rect{0, 0, 800, 600}, test::Options());
  std::string text;
  ASSERT_TRUE(MouseReadoutText(400, 300, 0, 0, text));
  EXPECT_EQ(text.rfind("R.A. (2000.0): 06h 00m 00.00s  Dec. (2000.0): +20° 00' 00.0\"", 0), 0u)
      << text;
  EXPECT_NE(text.find("Sep: 000° 00' 00.0\"  PA: 000.0°"), std::string::npos) << text;
  // From a point due north of the centre the centre lies at position angle 180.
  ASSERT_TRUE(MouseReadoutText(400, 300, 400, 200, text));
  EXPECT_NE(text.find("PA: 180.0°"), std::string::npos) << text;
  EXPECT_EQ(text.find("Sep: 000"), std::string::npos) << text;
  // Outside the sphere's image there is nothing to read.
  test::Options().ChartProjection = ProjectionSpherical;
  test::Options().ChartFieldWidth = 180 * Deg;
  BuildChartFrame(Rect{0, 0, 800, 600}, test::Options());
  EXPECT_FALSE(MouseReadoutText(2, 2, 0, 0, text));
}

// Zoomed-in limits make the sample stars large: each must stay inside its cell (its label's
// width, one row high) rather than spill over its neighbours and the deep-sky column.
TEST_F(LegendTest, SampleStarsKeepInsideTheirCellsAtEveryLimit) {
  ChartOptions s = test::Options();
  constexpr int Top = 10, X = 10;
  for (const bool rendered : {false, true}) {
    for (const bool large : {false, true}) {
      for (int faintest = 200; faintest <= 1500; faintest += 100) {
        SCOPED_TRACE(testing::Message()
                     << faintest << (rendered ? " rendered" : "") << (large ? " large" : ""));
        Canvas canvas(400, 100);
        s.ShowRenderedObjects = rendered;
        s.ShowLargeStars = large;
        s.BrightestStarMagnitude = -150;
        s.FaintestStarMagnitude = static_cast<int16_t>(faintest);
        UpdateStarScale(s, CurrentStarScale());
        SetFont(s.ChartWindowsFont.Face.c_str(), s.ChartWindowsFont.Size, s.ChartWindowsFont.Style);
        int rowHeight = 0;
        MeasureText("A", 1, nullptr, &rowHeight);
        DrawStarSamples(s, X, Top, rowHeight);
        // The cells, from the texts the samples are labelled with.
        std::vector<Rect> cells;
        const StarSizeScale& scale = CurrentStarScale();
        int x = X;
        for (int k = 5; k >= 0; --k) {
          const int m = scale.brightest + k * (scale.faintest - scale.brightest) / 5;
          char label[16];
          std::snprintf(label, sizeof label, "%.1f", m * 0.01);
          int width = 0;
          MeasureText(label, static_cast<int>(std::strlen(label)), &width, nullptr);
          for (int row = 1; row <= 3; ++row)
            cells.push_back({x, Top + row * rowHeight, x + width, Top + (row + 1) * rowHeight});
          x += width + 5;
        }
        int outside = 0;
        for (const auto& [px, py] : canvas.Lit()) {
          if (py < Top + rowHeight) continue;  // the texts' row
          bool in = false;
          for (const Rect& c : cells) in = in || PointInRect(px, py, c);
          outside += in ? 0 : 1;
        }
        EXPECT_EQ(outside, 0);
        EXPECT_GT(canvas.Lit().size(), 100u);  // the samples were drawn
      }
    }
  }
}

}  // namespace
}  // namespace qv
