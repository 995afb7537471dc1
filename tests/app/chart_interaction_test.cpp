// The mouse and keys on the chart: clicks that open objects in the info window and cycle through
// overlapping ones, the info window's buttons, dragging and measuring, double clicks, and
// editing constellation figures.
#include <gtest/gtest.h>

#include <cmath>

#include "app/chart_mouse.h"
#include "app/constellation_edit.h"
#include "app_fixture.h"
#include "chart/centring.h"
#include "chart/drawing.h"
#include "objects/sky.h"
#include "platform/alert.h"
#include "platform/desktop.h"
#include "settings/settings.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

// A chart at a fixed time with two bright stars a pixel apart at its centre and one more 60
// pixels to the right.
class ChartInteractionTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Settings().JulianDate = 2451545.25;
    RefreshChart(true);
    const ChartFrame& f = CurrentChartFrame();
    cx = f.cx;
    cy = f.cy;
    first = AddStar("First", SkyAt(cx, cy), 100);
    second = AddStar("Second", SkyAt(cx + 1, cy), 110);
    third = AddStar("Third", SkyAt(cx + 60, cy), 120);
    RefreshChart(true);
  }
  int cx = 0, cy = 0;
  ObjectId first = 0, second = 0, third = 0;
};

TEST_F(ChartInteractionTest, RepeatedClicksCycleThroughOverlappingStars) {
  ASSERT_NEAR(PixelOf(first).x, cx, 1);
  ClickChart(cx, cy);
  EXPECT_EQ(InfoObject(), first);
  EXPECT_TRUE(IsInfoWindowShown());
  EXPECT_TRUE(Enabled(FileMenu, 3));  // Close Info Window
  ClickChart(cx, cy);
  EXPECT_EQ(InfoObject(), second);
  ClickChart(cx, cy);
  EXPECT_EQ(InfoObject(), first);
  EXPECT_EQ(GetItemText(Shell().infoWindow, 7), "Type: Single star");
  // The third star is found from its own symbol only.
  ClickChart(cx + 60, cy + 2);
  EXPECT_EQ(InfoObject(), third);
  Choose(FileMenu, 3);
  EXPECT_FALSE(IsInfoWindowShown());
  EXPECT_FALSE(Enabled(FileMenu, 3));
}

TEST_F(ChartInteractionTest, AHeldClickShowsTheNameAndStillOpensTheObject) {
  Send(MouseDownEvent, cx + 60, cy);
  Delay(DoubleClickTimeMs() + 50);
  ApplicationEventHandler(IdleEvent, nullptr, 0, 0);  // the name label appears
  Send(MouseDraggedEvent, cx + 200, cy);              // off the star: the label goes
  Send(MouseDraggedEvent, cx + 61, cy + 1);           // back on it
  Send(MouseUpEvent, cx + 61, cy + 1);
  EXPECT_EQ(InfoObject(), third);
  EXPECT_TRUE(IsInfoWindowShown());
}

TEST_F(ChartInteractionTest, ReleasingAwayFromThePressedObjectOpensNothing) {
  Send(MouseDownEvent, cx + 60, cy);
  Send(MouseDraggedEvent, cx + 100, cy + 40);
  Send(MouseUpEvent, cx + 100, cy + 40);
  EXPECT_EQ(InfoObject(), 0u);
  EXPECT_FALSE(IsInfoWindowShown());
}

TEST_F(ChartInteractionTest, ReturnCentresOnTheInfoObjectAndEscapeCloses) {
  ClickChart(cx + 60, cy);
  ASSERT_EQ(InfoObject(), third);
  Send(KeyDownEvent, KeyReturn, 0);
  EXPECT_EQ(Settings().CenteredObject, third);
  EXPECT_FALSE(IsInfoWindowShown());
  const ChartFrame& f = CurrentChartFrame();
  EXPECT_NEAR(PixelOf(third).x, f.cx, 1);
  EXPECT_NEAR(PixelOf(third).y, f.cy, 1);
  ClickChart(f.cx, f.cy);
  ASSERT_TRUE(IsInfoWindowShown());
  Send(KeyDownEvent, KeyEscape, 0);
  EXPECT_FALSE(IsInfoWindowShown());
}

