// The line command set against a simulated controller: answers of several lines arriving apart,
// the slow answers the long time-out allows, go to's status codes, jogs and the clock.
#include "telescope/line_command.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "astro/time.h"
#include "generated/string_numbers.h"
#include "tests/telescope/link_fixture.h"
#include "tests/telescope/mount_simulator.h"

namespace qv {
namespace {

constexpr double Arcsecond = std::numbers::pi / 648000;
constexpr int RaSeconds = 5 * 3600 + 34 * 60 + 30, DecArcseconds = -(22 * 3600 + 52);
const EquatorialPosition Target{RaSeconds * 15 * Arcsecond, DecArcseconds* Arcsecond};

TEST(LineCommandReplies, PositionsReadOnlyFromTheirOwnLine) {
  struct Case {
    const char* line;
    double raSeconds, decArcseconds;
  };
  for (const Case& c : {Case{"** RA:05:34:30.0 DEC:-22:00:52.0\n", RaSeconds, DecArcseconds},
                        Case{"**RA:5:34:30 DEC:+0:30:0", RaSeconds, 1800},
                        Case{"** RA: 23:59:59.5  DEC:+89:59:59.9\r\n", 86399.5, 323999.9},
                        Case{"** RA:00:00:00.0 DEC:-90:00:00.0\n", 0, -324000}}) {
    EquatorialPosition p;
    ASSERT_TRUE(ReadLineCommandPosition(c.line, p)) << c.line;
    EXPECT_NEAR(p.ra, c.raSeconds * 15 * Arcsecond, 1e-12) << c.line;
    EXPECT_NEAR(p.dec, c.decArcseconds * Arcsecond, 1e-12) << c.line;
  }
  for (const char* line :
       {"", "**", "RA:05:34:30.0 DEC:+22:00:52.0", "** RA:24:00:00 DEC:+00:00:00",
        "** RA:05:60:00 DEC:+00:00:00", "** RA:05:34:60 DEC:+00:00:00",
        "** RA:05:34:30 DEC:22:00:52", "** RA:05:34:30 DEC:+90:00:01",
        "** RA:05:34:30 DEC:+91:00:00", "** RA:05:34 DEC:+22:00:52",
        "** RA:05:34:nan DEC:+22:00:00", "** RA:-5:34:30 DEC:+22:00:00", "00"}) {
    EquatorialPosition p{7, 7};
    EXPECT_FALSE(ReadLineCommandPosition(line, p)) << line;
    EXPECT_EQ(p.ra, 7);
  }
}

class LineCommandTest : public LinkTest {
 protected:
  void ExpectAt(int raSeconds, int decArcseconds) {
    EXPECT_NEAR(link.position.ra, raSeconds * 15 * Arcsecond, 1e-9);
    EXPECT_NEAR(link.position.dec, decArcseconds * Arcsecond, 1e-9);
  }
};

TEST_F(LineCommandTest, OpensAndReadsAnswersWhoseLinesComeApartAndLate) {
  MountSimulator mount({.protocol = MountProtocol::LineCommand, .lineDelayMs = 300});
  mount.SetPosition(RaSeconds, DecArcseconds);
  ASSERT_EQ(Connect(TelescopeQEICoordinate, mount.PortNumber()), ResultOk);
  EXPECT_EQ(mount.Received(), "D\rR\r");
  ExpectAt(RaSeconds, DecArcseconds);
  // Three seconds is beyond the other mounts' time-out, within this one's.
  mount.Change({.protocol = MountProtocol::LineCommand, .replyDelayMs = 3000});
  mount.SetPosition(3600, 7200);
  EXPECT_EQ(Poll(), PollMoved);
  ExpectAt(3600, 7200);
  EXPECT_TRUE(alerts.empty());
  DisconnectTelescope(link);
  mount.Change({.protocol = MountProtocol::LineCommand, .openStatus = "01"});
  EXPECT_EQ(Connect(TelescopeQEICoordinate, mount.PortNumber()), ResultFailed);
  EXPECT_EQ(alerts, std::vector<int>{MessageNotResponding});
}

TEST_F(LineCommandTest, GoToStatusesAndTheStopAfterASlewingRefusal) {
  struct Case {
    const char* status;
    int result;
    std::vector<int> alerts;
  };
  for (const Case& c :
       {Case{"00", ResultOk, {}}, Case{"01", ResultFailed, {MessageInvalidTarget}},
        Case{"02", ResultMountSlewing, {}}, Case{"04", ResultFailed, {MessageSlewBelowHorizon}},
        Case{"05", ResultFailed, {MessageSlewOutOfReach}}}) {
    SCOPED_TRACE(c.status);
    MountSimulator mount({.protocol = MountProtocol::LineCommand, .goToStatus = c.status});
    ASSERT_EQ(Connect(TelescopeQEICoordinate, mount.PortNumber()), ResultOk);
    mount.ClearReceived();
    SetTelescopeTarget(link, NoObject, Target);
    alerts.clear();
    EXPECT_EQ(TelescopeGoTo(link, sky), c.result);
    EXPECT_EQ(alerts, c.alerts);
    EXPECT_EQ(mount.Received(), "XRA:05:34:30 DEC:-22:00:52\r");
    EXPECT_EQ(mount.RaSeconds(), c.result == ResultOk ? RaSeconds : 0);
    if (c.result == ResultMountSlewing) {  // the caller's question 2803, answered Yes
      mount.ClearReceived();
      EXPECT_EQ(TelescopeStop(link), ResultOk);
      EXPECT_EQ(mount.Received(), "TS\r");
    }
    DisconnectTelescope(link);
  }
}

TEST_F(LineCommandTest, SyncJogsAtTheChosenRateAndSetsTheClockToTheHundredth) {
  MountSimulator mount({.protocol = MountProtocol::LineCommand});
  ASSERT_EQ(Connect(TelescopeQEICoordinate, mount.PortNumber()), ResultOk);
  mount.ClearReceived();
  SetTelescopeTarget(link, NoObject, Target);
  EXPECT_EQ(TelescopeSync(link, sky), ResultOk);
  EXPECT_EQ(Poll(), PollMoved);
  ExpectAt(RaSeconds, DecArcseconds);
  EXPECT_EQ(TelescopeMove(link, true, DirectionNorth), ResultOk);  // 16 x until a speed is set
  EXPECT_EQ(TelescopeMove(link, false, DirectionNorth), ResultOk);
  EXPECT_EQ(TelescopeSetSpeed(link, 2), ResultOk);
  EXPECT_EQ(TelescopeMove(link, true, DirectionEast), ResultOk);
  EXPECT_EQ(TelescopeMove(link, false, DirectionEast), ResultOk);
  EXPECT_EQ(TelescopeSetSpeed(link, 4), ResultOk);
  EXPECT_EQ(TelescopeMove(link, true, DirectionSouth), ResultOk);
  EXPECT_EQ(TelescopeSetSpeed(link, 3), ResultOk);
  EXPECT_EQ(TelescopeMove(link, true, DirectionWest), ResultOk);
  EXPECT_EQ(TelescopeStop(link), ResultOk);
  const double zone = -5.0 / 24;
  for (const double second : {59.996, 7.254}) {
    EXPECT_EQ(
        TelescopeSetDateTime(
            link, CalendarToJulianDate(2024, 3, 10, 23, 4, second, zone, CalendarGregorian), zone),
        ResultOk);
  }
  EXPECT_EQ(mount.Received(),
            "SRA:05:34:30 DEC:-22:00:52\rR\r"
            "JD-16\rJD+0\rJR-8\rJR+0\rJD+2\rJR+4\rTS\r"
            "I23:05:00:00\rI23:04:07:25\r");
  EXPECT_TRUE(alerts.empty());
}

}  // namespace
}  // namespace qv
