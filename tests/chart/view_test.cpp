// View commands: field width with projection switching and its question, clamps, automatic
// magnitude limits, presets, scrolling and its thumbs, centring on horizon points and pixels.
#include "chart/view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chart/projection.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "platform/result.h"
#include "tests/chart/test_options.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

using test::Deg;

// Resets the settings and answers alerts with a fixed answer, recording what was asked.
class ViewTest : public testing::Test {
 protected:
  void SetUp() override {
    test::Observing() = ObservingSettings{};
    test::Options() = ChartOptions{};
    SetAlertPresenter([this](int, int, int number, const std::string& message) {
      asked.push_back(number);
      messages.push_back(message);
      return answer;
    });
  }
  void TearDown() override {
    SetAlertPresenter({});
    test::Observing() = ObservingSettings{};
    test::Options() = ChartOptions{};
  }
  int answer = AnswerOk;
  std::vector<int> asked;
  std::vector<std::string> messages;
};

TEST_F(ViewTest, WideFieldsProposeTheNextProjectionThatServesThem) {
  const struct {
    double fieldDeg;
    int proposed;  // 0: no question
  } cases[] = {
      {120, 0}, {200, ProjectionLambert}, {300, ProjectionMercator}, {170, ProjectionSpherical}};
  for (const auto& c : cases) {
    test::Options().ChartProjection = ProjectionPlanar;
    asked.clear();
    messages.clear();
    EXPECT_EQ(SetFieldWidth(test::Options(), c.fieldDeg * Deg), ResultOk);
    if (c.proposed == 0) {
      EXPECT_TRUE(asked.empty()) << c.fieldDeg;
      EXPECT_EQ(test::Options().ChartProjection, ProjectionPlanar);
    } else {
      ASSERT_EQ(asked.size(), 1u) << c.fieldDeg;
      EXPECT_EQ(asked[0], 522);
      EXPECT_NE(messages[0].find(std::string("Switch to a ") + ProjectionName(c.proposed) +
                                 " projection?"),
                std::string::npos)
          << messages[0];
      EXPECT_EQ(test::Options().ChartProjection, c.proposed);
    }
    EXPECT_NEAR(test::Options().ChartFieldWidth, c.fieldDeg * Deg, 1e-12);
  }
  // Mollweide serves every field and is never switched away from.
  test::Options().ChartProjection = ProjectionMollweide;
  asked.clear();
  EXPECT_EQ(SetFieldWidth(test::Options(), 350 * Deg), ResultOk);
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(test::Options().ChartProjection, ProjectionMollweide);
}

TEST_F(ViewTest, CancelLeavesFieldProjectionAndLimitsUnchanged) {
  test::Options().ChartProjection = ProjectionPlanar;
  test::Options().ChartFieldWidth = 60 * Deg;
  const ChartOptions before = test::Options();
  answer = AnswerCancel;
  EXPECT_EQ(SetFieldWidth(test::Options(), 200 * Deg), ResultCancelled);
  EXPECT_EQ(test::Options().ChartProjection, ProjectionPlanar);
  EXPECT_EQ(test::Options().ChartFieldWidth, before.ChartFieldWidth);
  EXPECT_EQ(test::Options().FaintestStarMagnitude, before.FaintestStarMagnitude);
}

TEST_F(ViewTest, ZoomingClampsAtOneArcSecondAndShiftsTheLimits) {
  ASSERT_EQ(SetFieldPreset(test::Options(), FieldPresetCount - 1), ResultOk);  // 1/360 degree
  EXPECT_TRUE(IsFieldPresetChecked(test::Options(), FieldPresetCount - 1));
  for (int i = 0; i < 6; ++i) ZoomIn(test::Options());
  EXPECT_DOUBLE_EQ(test::Options().ChartFieldWidth, MinFieldWidth);

  test::Observing() = ObservingSettings{};

  test::Options() = ChartOptions{};  // 180 degrees, faintest 5.50
  ZoomIn(test::Options());
  EXPECT_NEAR(test::Options().ChartFieldWidth, 90 * Deg, 1e-9);
  EXPECT_EQ(test::Options().FaintestStarMagnitude, 650);
  ZoomOut(test::Options());
  EXPECT_EQ(test::Options().FaintestStarMagnitude, 550);
  test::Options().AutomaticMagnitudeLimits = false;
  ZoomIn(test::Options());
  EXPECT_EQ(test::Options().FaintestStarMagnitude, 550);
}

TEST_F(ViewTest, PresetsAndTheirCheckMarks) {
  test::Options().ChartProjection = ProjectionMercator;
  ASSERT_EQ(SetFieldPreset(test::Options(), 0), ResultOk);
  EXPECT_DOUBLE_EQ(test::Options().ChartFieldWidth, 6.283185307);  // clamped
  EXPECT_TRUE(IsFieldPresetChecked(test::Options(), 0));
  EXPECT_FALSE(IsFieldPresetChecked(test::Options(), 1));
  test::Options().ChartFieldWidth = FieldPresets[7] + 4e-6;  // within one arc second of 1 degree
  EXPECT_TRUE(IsFieldPresetChecked(test::Options(), 7));
  test::Options().ChartFieldWidth = FieldPresets[7] + 6e-6;
  EXPECT_FALSE(IsFieldPresetChecked(test::Options(), 7));
}