TEST_F(ChartInteractionTest, DraggingEmptySkyMovesTheChartWithTheReadoutOffOnly) {
  const ChartSettings before = Settings();
  const Vector3 centre = SkyAt(cx, cy);
  Send(MouseDownEvent, cx - 100, cy + 50);
  Send(MouseDraggedEvent, cx - 80, cy + 45);
  // Drawn lighter while dragging; the options themselves stay.
  EXPECT_FALSE(ChartMouseDrawingOptions(Settings()).ShowConstellationBoundaries);
  EXPECT_EQ(Settings().ShowConstellationBoundaries, before.ShowConstellationBoundaries);
  Send(MouseUpEvent, cx - 80, cy + 45);
  // The sky moved with the pointer: what was at the centre is now 20 right and 5 up of it (the
  // new centre's own "up" turns the chart a little).
  const ChartPoint now =
      ProjectToChart(CurrentChartFrame(), ChartVector(DirectionFromVector(centre)));
  EXPECT_NEAR(now.x, cx + 20, 2);
  EXPECT_NEAR(now.y, cy - 5, 2);
  EXPECT_EQ(Settings().ShowConstellationBoundaries, before.ShowConstellationBoundaries);
  EXPECT_EQ(Settings().FaintestStarMagnitude, before.FaintestStarMagnitude);
  EXPECT_EQ(Settings().ShowRenderedObjects, before.ShowRenderedObjects);
  EXPECT_EQ(InfoObject(), 0u);
  // With the coordinate readout on, the same drag measures and the chart stays.
  Choose(DrawMenu, 10);
  ASSERT_TRUE(Settings().ShowMouseCoordinates);
  const double lon = Settings().ChartCenterLongitude, lat = Settings().ChartCenterLatitude;
  Send(MouseDownEvent, cx - 100, cy + 50);
  Send(MouseDraggedEvent, cx - 60, cy + 40);
  Send(MouseUpEvent, cx - 60, cy + 40);
  EXPECT_EQ(Settings().ChartCenterLongitude, lon);
  EXPECT_EQ(Settings().ChartCenterLatitude, lat);
}

// A drag draws without rendered objects, so at the screen's depth: every depth gets its image.
// When none can be made, the window, repainted under message 256, shows no freed image.
TEST_F(ChartInteractionTest, EveryScreenDepthGetsAChartImageAndAFailedOneIsNotShown) {
  Settings().ShowRenderedObjects = false;
  const Rect chart{0, 0, 2 * cx, 2 * cy};
  for (int depth : {1, 4, 8, 16, 24, 32}) {
    shown.clear();
    RelayoutChart(chart, depth, Settings());
    EXPECT_FALSE(Shown(256)) << depth << " bits";
  }
  int paintedUnderMessage = 0;
  SetAlertPresenter([&](int, int, int number, const std::string&) {
    if (number == 256) {
      Send(WindowUpdateEvent, 0, 0);
      ++paintedUnderMessage;
    }
    return static_cast<int>(AnswerOk);
  });
  RelayoutChart(Rect{0, 0, 40000, 40000}, 32, Settings());  // wider than any image
  EXPECT_EQ(paintedUnderMessage, 1);
  SetAlertPresenter(nullptr);
  RelayoutChart(chart, 32, Settings());
  Send(WindowUpdateEvent, 0, 0);
}

