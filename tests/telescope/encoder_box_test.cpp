// Encoder boxes: the replies read, the swapped axes, and the whole Align flow on a simulated box
// whose mount is turned by a known rotation and whose encoders count 8192 steps a turn, one of
// them backwards.
#include "telescope/encoder_box.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "astro/angles.h"
#include "generated/string_numbers.h"
#include "tests/telescope/link_fixture.h"
#include "tests/telescope/mount_simulator.h"

namespace qv {
namespace {

constexpr double Degree = std::numbers::pi / 180;
constexpr double TwoPi = 2 * std::numbers::pi;
constexpr int32_t Steps = 8192;
constexpr double Step = TwoPi / Steps;  // 2.6'

TEST(EncoderReplies, GreetingsAndCountsReadOnlyWhenWellFormed) {
  for (const auto& [reply, value] :
       {std::pair{"+0123\r", 123}, std::pair{"0\r", 0}, std::pair{" 999 \r\n", 999}}) {
    int got = -1;
    EXPECT_TRUE(ReadEncoderGreeting(reply, got)) << reply;
    EXPECT_EQ(got, value);
  }
  for (const char* reply : {"", "\r", "1000\r", "-1\r", "12 34\r", "12a\r", "abc\r", "+-5\r"}) {
    int got = -1;
    EXPECT_FALSE(ReadEncoderGreeting(reply, got)) << reply;
    EXPECT_EQ(got, -1);
  }
  double a = 0, b = 0;
  ASSERT_TRUE(ReadEncoderCounts("+01234\t-00567\r", a, b));
  EXPECT_EQ(a, 1234);
  EXPECT_EQ(b, -567);
  ASSERT_TRUE(ReadEncoderCounts("12.5 -3", a, b));
  EXPECT_EQ(a, 12.5);
  for (const char* reply : {"", "12\r", "12 34 56\r", "nan 1\r", "1 inf\r", "12,34\r", "+ 1 2\r",
                            "--1 2\r", "1 2x\r"}) {
    a = b = 7;
    EXPECT_FALSE(ReadEncoderCounts(reply, a, b)) << reply;
    EXPECT_EQ(a, 7);
  }
}

class EncoderBoxTest : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    options.TelescopeLonEncoderSteps = Steps;
    options.TelescopeLatEncoderSteps = Steps;
  }
};

TEST_F(EncoderBoxTest, SwappedTakesTheFirstCountForTheAltitudeAxis) {
  struct Case {
    bool boxSwapped, optionSwapped;
    double ra, dec;  // degrees, before any alignment: the mount angles
  };
  for (const Case& c : {Case{false, false, 45, 0}, Case{true, true, 45, 0},
                        Case{false, true, 90, 45}}) {  // 45 + 90 deg folds over the pole
    SCOPED_TRACE(c.optionSwapped + 2 * c.boxSwapped);
    MountSimulator box({.protocol = MountProtocol::EncoderBox, .swapped = c.boxSwapped});
    box.SetCounts(1024, -2048);  // 45 degrees round, 90 degrees down from the pole
    options.TelescopeEncodersSwapped = c.optionSwapped;
    ASSERT_EQ(Connect(TelescopeNGCMax, box.PortNumber()), ResultOk);
    EXPECT_EQ(box.Received(), "PQ");
    EXPECT_NEAR(link.position.ra, c.ra * Degree, 1e-12);
    EXPECT_NEAR(link.position.dec, c.dec * Degree, 1e-12);
    DisconnectTelescope(link);
  }
  MountSimulator box({.protocol = MountProtocol::EncoderBox, .greeting = "1000"});
  EXPECT_EQ(Connect(TelescopeBBox, box.PortNumber()), ResultFailed);
  EXPECT_EQ(alerts, std::vector<int>{MessageNotResponding});
}

// The counts at which a mount turned by rotation (mount -> sky) points at a star; the box
// rounds them to whole steps.
struct Counts {
  long lon, lat;
};
constexpr long LonZero = 500, LatZero = -3000;
constexpr int32_t LatSteps = -Steps;  // the altitude/Dec. encoder counts backwards
Counts CountsFor(const Matrix3& rotation, const EquatorialPosition& star, int mount, double lst) {
  Vector3 m = AlignmentTargetVector(star, mount, lst);
  TransformTransposed(rotation, m);
  const Spherical s = RectangularToSpherical(m);
  return {LonZero + std::lround(s.lon * Steps / TwoPi),
          LatZero + std::lround((s.lat - std::numbers::pi / 2) * LatSteps / TwoPi)};
}

