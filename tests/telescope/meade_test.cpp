// The Meade driver against a simulated mount on a pseudo-terminal: the replies of both
// precisions and every degree separator, the exact bytes of each command, the mount's refusals,
// and links that fail (silent, slow, unterminated, garbled).
#include "telescope/meade.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "astro/time.h"
#include "generated/string_numbers.h"
#include "telescope/serial_exchange.h"
#include "tests/telescope/link_fixture.h"
#include "tests/telescope/mount_simulator.h"

namespace qv {
namespace {

constexpr double Arcsecond = std::numbers::pi / 648000;
double Hms(int h, int m, double s) { return (h + m / 60.0 + s / 3600.0) * std::numbers::pi / 12; }
double Dms(int d, int m, double s) {
  const double v = std::abs(d) + m / 60.0 + s / 3600.0;
  return (d < 0 ? -v : v) * std::numbers::pi / 180;
}

TEST(MeadeReplies, BothPrecisionsAndEverySeparatorReadToTheSecond) {
  struct Case {
    const char* reply;
    double value;
  };
  for (const Case& c : {Case{"05:34.5#", Hms(5, 34, 30)}, Case{"05:34:30#", Hms(5, 34, 30)},
                        Case{"00:00.0#", 0}, Case{"23:59:59#", Hms(23, 59, 59)}}) {
    double ra = -1;
    EXPECT_TRUE(ReadMeadeRightAscension(c.reply, ra)) << c.reply;
    EXPECT_NEAR(ra, c.value, 1e-12) << c.reply;
  }
  for (const Case& c : {Case{"+12*34#", Dms(12, 34, 0)},
                        Case{"+12\xDF"
                             "34#",
                             Dms(12, 34, 0)},
                        Case{"+12:34#", Dms(12, 34, 0)}, Case{"-00*30#", -Dms(0, 30, 0)},
                        Case{"+12*34:56#", Dms(12, 34, 56)},
                        Case{"-89\xDF"
                             "59'59#",
                             -Dms(89, 59, 59)},
                        Case{"+90*00:00#", Dms(90, 0, 0)}}) {
    double dec = -9;
    EXPECT_TRUE(ReadMeadeDeclination(c.reply, dec)) << c.reply;
    EXPECT_NEAR(dec, c.value, 1e-12) << c.reply;
  }
}

TEST(MeadeReplies, AnythingElseIsAFailedReadThatLeavesThePosition) {
  for (const char* reply :
       {"", "#", "05:34.5", "5:34.5#", "24:00.0#", "05:60.0#", "05:34#", "05:34.55#", "05:34:60#",
        "05:34:3#", "05-34.5#", "05:34.5##", "+12*34#", " 05:34.5#"}) {
    double ra = 7;
    EXPECT_FALSE(ReadMeadeRightAscension(reply, ra)) << reply;
    EXPECT_EQ(ra, 7);
  }
  for (const char* reply :
       {"", "12*34#", " 12*34#", "+91*00#", "+90*01#", "+12*60#", "+12x34#", "+12*34", "+12*34:5#",
        "+12*34:56:00#", "+12*34.5#", "+1*34#", "05:34.5#"}) {
    double dec = 7;
    EXPECT_FALSE(ReadMeadeDeclination(reply, dec)) << reply;
    EXPECT_EQ(dec, 7);
  }
}

class MeadeTest : public LinkTest {
 protected:
  // The position as the mount reports it, J2000 at the fixture's time.
  void ExpectPosition(double ra, double dec, double tolerance) {
    EXPECT_NEAR(link.position.ra, ra, tolerance);
    EXPECT_NEAR(link.position.dec, dec, tolerance);
  }
};

TEST_F(MeadeTest, ConnectingAsksTheModeAndReadsEveryHandsetsPosition) {
  struct Variant {
    bool high;  // low precision: R.A. to 6 s of time, Dec. to 1'
    char separator;
  };
  for (const Variant& v :
       {Variant{false, '*'}, Variant{false, '\xDF'}, Variant{true, ':'}, Variant{true, '\xDF'}}) {
    MountSimulator mount({.highPrecision = v.high, .degreeSeparator = v.separator});
    mount.SetPosition(5 * 3600 + 34 * 60 + 30, -(12 * 3600 + 34 * 60 + (v.high ? 56 : 0)));
    ASSERT_EQ(Connect(TelescopeLX200, mount.PortNumber()), ResultOk);
    EXPECT_EQ(mount.Received(), "\x06:GR#:GD#");
    EXPECT_TRUE(link.connected && link.showMarker);
    ExpectPosition(Hms(5, 34, 30), -Dms(12, 34, v.high ? 56 : 0), 1e-9);
    DisconnectTelescope(link);
  }
  EXPECT_TRUE(alerts.empty());
}

TEST_F(MeadeTest, PositionsOfDateArePrecessedToJ2000) {
  MountSimulator mount({.highPrecision = true});
  mount.SetPosition(6 * 3600, 20 * 3600);
  sky.jde = 2460676.5;  // 2025 January 1: 25 years of precession, about 21' in R.A. here
  ASSERT_EQ(Connect(TelescopeLX200, mount.PortNumber()), ResultOk);
  const EquatorialPosition ofDate = J2000ToEquatorOfDate(link.position, sky.jde);
  EXPECT_NEAR(ofDate.ra, Hms(6, 0, 0), 1e-9);
  EXPECT_NEAR(ofDate.dec, Dms(20, 0, 0), 1e-9);
  EXPECT_GT(std::fabs(link.position.ra - Hms(6, 0, 0)), 600 * Arcsecond);
}

TEST_F(MeadeTest, AWrongModeByteFailsTheConnectionAndFreesThePort) {
  MountSimulator mount({.alignmentMode = 'X'});
  EXPECT_EQ(Connect(TelescopeLX200, mount.PortNumber()), ResultFailed);
  EXPECT_EQ(alerts, std::vector<int>{MessageNotResponding});
  EXPECT_FALSE(link.connected);
  EXPECT_EQ(link.port, NoSerialPort);
  const SerialPort again = OpenSerialPort(mount.PortNumber(), 256, 256);
  EXPECT_NE(again, NoSerialPort);
  CloseSerialPort(again);
}

TEST_F(MeadeTest, ABrokenLinkDisconnectsOnceWithNotResponding) {
  struct Fault {
    const char* what;
    MountSimulatorOptions options;
  };
  for (const Fault& f : {Fault{"silent", {.silentAfter = 3}},  // after the connection's three
                         Fault{"no terminator", {.noTerminator = true}},
                         Fault{"garbled", {.declinationReply = "+12*3#"}}}) {
    SCOPED_TRACE(f.what);
    MountSimulator mount;
    mount.SetPosition(3600, 3600);
    ASSERT_EQ(Connect(TelescopeLX200, mount.PortNumber()), ResultOk);
    const EquatorialPosition before = link.position;
    mount.Change(f.options);
    mount.SetPosition(7200, 7200);
    alerts.clear();
    const uint32_t start = TickCount();
    EXPECT_EQ(Poll(), PollFailed);
    EXPECT_LT(TickCount() - start, 2 * ReplyTimeoutMs);  // one exchange's time-out, not more
    EXPECT_EQ(alerts, std::vector<int>{MessageNotResponding});
    EXPECT_FALSE(link.connected);
    EXPECT_EQ(link.position.ra, before.ra);  // never a wrong position
    EXPECT_EQ(Poll(), PollFailed);           // disconnected: no second message
    EXPECT_EQ(alerts.size(), 1u);
  }
}

TEST_F(MeadeTest, RepliesLateWithinTheTimeOutAreRead) {
  MountSimulator mount({.highPrecision = true});
  ASSERT_EQ(Connect(TelescopeLX200, mount.PortNumber()), ResultOk);
  mount.Change({.highPrecision = true, .replyDelayMs = 1500});
  mount.SetPosition(10 * 3600, -3600);
  EXPECT_EQ(Poll(), PollMoved);
  ExpectPosition(Hms(10, 0, 0), -Dms(1, 0, 0), 1e-9);
  EXPECT_TRUE(alerts.empty());
}

TEST_F(MeadeTest, GoToAndSyncSendTheTargetAndTheMountMoves) {
  struct Case {
    int (*command)(TelescopeLink&, const TelescopeSky&);
    EquatorialPosition target;
    const char* sent;
    int raSeconds, decArcseconds;  // the mount's position after it
  };
  MountSimulator mount;
  ASSERT_EQ(Connect(TelescopeLX200, mount.PortNumber()), ResultOk);
  for (const Case& c :
       {Case{TelescopeGoTo,
             {Hms(5, 34, 30), Dms(22, 0, 52)},
             ":Sr 05:34.5#:Sd +22*01#:MS#",
             20070,
             22 * 3600 + 60},
        // Rounding carries: 23h 59m 59.9s is 00:00.0, -0.5" is +00*00, 59' 50" a degree.
        Case{TelescopeGoTo,
             {Hms(23, 59, 59.9), -0.5 * Arcsecond},
             ":Sr 00:00.0#:Sd +00*00#:MS#",
             0,
             0},
        Case{TelescopeGoTo,
             {Hms(1, 59, 58), -Dms(0, 59, 50)},
             ":Sr 02:00.0#:Sd -01*00#:MS#",
             7200,
             -3600},
        // The mount's long answer to ":CM#" must not disturb the next poll.
        Case{TelescopeSync,
             {Hms(0, 42, 44), Dms(41, 16, 9)},
             ":Sr 00:42.7#:Sd +41*16#:CM#",
             42 * 60 + 42,
             41 * 3600 + 16 * 60}}) {
    SCOPED_TRACE(c.sent);
    mount.ClearReceived();
    SetTelescopeTarget(link, NoObject, c.target);
    EXPECT_EQ(c.command(link, sky), ResultOk);
    EXPECT_EQ(mount.Received(), c.sent);
    EXPECT_NE(Poll(), PollFailed);
    ExpectPosition(c.raSeconds * 15 * Arcsecond, c.decArcseconds * Arcsecond, 1e-9);
  }
  EXPECT_TRUE(alerts.empty());
}

TEST_F(MeadeTest, RefusedSlewsReportWhyAndLeaveTheTelescope) {
  for (const auto& [reply, message] :
       {std::pair{'1', MessageSlewBelowHorizon}, std::pair{'2', MessageSlewOutOfReach}}) {
    MountSimulator mount({.slewReply = reply});
    mount.SetPosition(3600, 3600);
    ASSERT_EQ(Connect(TelescopeLX200, mount.PortNumber()), ResultOk);
    alerts.clear();
    SetTelescopeTarget(link, NoObject, {Hms(5, 0, 0), Dms(-40, 0, 0)});
    EXPECT_EQ(TelescopeGoTo(link, sky), ResultFailed);
    EXPECT_EQ(alerts, std::vector<int>{message});
    // The rest of the mount's reply is dropped before the next command.
    EXPECT_EQ(Poll(), PollUnchanged);
    EXPECT_EQ(mount.RaSeconds(), 3600);
    DisconnectTelescope(link);
  }
}

TEST_F(MeadeTest, RejectedCoordinatesAreShownInTheMessage) {
  MountSimulator mount({.rejectTarget = true});
  ASSERT_EQ(Connect(TelescopeLX200, mount.PortNumber()), ResultOk);
  mount.ClearReceived();
  SetTelescopeTarget(link, NoObject, {Hms(5, 34, 30), -Dms(22, 0, 52)});
  EXPECT_EQ(TelescopeGoTo(link, sky), ResultFailed);
  EXPECT_EQ(mount.Received(), ":Sr 05:34.5#");  // nothing more after the refusal
  ASSERT_EQ(alerts, std::vector<int>{MessageInvalidTarget});
  EXPECT_NE(texts[0].find("(R.A. 05 34 30.0, Dec. -22 00 52)"), std::string::npos) << texts[0];
}

TEST_F(MeadeTest, MovesStopsAndSpeeds) {
  MountSimulator mount;
  ASSERT_EQ(Connect(TelescopeLX200, mount.PortNumber()), ResultOk);
  mount.ClearReceived();
  EXPECT_EQ(TelescopeMove(link, true, DirectionNorth), ResultOk);
  EXPECT_EQ(link.direction, DirectionNorth);
  EXPECT_EQ(TelescopeMove(link, false, DirectionNorth), ResultOk);
  EXPECT_EQ(TelescopeMove(link, true, DirectionWest), ResultOk);
  EXPECT_EQ(TelescopeStop(link), ResultOk);
  EXPECT_EQ(link.direction, DirectionNone);
  for (int speed = 1; speed <= 4; ++speed) EXPECT_EQ(TelescopeSetSpeed(link, speed), ResultOk);
  EXPECT_EQ(TelescopeSetSpeed(link, 5), ResultFailed);
  const std::string sent = ":Mn#:Qn#:Mw#:Q#:Qn#:Qe#:Qs#:Qw#:RS#:RM#:RC#:RG#";
  EXPECT_EQ(mount.Received(sent.size()), sent);  // no replies: wait for the bytes to arrive
}

TEST_F(MeadeTest, ClockAndSiteCommands) {
  MountSimulator mount;
  ASSERT_EQ(Connect(TelescopeLX200, mount.PortNumber()), ResultOk);
  mount.ClearReceived();
  // 23:59:59.7 local time, five hours west of Greenwich: the seconds would print as 60.
  const double zone = -5.0 / 24;
  const double late = CalendarToJulianDate(2024, 3, 10, 23, 59, 59.7, zone, CalendarGregorian);
  EXPECT_EQ(TelescopeSetDateTime(link, late, zone), ResultOk);
  EXPECT_EQ(waits(), std::vector<int>{5000});
  const double noon = CalendarToJulianDate(1999, 12, 31, 12, 0, 0, 0, CalendarGregorian);
  EXPECT_EQ(TelescopeSetDateTime(link, noon, 0), ResultOk);
  EXPECT_EQ(mount.Received(),
            ":SG +05#:SL 00:00:00#:SC 03/11/24#"
            ":SG +00#:SL 12:00:00#:SC 12/31/99#");
  mount.ClearReceived();
  EXPECT_EQ(TelescopeSetSite(link, -Dms(71, 30, 0), -Dms(33, 15, 0), zone), ResultOk);
  EXPECT_EQ(TelescopeSetSite(link, Dms(0, 0, 20), Dms(51, 28, 40), 1.0 / 24), ResultOk);
  EXPECT_EQ(mount.Received(),
            ":SG +05#:St -33*15#:Sg 071*30#"
            ":SG -01#:St +51*29#:Sg 000*00#");
  EXPECT_TRUE(alerts.empty());
}

TEST_F(MeadeTest, MagellansOnlyReadSetTheSiteAndTheClock) {
  MountSimulator mount;
  ASSERT_EQ(Connect(TelescopeMagellanI, mount.PortNumber()), ResultOk);
  mount.ClearReceived();
  EXPECT_EQ(TelescopeGoTo(link, sky), ResultFailed);
  EXPECT_EQ(TelescopeSync(link, sky), ResultFailed);
  EXPECT_EQ(TelescopeStop(link), ResultFailed);
  EXPECT_EQ(TelescopeMove(link, true, DirectionEast), ResultFailed);
  EXPECT_EQ(TelescopeSetSpeed(link, 1), ResultFailed);
  EXPECT_EQ(mount.Received(), "");
  EXPECT_EQ(TelescopeSetSite(link, 0, 0, 0), ResultOk);
  EXPECT_EQ(mount.Received(), ":SG +00#:St +00*00#:Sg 000*00#");
  EXPECT_EQ(MeadeBaudRate(TelescopeMagellanI), 1200);
  EXPECT_EQ(MeadeBaudRate(TelescopeMagellanII), 300);
  EXPECT_EQ(MeadeBaudRate(TelescopeAutostar), 9600);
}

}  // namespace
}  // namespace qv
