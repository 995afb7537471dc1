// A small sky for chart tests: the platform up (fonts need it), settings for an equatorial
// Lambert chart at J2000 with nothing but what a test turns on, and an object store holding
// database files made in memory. Everything is put back after each test.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "astro/angles.h"
#include "chart/projection.h"
#include "objects/records.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "tests/chart/test_options.h"
#include "tests/support/degree.h"

namespace qv {

using test::Deg;

inline void EmptyStore() {
  for (ObjectId id = FirstFile(); id != 0; id = FirstFile()) UnregisterFile(id);
  Store().indexPath.clear();
  Store().databaseDirectory.clear();
}

class SkyFixture : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitPlatform());
    EmptyStore();
    test::Observing() = ObservingSettings{};
    test::Observing().JulianDate = J2000;  // the current epoch's precession is (nearly) none
    ChartOptions& s = test::Options() = ChartOptions{};
    s.ChartProjection = ProjectionLambert;
    s.ChartCoordinateSystem = CoordinatesEquatorial;
    s.ChartCenterLongitude = 90 * Deg;
    s.ChartCenterLatitude = 20 * Deg;
    s.ChartFieldWidth = 60 * Deg;
    s.ShowHorizonMask = false;
    s.ShowHorizonLine = false;
    s.ShowChartLegend = false;
    s.ShowConstellations = false;
    s.ShowRenderedObjects = false;
    s.ShowPlanets = false;
    test::UpdateSky();
  }
  void TearDown() override {
    EmptyStore();
    SetAlertPresenter({});
    test::Observing() = ObservingSettings{};
    test::Options() = ChartOptions{};
    test::UpdateSky();
  }

  ObjectId NewFile(const std::string& name) {
    auto file = NewDatabaseFile(name);
    return RegisterFile(file);
  }

  static ObjectId AddSkyObject(ObjectId file, ObjectKind kind, double raDeg, double decDeg,
                               double magnitude, double colorIndex = 0.65, double sizeDeg = 0,
                               const std::string& name = "") {
    auto record = NewRecord(kind);
    SkyObjectRecord& sky = *SkyObjectOf(*record);
    sky.position = DirectionFromVector(SphericalToRectangular(raDeg * Deg, decDeg * Deg, 1));
    sky.visualMagnitude = HundredthsFromValue(magnitude);
    sky.colorIndex = HundredthsFromValue(colorIndex);
    sky.distance = UnknownValue;
    sky.radialVelocity = UnknownValue;
    sky.companionOffset = UnknownMagnitude;
    sky.variabilityOffset = UnknownMagnitude;
    sky.size = static_cast<float>(sizeDeg * Deg);
    sky.name = name;
    return AddObject(record, file);
  }

  static ObjectId AddFigureLine(ObjectId file, ObjectId from, ObjectId to,
                                const std::string& name = "") {
    auto record = NewRecord(KindObjectLine);
    LineRecord& line = *LineOf(*record);
    line.ends = {from, to};
    line.name = name;
    return AddObject(record, file);
  }

  // The pixel of a direction in a Lambert chart, worked out from the angle to the centre and
  // its position angle: r = S tan(theta / 2) with S = W / tan(field / 4); east to the left.
  static void ExpectedLambertPixel(double raDeg, double decDeg, int width, int height, int& x,
                                   int& y) {
    const ChartOptions& s = test::Options();
    const double lon0 = s.ChartCenterLongitude, lat0 = s.ChartCenterLatitude;
    const double theta = AngularSeparation(lon0, lat0, raDeg * Deg, decDeg * Deg);
    const double pa = PositionAngle(lon0, lat0, raDeg * Deg, decDeg * Deg);
    const double scale = (width / 2) / std::tan(s.ChartFieldWidth / 4);
    const double r = scale * std::tan(theta / 2);
    x = static_cast<int>(width / 2 - r * std::sin(pa));
    y = static_cast<int>(height / 2 - r * std::cos(pa));
  }
};

}  // namespace qv