TEST_F(EncoderBoxTest, TwoStarsAlignTheMountToWithinOneEncoderStep) {
  Matrix3 rotation;
  BuildRotation(rotation, {{AxisZ, 1.1}, {AxisY, 0.08}, {AxisX, -0.05}});  // a mount set up askew
  sky.siderealTime = 2.0;
  options.TelescopeLatEncoderSteps = LatSteps;
  const EquatorialPosition stars[] = {{1.0, 0.5}, {3.0, -0.1}};
  for (int mount : {MountEquatorial, MountAltAzimuth}) {
    SCOPED_TRACE(mount);
    MountSimulator box({.protocol = MountProtocol::EncoderBox});
    options.TelescopeMountType = int16_t(mount);
    ASSERT_EQ(Connect(TelescopeSkyVector, box.PortNumber()), ResultOk);
    EXPECT_EQ(AlignmentInstruction(link),
              mount == MountEquatorial ? MessageAlignPolarAxis : MessageAlignAltitudeAxis);
    box.SetCounts(LonZero, LatZero);  // at the pole of the mount
    EXPECT_EQ(TelescopeAlign(link, sky), MessageAlignFirstStar);
    int instruction = 0;
    for (const EquatorialPosition& star : stars) {
      const Counts c = CountsFor(rotation, star, mount, sky.siderealTime);
      box.SetCounts(c.lon, c.lat);
      SetTelescopeTarget(link, NoObject, star);
      instruction = TelescopeAlign(link, sky);
    }
    EXPECT_EQ(instruction, MessageAligned);
    EXPECT_EQ(AlignmentInstruction(link), MessageAligned);
    // The alignment is the rotation to within a step: the stars' counts were rounded by half a
    // step on each axis.
    double worstTurn = 0, worstPosition = 0;
    for (double lon = 0.2; lon < TwoPi; lon += 0.6) {
      for (double lat = -1.2; lat < 1.3; lat += 0.4) {
        Vector3 aligned = SphericalToRectangular(lon, lat, 1.0), turned = aligned;
        Transform(link.alignment.matrix, aligned);
        Transform(rotation, turned);
        const Spherical a = RectangularToSpherical(aligned), t = RectangularToSpherical(turned);
        worstTurn = std::max(worstTurn, AngularSeparation(a.lon, a.lat, t.lon, t.lat));
        // Through the box: the point's own counts are rounded too, half a step on each axis.
        const Counts c = CountsFor(rotation, {lon, lat}, mount, sky.siderealTime);
        box.SetCounts(c.lon, c.lat);
        ASSERT_NE(Poll(), PollFailed);
        worstPosition = std::max(worstPosition,
                                 AngularSeparation(link.position.ra, link.position.dec, lon, lat));
      }
    }
    EXPECT_LT(worstTurn, Step);
    EXPECT_LT(worstPosition, 1.5 * Step);
    std::printf("worst %.2f encoder steps in the rotation, %.2f in a position\n", worstTurn / Step,
                worstPosition / Step);
    EXPECT_TRUE(alerts.empty());
    DisconnectTelescope(link);
  }
}

TEST_F(EncoderBoxTest, AStarTooCloseToThePreviousOneIsQuestioned) {
  MountSimulator box({.protocol = MountProtocol::EncoderBox});
  ASSERT_EQ(Connect(TelescopeAstroMaster, box.PortNumber()), ResultOk);
  box.SetCounts(0, 0);
  EXPECT_EQ(TelescopeAlign(link, sky), MessageAlignFirstStar);
  // Unrotated mount: a star at R.A. r, Dec. d sits at counts r, d - 90 degrees.
  const auto point = [&](double ra, double dec) {
    box.SetCounts(std::lround(ra / Step), std::lround((dec - 90 * Degree) / Step));
    SetTelescopeTarget(link, NoObject, {ra, dec});
  };
  point(0, 0);
  EXPECT_EQ(TelescopeAlign(link, sky), MessageAlignSecondStar);
  point(5 * Degree, 0);
  answer = AnswerNo;
  EXPECT_EQ(TelescopeAlign(link, sky), 0);
  ASSERT_EQ(alerts, std::vector<int>{MessageAlignmentTooClose});
  EXPECT_NE(texts[0].find("5.0\xC2\xB0"), std::string::npos) << texts[0];
  EXPECT_EQ(link.alignment.state, AlignmentOneStar);
  answer = AnswerYes;
  EXPECT_EQ(TelescopeAlign(link, sky), MessageAligned);
  EXPECT_EQ(link.alignment.state, AlignmentAligned);
}

}  // namespace
}  // namespace qv
