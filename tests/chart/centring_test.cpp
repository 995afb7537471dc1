// Centring on objects and planets (with the horizon question), following a deleted object,
// switching coordinate systems, moving the viewpoint around an object, and the Field and
// Center Coordinates dialogs answered by a hook in place of a person.
#include "chart/centring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/textformat.h"
#include "chart/drawing.h"
#include "chart/view.h"
#include "chart/view_dialogs.h"
#include "objects/apparent.h"
#include "objects/sky.h"
#include "platform/dialogs.h"
#include "platform/result.h"
#include "tests/chart/sky_fixture.h"

namespace qv {
namespace {

class CentringTest : public SkyFixture {
 protected:
  void SetUp() override {
    SkyFixture::SetUp();
    SetAlertPresenter([this](int, int, int number, const std::string&) {
      asked.push_back(number);
      return answer;
    });
  }
  void TearDown() override {
    SetModalDialogHook({});
    SkyFixture::TearDown();
  }
  // A star at that altitude on the observer's meridian (latitude 45, sidereal time of J2000).
  ObjectId StarAtAltitude(double altitudeDeg) {
    Vector3 v = SphericalToRectangular(180 * Degree, altitudeDeg * Degree, 1);
    TransformTransposed(SystemMatrix(CurrentSky(), CoordinatesHorizon), v);
    const Spherical s = RectangularToSpherical(v);
    return AddSkyObject(NewFile("stars.qvd"), KindSingleStar, s.lon / Degree, s.lat / Degree, 2.0,
                        0, 0, "Testar");
  }
  int answer = AnswerYes;
  std::vector<int> asked;
};

TEST_F(CentringTest, BelowTheMaskedHorizonAsksFirst) {
  Settings().ViewerLatitude = 45 * Degree;
  Settings().ShowHorizonMask = true;
  UpdateSkyContext();
  const ObjectId low = StarAtAltitude(-10);
  answer = AnswerCancel;
  EXPECT_EQ(CenterOnObject(low), ResultCancelled);
  EXPECT_EQ(Settings().CenteredObject, 0u);
  answer = AnswerNo;
  EXPECT_EQ(CenterOnObject(low), ResultOk);
  EXPECT_EQ(Settings().CenteredObject, low);
  EXPECT_TRUE(Settings().ShowHorizonMask);
  answer = AnswerYes;
  EXPECT_EQ(CenterOnObject(low), ResultOk);
  EXPECT_FALSE(Settings().ShowHorizonMask);
  EXPECT_EQ(asked, (std::vector<int>{540, 540, 540}));
  // Above the horizon nothing is asked.
  asked.clear();
  Settings().ShowHorizonMask = true;
  EXPECT_EQ(CenterOnObject(StarAtAltitude(10)), ResultOk);
  EXPECT_TRUE(asked.empty());
}

TEST_F(CentringTest, TheChartFollowsItsObjectUntilItIsDeleted) {
  const ObjectId star = AddSkyObject(NewFile("stars.qvd"), KindSingleStar, 123, -30, 2.0);
  Settings().TelescopeStayCentered = true;
  ASSERT_EQ(CenterOnObject(star), ResultOk);
  EXPECT_FALSE(Settings().TelescopeStayCentered);
  BuildChartFrame(Rect{0, 0, 800, 600});
  EXPECT_NEAR(Settings().ChartCenterLongitude, 123 * Degree, 1e-6);
  EXPECT_NEAR(Settings().ChartCenterLatitude, -30 * Degree, 1e-6);
  RemoveObject(star);
  BuildChartFrame(Rect{0, 0, 800, 600});
  EXPECT_EQ(Settings().CenteredObject, 0u);
  EXPECT_NEAR(Settings().ChartCenterLongitude, 123 * Degree, 1e-6);  // stays where it was
}

TEST_F(CentringTest, PlanetsByNameAndMessage523) {
  const ObjectId star =
      AddSkyObject(NewFile("stars.qvd"), KindSingleStar, 10, 10, 2.0, 0, 0, "Mars");
  EXPECT_EQ(CenterOnPlanet("Mars"), ResultOk);
  EXPECT_EQ(Settings().CenteredObject, star);
  EXPECT_EQ(CenterOnPlanet("Pluto"), ResultNotFound);
  EXPECT_EQ(asked, std::vector<int>{523});
}

TEST_F(CentringTest, SwitchingSystemsKeepsTheSkyPointCentred) {
  ChartSettings& s = Settings();
  Vector3 before = SphericalToRectangular(s.ChartCenterLongitude, s.ChartCenterLatitude, 1);
  TransformTransposed(SystemMatrix(CurrentSky(), CoordinatesEquatorial), before);
  for (int system :
       {CoordinatesGalactic, CoordinatesHorizon, CoordinatesEcliptic, CoordinatesEquatorial}) {
    SetCoordinateSystem(system);
    EXPECT_EQ(s.ChartCoordinateSystem, system);
    Vector3 now = SphericalToRectangular(s.ChartCenterLongitude, s.ChartCenterLatitude, 1);
    TransformTransposed(SystemMatrix(CurrentSky(), system), now);
    // 1e-9 (0.0002"): longitudes pass through the program's rounded 2 pi on the way.
    EXPECT_NEAR(now.x, before.x, 1e-9);
    EXPECT_NEAR(now.y, before.y, 1e-9);
    EXPECT_NEAR(now.z, before.z, 1e-9);
  }
}

TEST_F(CentringTest, TheViewpointCirclesAndApproachesTheCentredObject) {
  const ObjectId file = NewFile("stars.qvd");
  auto record = NewRecord(KindSingleStar);
  SkyObjectRecord& sky = *SkyObjectOf(*record);
  sky.position = DirectionFromVector(SphericalToRectangular(40 * Degree, 10 * Degree, 1));
  sky.distance = 206264.8f;  // one parsec
  sky.radialVelocity = UnknownValue;
  const ObjectId star = AddObject(record, file);
  Settings().StarParallaxThreshold = 0;  // parallax everywhere, so the viewpoint counts
  UpdateSkyContext();
  ASSERT_EQ(CenterOnObject(star), ResultOk);
  EXPECT_FALSE(MoveViewpointAround(ScrollHorizontal, PartThumbReleased));
  ASSERT_TRUE(MoveViewpointAround(ScrollHorizontal, PartLineUp));
  UpdateSkyContext();
  ChartSettings& s = Settings();
  EXPECT_EQ(s.ViewerObject, star);
  const double d =
      Length({s.ViewerObjectOffset[0], s.ViewerObjectOffset[1], s.ViewerObjectOffset[2]});
  EXPECT_NEAR(d, 206264.8, 1);
  // Seen from there the star stands in the new centre's direction.
  const double lon = s.ChartCenterLongitude;
  BuildChartFrame(Rect{0, 0, 800, 600});
  EXPECT_NEAR(s.ChartCenterLongitude, lon, 1e-6);
  ASSERT_TRUE(MoveViewpointDistance(true));
  const double nearer =
      Length({s.ViewerObjectOffset[0], s.ViewerObjectOffset[1], s.ViewerObjectOffset[2]});
  EXPECT_NEAR(nearer, d * (1 - 3.141592654 / 36), 1);
}

TEST_F(CentringTest, FieldDialogAppliesEveryField) {
  Settings().ChartProjection = ProjectionPlanar;
  SetModalDialogHook([](WindowRef dialog, int number) {
    EXPECT_EQ(number, 258);
    EXPECT_EQ(GetItemText(dialog, 4), "60 00 00");
    EXPECT_EQ(GetItemText(dialog, 10), "36.0");
    SetItemText(dialog, 4, "200 30 00");
    SetItemText(dialog, 6, "12.5");
    SetItemText(dialog, 8, "3");
    SetItemText(dialog, 10, "0");  // no sense: the rate stays
    SetItemValue(dialog, 12, 1);
    PressItem(dialog, 1);
  });
  EXPECT_EQ(RunFieldDialog(), 1);
  const ChartSettings& s = Settings();
  EXPECT_EQ(asked, std::vector<int>{522});
  EXPECT_EQ(s.ChartProjection, ProjectionLambert);
  EXPECT_NEAR(s.ChartFieldWidth, 200.5 * Degree, 1e-9);
  EXPECT_NEAR(s.ChartFieldRotation, 12.5 * Degree, 1e-9);
  EXPECT_DOUBLE_EQ(s.ChartZoomFactor, 3);
  EXPECT_DOUBLE_EQ(s.ChartScrollRate, 36);
  EXPECT_TRUE(s.ChartInvertedHorizontally);
  EXPECT_FALSE(s.ChartInvertedVertically);
}

TEST_F(CentringTest, CenterCoordinatesConvertsWhenTheSystemChanges) {
  Settings().ChartCenterLongitude = 90 * Degree;  // 6h on the equator
  Settings().ChartCenterLatitude = 0;
  Settings().CenteredObject = 99999;
  std::string eclipticLon, eclipticLat;
  SetModalDialogHook([&](WindowRef dialog, int number) {
    EXPECT_EQ(number, 257);
    EXPECT_EQ(GetItemValue(dialog, 4), 1);
    EXPECT_EQ(GetItemText(dialog, 9), "06 00 00.00");
    SendEvent(ControlEvent, dialog, 5, PartClick);  // Ecliptic
    EXPECT_EQ(GetItemValue(dialog, 5), 1);
    EXPECT_EQ(GetItemValue(dialog, 4), 0);
    eclipticLon = GetItemText(dialog, 9);
    eclipticLat = GetItemText(dialog, 11);
    EXPECT_EQ(GetItemText(dialog, 8), "Ecliptic Lon:");
    SetItemText(dialog, 9, "100.5");
    SetItemText(dialog, 11, "-5");
    PressItem(dialog, 1);
  });
  EXPECT_EQ(RunCenterCoordinatesDialog(), 1);
  // 6h on the equator lies at ecliptic longitude 90, latitude minus the obliquity.
  EXPECT_EQ(eclipticLon, "090.0000");
  EXPECT_EQ(eclipticLat.substr(0, 6), "-23.43");
  const ChartSettings& s = Settings();
  EXPECT_EQ(s.ChartCoordinateSystem, CoordinatesEcliptic);
  EXPECT_NEAR(s.ChartCenterLongitude, 100.5 * Degree, 1e-9);
  EXPECT_NEAR(s.ChartCenterLatitude, -5 * Degree, 1e-9);
  EXPECT_EQ(s.CenteredObject, 0u);
}

TEST_F(CentringTest, CancelledDialogsChangeNothing) {
  const ChartSettings before = Settings();
  SetModalDialogHook([](WindowRef dialog, int) {
    SetItemText(dialog, 4, "10 00 00");
    PressItem(dialog, 2);
  });
  EXPECT_EQ(RunFieldDialog(), 2);
  EXPECT_EQ(RunCenterCoordinatesDialog(), 2);
  EXPECT_EQ(Settings().ChartFieldWidth, before.ChartFieldWidth);
  EXPECT_EQ(Settings().ChartCenterLongitude, before.ChartCenterLongitude);
}

}  // namespace
}  // namespace qv