TEST_F(ViewTest, ScrollingStepsDirectionsAndThePoles) {
  ChartOptions& s = test::Options();
  s.ChartCoordinateSystem = CoordinatesEquatorial;
  s.ChartFieldWidth = 36 * Deg;  // one step = 1 degree with the default rate 36
  s.ChartCenterLongitude = 10 * Deg;
  s.ChartCenterLatitude = 0;
  s.CenteredObject = 12345;
  ScrollChart(test::Options(), ScrollHorizontal, PartLineUp,
              0);  // toward the left: longitude grows
  EXPECT_NEAR(s.ChartCenterLongitude, 11 * Deg, 1e-9);
  EXPECT_EQ(s.CenteredObject, 0u);
  ScrollChart(test::Options(), ScrollHorizontal, PartPageDown, 0);  // half a field to the right
  EXPECT_NEAR(s.ChartCenterLongitude, (11 - 18 + 360) * Deg, 1e-9);
  s.ChartCoordinateSystem = CoordinatesHorizon;
  s.ChartCenterLongitude = 10 * Deg;
  ScrollChart(test::Options(), ScrollHorizontal, PartLineUp, 0);  // azimuth grows to the right
  EXPECT_NEAR(s.ChartCenterLongitude, 9 * Deg, 1e-9);
  // The latitude stops at the poles.
  s.ChartCenterLatitude = 89.5 * Deg;
  ScrollChart(test::Options(), ScrollVertical, PartPageUp, 0);
  EXPECT_DOUBLE_EQ(s.ChartCenterLatitude, 1.570796327);
  s.ChartCenterLatitude = -89.5 * Deg;
  ScrollChart(test::Options(), ScrollVertical, PartLineDown, 0);
  EXPECT_DOUBLE_EQ(s.ChartCenterLatitude, -1.570796327);
}

TEST_F(ViewTest, ThumbsRoundTripThroughTheThumbCommand) {
  for (int system : {CoordinatesEquatorial, CoordinatesHorizon}) {
    test::Options().ChartCoordinateSystem = static_cast<CoordinateSystem>(system);
    for (int position = 1; position <= 360; position += 7) {
      ScrollChart(test::Options(), ScrollHorizontal, PartThumbReleased, position);
      EXPECT_EQ(ChartScrollThumbs(test::Options()).horizontal, position) << system;
    }
    for (int position = -90; position <= 90; position += 9) {
      ScrollChart(test::Options(), ScrollVertical, PartThumbReleased, position);
      EXPECT_EQ(ChartScrollThumbs(test::Options()).vertical, position);
    }
  }
  // Longitudes just below 360 stay inside the bar's range.
  test::Options().ChartCoordinateSystem = CoordinatesEquatorial;
  test::Options().ChartCenterLongitude = 359.8 * Deg;
  EXPECT_EQ(ChartScrollThumbs(test::Options()).horizontal, 360);
  test::Options().ChartCoordinateSystem = CoordinatesHorizon;
  EXPECT_EQ(ChartScrollThumbs(test::Options()).horizontal, 1);
}

TEST_F(ViewTest, CenterOnHorizonPoints) {
  test::Options().ChartCoordinateSystem = CoordinatesEcliptic;
  test::Options().CenteredObject = 99999;
  CenterOnHorizonPoint(test::Options(), HorizonWest);
  EXPECT_EQ(test::Options().ChartCoordinateSystem, CoordinatesHorizon);
  EXPECT_EQ(test::Options().CenteredObject, 0u);
  EXPECT_DOUBLE_EQ(test::Options().ChartCenterLongitude, 4.712388981);
  EXPECT_DOUBLE_EQ(test::Options().ChartCenterLatitude, 0);
  CenterOnHorizonPoint(test::Options(), HorizonNadir);
  EXPECT_DOUBLE_EQ(test::Options().ChartCenterLongitude, 3.141592654);
  EXPECT_DOUBLE_EQ(test::Options().ChartCenterLatitude, -1.570796327);
}

TEST_F(ViewTest, CenterAtPixelMakesThatPixelsSkyTheCentre) {
  Matrix3 ecliptic;
  BuildRotation(ecliptic, {{AxisX, -0.409092804}});
  ChartView view;
  view.projection = ProjectionLambert;
  view.system = CoordinatesEcliptic;
  view.centerLon = 1.0;
  view.centerLat = 0.2;
  view.fieldWidth = 60 * Deg;
  CurrentChartFrame() = MakeChartFrame(view, ecliptic, {0, 0, 1}, 0, 0, 800, 600);
  Vector3 under;
  ASSERT_TRUE(ChartToSky(CurrentChartFrame(), 250, 120, under));
  test::Options().CenteredObject = 777;
  ASSERT_TRUE(CenterAtPixel(test::Options(), 250, 120));
  EXPECT_EQ(test::Options().CenteredObject, 0u);
  view.centerLon = test::Options().ChartCenterLongitude;
  view.centerLat = test::Options().ChartCenterLatitude;
  const ChartFrame moved = MakeChartFrame(view, ecliptic, {0, 0, 1}, 0, 0, 800, 600);
  const ChartPoint p = ProjectToChart(
      moved, {under.x * DirectionLength, under.y * DirectionLength, under.z * DirectionLength});
  EXPECT_NEAR(p.x, 400, 1);
  EXPECT_NEAR(p.y, 300, 1);
}

TEST_F(ViewTest, ConvertingBetweenSystemsKeepsTheSkyPoint) {
  Matrix3 a, b;
  BuildRotation(a, {{AxisX, -0.4}});
  BuildRotation(b, {{AxisZ, 1.2}, {AxisY, -0.5}});
  double lon = 2.0, lat = -0.7;
  ConvertCoordinates(a, b, lon, lat);
  EXPECT_GT(std::abs(lon - 2.0) + std::abs(lat + 0.7), 0.1);  // really another system
  ConvertCoordinates(b, a, lon, lat);
  EXPECT_NEAR(lon, 2.0, 1e-12);
  EXPECT_NEAR(lat, -0.7, 1e-12);
}

}  // namespace
}  // namespace qv
