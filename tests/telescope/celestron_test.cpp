// The two Celestron command sets: binary angles over the whole circle and the declination's top
// bits, then the Ultima 2000 and the NexStar drivers against a simulated mount (echoes, declined
// commands, silence, the slew that keeps the mount quiet).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "generated/string_numbers.h"
#include "telescope/binary_angle.h"
#include "telescope/nexstar.h"
#include "telescope/ultima.h"
#include "tests/telescope/link_fixture.h"
#include "tests/telescope/mount_simulator.h"

namespace qv {
namespace {

constexpr double Degree = std::numbers::pi / 180;
constexpr double Unit = 2 * std::numbers::pi / 65536;  // one binary-angle step, 19.8"

// R.A. 5h 34m 30s (83.625 degrees: 15223.47 units, 3B77 hexadecimal), Dec. -10 degrees
// (-1820.44 units, truncated to -1820: F8E4).
const EquatorialPosition Target{83.625 * Degree, -10 * Degree};

TEST(BinaryAngle, EveryValueRoundTripsAndNegativeAnglesAreTwosComplement) {
  for (uint32_t v = 0; v < 65536; ++v) {
    const uint16_t value = uint16_t(v);
    ASSERT_EQ(BinaryAngleFromDegrees(DegreesFromBinaryAngle(value)), value) << v;
    const BinaryPosition b{value, uint16_t(v < 16384 || v >= 49152 ? v : 0)};  // Dec. within 90
    const BinaryPosition back = BinaryPositionOf(PositionFromBinary(b));
    ASSERT_EQ(back.ra, b.ra) << v;
    ASSERT_EQ(back.dec, b.dec) << v;
  }
  EXPECT_EQ(BinaryAngleFromDegrees(-10), 0xF8E4);
  EXPECT_EQ(BinaryAngleFromDegrees(83.625), 0x3B77);
  EXPECT_EQ(BinaryAngleFromDegrees(360), 0);
  EXPECT_EQ(BinaryAngleFromDegrees(-0.001), 0);  // less than a unit: toward zero
  EXPECT_EQ(BinaryAngleFromDegrees(721), BinaryAngleFromDegrees(1));
  EXPECT_EQ(BinaryAngleFromDegrees(NAN), 0);
}

TEST(BinaryAngle, DeclinationsAreCorrectedByTheirTopTwoBits) {
  struct Case {
    uint16_t value;
    double degrees;
  };
  for (const Case& c : {Case{0x0000, 0}, Case{0x2000, 45}, Case{0x3FFF, 90 - 360.0 / 65536},
                        Case{0xF8E4, -1820 * 360.0 / 65536}, Case{0xC000, -90},
                        Case{0xFFFF, -360.0 / 65536}, Case{0x8000, 0}, Case{0xA000, -45},
                        Case{0xBFFF, -90 + 360.0 / 65536}, Case{0x4000, 90}, Case{0x6000, 45}}) {
    EXPECT_NEAR(DeclinationFromBinaryAngle(c.value), c.degrees, 1e-9) << std::hex << c.value;
  }
}

TEST(BinaryAngle, ReplyReadersTakeOnlyWellFormedAnswers) {
  EquatorialPosition p;
  ASSERT_TRUE(ReadUltimaPosition("3B77,F8E4#", p));
  EXPECT_NEAR(p.ra, 15223 * Unit, 1e-12);
  EXPECT_NEAR(p.dec, -1820 * Unit, 1e-12);
  ASSERT_TRUE(ReadUltimaPosition("3b77,f8e4#", p));
  for (const char* reply : {"", "3B77,F8E4", "3B77F8E4#", "3B7,F8E4#", "3B77,F8E#", "3B77,F8E4##",
                            "3G77,F8E4#", " 3B77,F8E4#", "+B77,F8E4#", "E#3B77,F8E4#"}) {
    EquatorialPosition q{7, 7};
    EXPECT_FALSE(ReadUltimaPosition(reply, q)) << reply;
    EXPECT_EQ(q.ra, 7);
  }
  ASSERT_TRUE(NexStarPositionFromBytes(std::string("\x3B\x77\xF8\xE4", 4), p));
  EXPECT_NEAR(p.dec, -1820 * Unit, 1e-12);
  EXPECT_FALSE(NexStarPositionFromBytes("\x3B\x77\xF8", p));
}

class CelestronTest : public LinkTest {
 protected:
  // PollUntilSlewEnds: polls until the end-of-slew byte, which crosses the pseudo-terminal in its
  // own time, has been read; each of those polls keeps the position.
  void PollUntilSlewEnds() {
    for (int i = 0; i < 200 && link.mount.slewing; ++i) {
      EXPECT_EQ(Poll(), PollUnchanged);
      if (link.mount.slewing) Delay(5);
    }
    EXPECT_FALSE(link.mount.slewing);
  }
  void ExpectAtBinary(uint16_t ra, uint16_t dec) {
    EXPECT_NEAR(link.position.ra, ra * Unit, 1e-9);
    EXPECT_NEAR(link.position.dec, DeclinationFromBinaryAngle(dec) * Degree, 1e-9);
  }
};

TEST_F(CelestronTest, UltimaSkipsEchoesAndSendsTheTargetInHexadecimal) {
  for (bool echo : {false, true}) {
    SCOPED_TRACE(echo);
    MountSimulator mount({.protocol = MountProtocol::Ultima, .echo = echo});
    mount.SetBinaryPosition(0x1234, 0xF000);
    ASSERT_EQ(Connect(TelescopeUltima2000, mount.PortNumber()), ResultOk);
    EXPECT_EQ(mount.Received(), "E#");  // the open sends nothing
    ExpectAtBinary(0x1234, 0xF000);
    SetTelescopeTarget(link, NoObject, Target);
    mount.ClearReceived();
    EXPECT_EQ(TelescopeGoTo(link, sky), ResultOk);
    EXPECT_EQ(Poll(), PollMoved);
    ExpectAtBinary(0x3B77, 0xF8E4);
    SetTelescopeTarget(link, NoObject, {Target.ra, 10 * Degree});
    EXPECT_EQ(TelescopeSync(link, sky), ResultOk);
    EXPECT_EQ(TelescopeStop(link), ResultOk);
    EXPECT_EQ(mount.Received(26), "R3B77,F8E4#E#F3B77,071C#M#");
    EXPECT_TRUE(alerts.empty());
    DisconnectTelescope(link);
  }
}

TEST_F(CelestronTest, UltimaDeclinesSilentlyAndKeepsItsLastPositionWhileConnected) {
  MountSimulator mount({.protocol = MountProtocol::Ultima});
  mount.SetBinaryPosition(0x1234, 0x0400);
  ASSERT_EQ(Connect(TelescopeUltima2000, mount.PortNumber()), ResultOk);
  mount.Change({.protocol = MountProtocol::Ultima, .decline = true});
  mount.SetBinaryPosition(0x5000, 0x0800);
  EXPECT_EQ(Poll(), PollUnchanged);
  EXPECT_EQ(TelescopeSync(link, sky), ResultFailed);
  EXPECT_TRUE(alerts.empty());
  // A mount gone silent: told once, and the marker stays where it was.
  mount.Change({.protocol = MountProtocol::Ultima, .silentAfter = 0});
  EXPECT_EQ(Poll(), PollUnchanged);
  EXPECT_EQ(Poll(), PollUnchanged);
  EXPECT_TRUE(link.connected);
  ExpectAtBinary(0x1234, 0x0400);
  EXPECT_EQ(alerts, std::vector<int>{MessageNotResponding});
  DisconnectTelescope(link);
  EXPECT_EQ(Connect(TelescopeUltima2000, mount.PortNumber()), ResultFailed);  // connecting
  EXPECT_EQ(alerts.size(), 2u);
}

// R.A. 90 degrees is 4000 hexadecimal: the echo of the go to holds the end-of-slew byte.
TEST_F(CelestronTest, NexStarGoToWaitsOutTheSilentSlewAndItsEndByte) {
  for (bool echo : {false, true}) {
    SCOPED_TRACE(echo);
    MountSimulator mount({.protocol = MountProtocol::NexStar, .echo = echo});
    mount.SetBinaryPosition(0x1234, 0x0400);
    ASSERT_EQ(Connect(TelescopeNexStar, mount.PortNumber()), ResultOk);
    ExpectAtBinary(0x1234, 0x0400);
    mount.ClearReceived();
    SetTelescopeTarget(link, NoObject, {90 * Degree, Target.dec});
    ASSERT_EQ(TelescopeGoTo(link, sky), ResultOk);
    EXPECT_EQ(mount.Received(8), std::string("?E?R\x40\x00\xF8\xE4", 8));
    mount.ClearReceived();
    EXPECT_EQ(Poll(), PollUnchanged);  // slewing: nothing is asked of the mount
    EXPECT_TRUE(link.mount.slewing);
    mount.FinishSlew(0x40);
    PollUntilSlewEnds();
    EXPECT_EQ(mount.Received(), "");
    EXPECT_EQ(Poll(), PollMoved);
    ExpectAtBinary(0x4000, 0xF8E4);
    EXPECT_EQ(TelescopeStop(link), ResultFailed);  // not offered
    EXPECT_EQ(TelescopeSync(link, sky), ResultFailed);
    DisconnectTelescope(link);
  }
  EXPECT_TRUE(alerts.empty());
}

// An R.A. whose first byte is "E" (45 hexadecimal, 6h 28m) looks like the echo of "E".
TEST_F(CelestronTest, NexStarTellsAnEchoFromAnAnswerThatBeginsLikeOne) {
  for (bool echo : {false, true}) {
    SCOPED_TRACE(echo);
    MountSimulator mount({.protocol = MountProtocol::NexStar, .echo = echo});
    mount.SetBinaryPosition(0x4512, 0x0400);
    ASSERT_EQ(Connect(TelescopeNexStar, mount.PortNumber()), ResultOk);
    ExpectAtBinary(0x4512, 0x0400);
    DisconnectTelescope(link);
  }
  EXPECT_TRUE(alerts.empty());
}

TEST_F(CelestronTest, ASilentNexStarIsBusyWhenConnectedAndAbsentWhenConnecting) {
  MountSimulator mount({.protocol = MountProtocol::NexStar});
  mount.SetBinaryPosition(0x1234, 0x0400);
  ASSERT_EQ(Connect(TelescopeNexStar, mount.PortNumber()), ResultOk);
  mount.SetBinaryPosition(0x2000, 0x0800);
  mount.StartSlew();                 // from the hand controller, to there
  EXPECT_EQ(Poll(), PollUnchanged);  // "?" unanswered: busy, not gone
  EXPECT_TRUE(link.connected);
  mount.ClearReceived();
  mount.FinishSlew('#');
  PollUntilSlewEnds();
  EXPECT_EQ(mount.Received(1), "E");  // "#" asks for the position, which is not used
  EXPECT_EQ(Poll(), PollMoved);
  ExpectAtBinary(0x2000, 0x0800);
  EXPECT_TRUE(alerts.empty());
  DisconnectTelescope(link);
  mount.StartSlew();
  EXPECT_EQ(Connect(TelescopeNexStar, mount.PortNumber()), ResultFailed);
  EXPECT_EQ(alerts, std::vector<int>{MessageNotResponding});
}

}  // namespace
}  // namespace qv
