// Centring on objects and planets (with the horizon question), following a deleted object,
// switching coordinate systems and moving the viewpoint around an object.
#include "chart/centring.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/drawing.h"
#include "chart/view.h"
#include "objects/apparent.h"
#include "objects/sky.h"
#include "objects/textformat.h"
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
  // A star at that altitude on the observer's meridian (latitude 45, sidereal time of J2000).
  ObjectId StarAtAltitude(double altitudeDeg) {
    Vector3 v = SphericalToRectangular(180 * Deg, altitudeDeg * Deg, 1);
    TransformTransposed(SystemMatrix(CurrentSky(), CoordinatesHorizon), v);
    const Spherical s = RectangularToSpherical(v);
    return AddSkyObject(NewFile("stars.qvd"), KindSingleStar, s.lon / Deg, s.lat / Deg, 2.0, 0, 0,
                        "Testar");
  }
  int answer = AnswerYes;
  std::vector<int> asked;
};

TEST_F(CentringTest, BelowTheMaskedHorizonAsksFirst) {
  test::Observing().ViewerLatitude = 45 * Deg;
  test::Options().ShowHorizonMask = true;
  test::UpdateSky();
  const ObjectId low = StarAtAltitude(-10);
  answer = AnswerCancel;
  EXPECT_EQ(CenterOnObject(test::Options(), low), ResultCancelled);
  EXPECT_EQ(test::Options().CenteredObject, 0u);
  answer = AnswerNo;
  EXPECT_EQ(CenterOnObject(test::Options(), low), ResultOk);
  EXPECT_EQ(test::Options().CenteredObject, low);
  EXPECT_TRUE(test::Options().ShowHorizonMask);
  answer = AnswerYes;
  EXPECT_EQ(CenterOnObject(test::Options(), low), ResultOk);
  EXPECT_FALSE(test::Options().ShowHorizonMask);
  EXPECT_EQ(asked, (std::vector<int>{540, 540, 540}));
  // Above the horizon nothing is asked.
  asked.clear();
  test::Options().ShowHorizonMask = true;
  EXPECT_EQ(CenterOnObject(test::Options(), StarAtAltitude(10)), ResultOk);
  EXPECT_TRUE(asked.empty());
}

TEST_F(CentringTest, TheChartFollowsItsObjectUntilItIsDeleted) {
  const ObjectId star = AddSkyObject(NewFile("stars.qvd"), KindSingleStar, 123, -30, 2.0);
  ASSERT_EQ(CenterOnObject(test::Options(), star), ResultOk);
  FollowCentre(test::Options(), nullptr);
  EXPECT_NEAR(test::Options().ChartCenterLongitude, 123 * Deg, 1e-6);
  EXPECT_NEAR(test::Options().ChartCenterLatitude, -30 * Deg, 1e-6);
  RemoveObject(star);
  FollowCentre(test::Options(), nullptr);
  EXPECT_EQ(test::Options().CenteredObject, 0u);
  EXPECT_NEAR(test::Options().ChartCenterLongitude, 123 * Deg, 1e-6);  // stays where it was
}

TEST_F(CentringTest, PlanetsByNameAndMessage523) {
  const ObjectId star =
      AddSkyObject(NewFile("stars.qvd"), KindSingleStar, 10, 10, 2.0, 0, 0, "Mars");
  EXPECT_EQ(CenterOnPlanet(test::Options(), "Mars"), ResultOk);
  EXPECT_EQ(test::Options().CenteredObject, star);
  EXPECT_EQ(CenterOnPlanet(test::Options(), "Pluto"), ResultNotFound);
  EXPECT_EQ(asked, std::vector<int>{523});
}

TEST_F(CentringTest, SwitchingSystemsKeepsTheSkyPointCentred) {
  ChartOptions& s = test::Options();
  Vector3 before = SphericalToRectangular(s.ChartCenterLongitude, s.ChartCenterLatitude, 1);
  TransformTransposed(SystemMatrix(CurrentSky(), CoordinatesEquatorial), before);
  for (int system :
       {CoordinatesGalactic, CoordinatesHorizon, CoordinatesEcliptic, CoordinatesEquatorial}) {
    SetCoordinateSystem(test::Options(), system);
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
  sky.position = DirectionFromVector(SphericalToRectangular(40 * Deg, 10 * Deg, 1));
  sky.distance = 206264.8f;  // one parsec
  sky.radialVelocity = UnknownValue;
  const ObjectId star = AddObject(record, file);
  test::Observing().StarParallaxThreshold = 0;  // parallax everywhere, so the viewpoint counts
  test::UpdateSky();
  ASSERT_EQ(CenterOnObject(test::Options(), star), ResultOk);
  EXPECT_FALSE(
      MoveViewpointAround(test::Options(), test::Observing(), ScrollHorizontal, PartThumbReleased));
  ASSERT_TRUE(
      MoveViewpointAround(test::Options(), test::Observing(), ScrollHorizontal, PartLineUp));
  test::UpdateSky();
  ChartOptions& s = test::Options();
  EXPECT_EQ(test::Observing().ViewerObject, star);
  const double d =
      Length({test::Observing().ViewerObjectOffset[0], test::Observing().ViewerObjectOffset[1],
              test::Observing().ViewerObjectOffset[2]});
  EXPECT_NEAR(d, 206264.8, 1);
  // Seen from there the star stands in the new centre's direction.
  const double lon = s.ChartCenterLongitude;
  BuildChartFrame(Rect{0, 0, 800, 600}, test::Options());
  EXPECT_NEAR(s.ChartCenterLongitude, lon, 1e-6);
  ASSERT_TRUE(MoveViewpointDistance(test::Options(), test::Observing(), true));
  const double nearer =
      Length({test::Observing().ViewerObjectOffset[0], test::Observing().ViewerObjectOffset[1],
              test::Observing().ViewerObjectOffset[2]});
  EXPECT_NEAR(nearer, d * (1 - 3.141592654 / 36), 1);
}

}  // namespace
}  // namespace qv