TEST_F(ChartInteractionTest, ScrollBarsAndArrowKeysStepTheirOwnCoordinate) {
  ChartSettings& s = Settings();
  const double step = s.ChartFieldWidth / s.ChartScrollRate;
  const double lon = s.ChartCenterLongitude, lat = s.ChartCenterLatitude;
  Send(ControlEvent, VerticalScrollBar, PartLineUp);
  EXPECT_NEAR(std::abs(s.ChartCenterLatitude - lat), step, 1e-9);
  EXPECT_EQ(s.ChartCenterLongitude, lon);
  EXPECT_EQ(GetItemValue(Chart(), VerticalScrollBar),
            -static_cast<int>(std::round(s.ChartCenterLatitude / test::Deg)));
  Send(KeyDownEvent, KeyDown, 0);
  Send(KeyDownEvent, KeyUp, 0);
  Send(KeyDownEvent, KeyDown, 0);
  EXPECT_NEAR(s.ChartCenterLatitude, lat, 1e-9);  // the arrow keys are the bar's line steps
  Send(KeyDownEvent, KeyRight, 0);
  EXPECT_NEAR(std::abs(std::remainder(s.ChartCenterLongitude - lon, 2 * Pi)), step, 1e-9);
  EXPECT_NEAR(s.ChartCenterLatitude, lat, 1e-9);
  Send(ControlEvent, HorizontalScrollBar, PartLineUp);
  EXPECT_NEAR(s.ChartCenterLongitude, lon, 1e-9);
}

TEST_F(ChartInteractionTest, TheWheelZoomsByTheZoomFactorKeepingTheSkyUnderThePointer) {
  ChartSettings& s = Settings();
  s.ChartZoomFactor = 3;
  // Notches away from the user zoom in, toward the user out; off-centre pixels in every quadrant.
  const struct {
    int notches, dx, dy;
    double fieldRatio;
  } turns[] = {
      {1, 150, -80, 1.0 / 3}, {2, -120, 90, 1.0 / 9}, {-1, 200, 100, 3}, {-2, -90, -140, 9}};
  for (const auto& t : turns) {
    SCOPED_TRACE(t.notches);
    const double field = s.ChartFieldWidth;
    const int x = cx + t.dx, y = cy + t.dy;
    const Vector3 before = SkyAt(x, y);
    Send(MouseWheelEvent, t.notches, PackPoint(x, y));
    EXPECT_NEAR(s.ChartFieldWidth, field * t.fieldRatio, 1e-12);
    const double pixel = CurrentChartFrame().fieldWidth / RectWidth(ChartRectangle());
    EXPECT_LT(Apart(SkyAt(x, y), before), 1.5 * pixel) << "the sky moved from under the pointer";
  }
}

TEST_F(ChartInteractionTest, DoubleClickCentresOnTheSelectedObjectOrTheSky) {
  ClickChart(cx + 60, cy);
  Send(DoubleClickEvent, cx + 61, cy + 1);
  EXPECT_EQ(Settings().CenteredObject, third);
  const Vector3 target = SkyAt(cx - 120, cy - 30);
  Send(DoubleClickEvent, cx - 120, cy - 30);
  EXPECT_EQ(Settings().CenteredObject, 0u);
  const ChartFrame& f = CurrentChartFrame();
  EXPECT_LT(Apart(SkyAt(f.cx, f.cy), target), 1e-4);
}

TEST_F(ChartInteractionTest, DragsFromStarToStarAddAndRemoveFigureLines) {
  Choose(EditMenu, 12);
  ASSERT_TRUE(Settings().ConstellationEditing);
  Send(MouseDownEvent, cx, cy);
  Send(MouseDraggedEvent, cx + 30, cy);
  Send(MouseUpEvent, cx + 60, cy);
  const ObjectId line = FindFigureLine(first, third);
  ASSERT_NE(line, 0u);
  EXPECT_EQ(LineOf(*ObjectOfId(line))->ends[0], first);
  EXPECT_FALSE(FileOfId(line)->modified);  // written at once
  Send(MouseDownEvent, cx + 60, cy);
  Send(MouseUpEvent, cx, cy);  // the other way round: the line goes
  EXPECT_EQ(FindFigureLine(first, third), 0u);
  // A read-only file takes nothing.
  FileOfId(DefaultFile())->readOnly = true;
  Send(MouseDownEvent, cx, cy);
  Send(MouseUpEvent, cx + 60, cy);
  EXPECT_TRUE(Shown(539));
  EXPECT_EQ(FindFigureLine(first, third), 0u);
}

}  // namespace
}  // namespace qv
