// The link without a mount: emulation (no port, no byte written, the motion model and the
// mouse), when polls are due, the marker's 1" threshold, targets, and the precession between
// J2000 and the equator of date.
#include "telescope/link.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "generated/string_numbers.h"
#include "telescope/target.h"
#include "tests/telescope/link_fixture.h"
#include "tests/telescope/mount_simulator.h"

namespace qv {
namespace {

constexpr double Degree = std::numbers::pi / 180;
constexpr double Arcsecond = Degree / 3600;

TEST_F(LinkTest, EmulationOpensNoPortAndWritesNoByte) {
  MountSimulator mount;  // listening on the chosen port, to catch any byte
  int mouseInterfaces = 0;
  for (int kind = 1; kind <= TelescopeKindCount; ++kind) {
    SCOPED_TRACE(kind);
    ASSERT_EQ(Connect(TelescopeKind(kind), mount.PortNumber(), true), ResultOk);
    EXPECT_EQ(link.port, NoSerialPort);
    mouseInterfaces += InterfaceOf(TelescopeKind(kind)).emulation == EmulationKind::Mouse;
    SetTelescopeTarget(link, NoObject, {1, 0.5});
    TelescopeGoTo(link, sky);
    TelescopeSync(link, sky);
    TelescopeMove(link, true, DirectionEast);
    TelescopeStop(link);
    TelescopeSetSpeed(link, 3);
    TelescopeAlign(link, sky);
    if (InterfaceOffers(TelescopeKind(kind), OperationSetDateTime)) {
      EXPECT_EQ(TelescopeSetDateTime(link, J2000, 0), ResultOk);
    }
    if (InterfaceOffers(TelescopeKind(kind), OperationSetSite)) {
      EXPECT_EQ(TelescopeSetSite(link, 0.1, 0.7, 0), ResultOk);
    }
    EXPECT_NE(Poll(), PollFailed);
    DisconnectTelescope(link);
  }
  EXPECT_EQ(mount.Received(1), "");  // waits a second for a byte that never comes
  EXPECT_TRUE(waits().empty());
  EXPECT_EQ(mouseInterfaces, 7);  // the Magellans and the encoder boxes
  EXPECT_EQ(alerts, std::vector<int>(mouseInterfaces, MessageMouseEmulation));
  ASSERT_EQ(Connect(TelescopeLX200, 999, true), ResultOk);  // no such port at all
  EXPECT_TRUE(link.connected && link.showMarker);
}

TEST_F(LinkTest, EmulatedGoToSlewsEightDegreesPerSecondOfPollingTheShortWay) {
  options.TelescopeUpdatesPerSec = 2;
  ASSERT_EQ(Connect(TelescopeLX200, 0, true), ResultOk);
  const EquatorialPosition target{5 * Degree, 18 * Degree};  // 10 deg of R.A. across 0h
  link.emulated.position = {355 * Degree, 0};
  SetTelescopeTarget(link, NoObject, target);
  ASSERT_EQ(TelescopeGoTo(link, sky), ResultOk);
  uint32_t now = link.lastPollMs;
  struct Step {
    double ra, dec;  // degrees after the poll
  };
  for (const Step& step : {Step{359, 4}, Step{3, 8}, Step{5, 12}, Step{5, 16}, Step{5, 18}}) {
    EXPECT_EQ(PollTelescope(link, sky, now += 500), PollMoved);
    EXPECT_NEAR(link.position.ra, step.ra * Degree, 1e-9);  // the step is 8 program degrees
    EXPECT_NEAR(link.position.dec, step.dec * Degree, 1e-9);
  }
  EXPECT_EQ(link.emulated.motion, MotionIdle);
  EXPECT_EQ(PollTelescope(link, sky, now += 500), PollUnchanged);
}

TEST_F(LinkTest, EmulatedArrowsMoveAtTheSpeedsRateAndStopAtThePole) {
  ASSERT_EQ(Connect(TelescopeLX200, 0, true), ResultOk);
  link.emulated.position = {0, 80 * Degree};
  ASSERT_EQ(TelescopeSetSpeed(link, 2), ResultOk);  // find: 2 deg/s
  uint32_t now = link.lastPollMs;
  ASSERT_EQ(TelescopeMove(link, true, DirectionNorth), ResultOk);
  PollTelescope(link, sky, now += 1500);
  EXPECT_NEAR(link.position.dec, 83 * Degree, 1e-9);
  PollTelescope(link, sky, now += 10000);
  EXPECT_DOUBLE_EQ(link.position.dec, std::numbers::pi / 2);
  TelescopeMove(link, false, DirectionNorth);
  ASSERT_EQ(TelescopeSetSpeed(link, 3), ResultOk);  // center: 480"/s
  TelescopeMove(link, true, DirectionWest);
  PollTelescope(link, sky, now += 1000);
  EXPECT_NEAR(link.position.ra, 2 * std::numbers::pi - 480 * Arcsecond, 1e-9);
}

TEST_F(LinkTest, MouseEmulationFollowsTheMouseWhileShiftIsHeld) {
  ASSERT_EQ(Connect(TelescopeMagellanI, 0, true), ResultOk);
  EXPECT_EQ(alerts, std::vector<int>{MessageMouseEmulation});
  const EquatorialPosition mouse{2.0, -0.3};
  EXPECT_EQ(PollTelescope(link, sky, TickCount(), &mouse), PollMoved);
  EXPECT_EQ(link.position.ra, 2.0);
  EXPECT_EQ(link.position.dec, -0.3);
  EXPECT_EQ(Poll(), PollUnchanged);  // Shift released: it stays
}

TEST_F(LinkTest, EmulatedSettingCirclesAlignOnTwoStarsThroughTheLink) {
  ASSERT_EQ(Connect(TelescopeSkyWizard, 0, true), ResultOk);
  EXPECT_EQ(TelescopeSync(link, sky), ResultFailed);  // Align takes its place
  AlignmentMeasure star;
  ASSERT_EQ(MeasureAlignmentStar(link, sky, star), ResultOk);
  EXPECT_EQ(star.instruction, MessageAlignFirstStar);
  // The emulated mount angles are the sky under the mouse, so two stars align it exactly.
  int instruction = 0;
  for (const EquatorialPosition& at : {EquatorialPosition{1.0, 0.2}, {2.2, -0.4}}) {
    EXPECT_NE(PollTelescope(link, sky, TickCount(), &at), PollFailed);
    SetTelescopeTarget(link, NoObject, at);
    ASSERT_EQ(MeasureAlignmentStar(link, sky, star), ResultOk);
    EXPECT_FALSE(star.questions.offset || star.questions.tooClose);
    instruction = TakeTelescopeAlignmentStar(link, star);
  }
  EXPECT_EQ(instruction, MessageAligned);
  const EquatorialPosition third{4.0, 0.9};
  EXPECT_EQ(PollTelescope(link, sky, TickCount(), &third), PollMoved);
  EXPECT_NEAR(link.position.ra, third.ra, 1e-9);
  EXPECT_NEAR(link.position.dec, third.dec, 1e-9);
}

TEST_F(LinkTest, PollsAreDueAfterTheIntervalAndNeverAtZeroPerSecond) {
  options.TelescopeUpdatesPerSec = 4;
  ASSERT_EQ(Connect(TelescopeLX200, 0, true), ResultOk);
  const uint32_t last = link.lastPollMs;
  EXPECT_FALSE(TelescopePollDue(link, last + 250));
  EXPECT_TRUE(TelescopePollDue(link, last + 251));
  link.options.TelescopeUpdatesPerSec = 0;
  for (uint32_t later : {1u, 1000u, 100000u, 0x80000000u}) {
    EXPECT_FALSE(TelescopePollDue(link, last + later));
  }
  link.options.TelescopeUpdatesPerSec = 4;
  DisconnectTelescope(link);
  EXPECT_FALSE(TelescopePollDue(link, last + 1000));
}

TEST_F(LinkTest, ChangesBelowOneArcsecondLeaveTheMarker) {
  ASSERT_EQ(Connect(TelescopeLX200, 0, true), ResultOk);
  const EquatorialPosition start = link.position;
  link.emulated.position.ra = start.ra + 0.9 * Arcsecond;
  EXPECT_EQ(Poll(), PollUnchanged);
  EXPECT_EQ(link.position.ra, start.ra);
  link.emulated.position.ra = 2 * std::numbers::pi - 0.9 * Arcsecond;  // across 0h
  EXPECT_EQ(Poll(), PollUnchanged);
  link.emulated.position.dec = start.dec + 1.1 * Arcsecond;
  EXPECT_EQ(Poll(), PollMoved);
}

TEST_F(LinkTest, TrackingSendsTheTelescopeAfterAMovingTarget) {
  ASSERT_EQ(Connect(TelescopeLX200, 0, true), ResultOk);
  std::unique_ptr<ObjectRecord> planet = NewRecord(KindMars);
  planet->id = MakeObjectId(3, 7);
  OrbitOf(*planet)->current = DirectionFromVector({0, 1, 0});  // R.A. 6h, Dec. 0
  SetTelescopeTarget(link, planet->id, {0, 0});
  EXPECT_EQ(TrackTelescopeTarget(link, sky, *planet), ResultOk);
  EXPECT_NEAR(link.target.position.ra, std::numbers::pi / 2, 1e-9);
  EXPECT_EQ(link.emulated.motion, MotionIdle);  // tracking off: the target only
  link.trackMovingTargets = true;
  EXPECT_EQ(TrackTelescopeTarget(link, sky, *planet), ResultOk);
  EXPECT_EQ(link.emulated.motion, MotionSlewing);
  planet->id = MakeObjectId(3, 8);
  EXPECT_EQ(TrackTelescopeTarget(link, sky, *planet), ResultFailed);  // not the target
}

TEST(TelescopeTarget, SizesInArcminutesForDeepSkyAndArcsecondsOtherwise) {
  std::unique_ptr<ObjectRecord> galaxy = NewRecord(KindGalaxy), star = NewRecord(KindMultipleStar);
  SkyObjectOf(*galaxy)->size = float(178.0 / 3437.74677);
  EXPECT_EQ(TargetSizeText(*galaxy), "178.0'");
  SkyObjectOf(*star)->size = float(4.5 / 206264.8062);
  EXPECT_EQ(TargetSizeText(*star), "4.5\"");
  SkyObjectOf(*star)->size = 0;
  EXPECT_EQ(TargetSizeText(*star), "");
  SkyObjectOf(*star)->size = UnknownValue;
  EXPECT_EQ(TargetSizeText(*star), "");
}

// Reference: J. Meeus, Astronomical Algorithms (1998), example 21.b: theta Persei's mean place
// J2000 (proper motion applied to the date) precessed to 2028 Nov 13.19 TD (JDE 2462088.69). The
// book rounds to 1e-6 degree (0.004"), well inside the 0.1" asked of the telescope's frame.
TEST(EquatorOfDate, MatchesTheWorkedExampleAndRoundTripsWithinATenthOfAnArcsecond) {
  const EquatorialPosition mean{41.054063 * Degree, 49.227750 * Degree};
  const EquatorialPosition ofDate = J2000ToEquatorOfDate(mean, 2462088.69);
  EXPECT_NEAR(ofDate.ra, 41.547214 * Degree, 0.02 * Arcsecond);
  EXPECT_NEAR(ofDate.dec, 49.348483 * Degree, 0.02 * Arcsecond);
  double worst = 0;
  for (double jde : {2415020.5, 2451545.0, 2460676.5, 2488069.5}) {
    for (double ra = 0.05; ra < 2 * std::numbers::pi; ra += 0.7) {
      for (double dec = -89.5 * Degree; dec < 90 * Degree; dec += 19.9 * Degree) {
        const EquatorialPosition back =
            EquatorOfDateToJ2000(J2000ToEquatorOfDate({ra, dec}, jde), jde);
        worst =
            std::max({worst, std::fabs(back.ra - ra) * std::cos(dec), std::fabs(back.dec - dec)});
      }
    }
  }
  EXPECT_LT(worst, 0.1 * Arcsecond);
  std::printf("worst round trip %.2e arcseconds\n", worst / Arcsecond);
}

}  // namespace
}  // namespace qv
