// The INDI driver against a real INDI server running Debian's telescope simulator: connect, read,
// sync, go to Vega, abort, the arrows, site and clock, and a server that dies under the link.
#include "telescope/indi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "astro/angles.h"
#include "astro/time.h"
#include "generated/string_numbers.h"
#include "tests/telescope/indi_server.h"
#include "tests/telescope/link_fixture.h"

namespace qv {
namespace {

constexpr double Degree = std::numbers::pi / 180;
constexpr double Arcminute = Degree / 60;
// Vega, J2000 (Hipparcos): R.A. 18h 36m 56.34s, Dec. +38 deg 47' 01.3".
const EquatorialPosition Vega{(18 + 36 / 60.0 + 56.34 / 3600) * 15 * Degree,
                              (38 + 47 / 60.0 + 1.3 / 3600) * Degree};

TEST(IndiAddress, HostAndPortAsTyped) {
  struct Case {
    const char* text;
    const char* host;
    int port;
  };
  for (const Case& c :
       {Case{"localhost", "localhost", 7624}, Case{"observatory:7625", "observatory", 7625},
        Case{"192.168.1.20:1", "192.168.1.20", 1}, Case{"[::1]:65535", "::1", 65535},
        Case{"[fe80::1]", "fe80::1", 7624}}) {
    std::string host;
    int32_t port = 0;
    ASSERT_TRUE(ReadIndiAddress(c.text, host, port)) << c.text;
    EXPECT_EQ(host, c.host);
    EXPECT_EQ(port, c.port);
  }
  for (const char* text : {"", ":7624", "host:", "host:0", "host:65536", "host:76x", "::1:7624",
                           "[::1", "[::1]7624", "[]:7624", "host:-1"}) {
    std::string host = "kept";
    int32_t port = 1;
    EXPECT_FALSE(ReadIndiAddress(text, host, port)) << text;
    EXPECT_EQ(host, "kept");
  }
}

class IndiTest : public LinkTest {
 protected:
  void SetUp() override {
    if (!IndiServer::Installed())
      GTEST_SKIP() << "indiserver or indi_simulator_telescope is not installed (Debian indi-bin): "
                      "the INDI driver is not tested";
    LinkTest::SetUp();
    sky.jde = 2461041.5;  // 2026 January 1: the simulator's equator of date is near enough
    options.TelescopeINDIHost = "127.0.0.1";
  }
  int ConnectTo(const IndiServer& server, const std::string& device = {}) {
    options.TelescopeINDIPort = server.Port();
    options.TelescopeINDIDevice = device;
    return Connect(TelescopeINDI, 0);
  }
  // Why: what the link said last and what the server printed, to explain a failed connection.
  std::string Why(const IndiServer& server) const {
    return (texts.empty() ? std::string("nothing said") : texts.back()) + "\nserver:\n" +
           server.Log();
  }
  // PollUntil: polls every 100 ms until done holds, for at most seconds; whether it did.
  bool PollUntil(double seconds, const std::function<bool()>& done) {
    for (int i = 0; i < seconds * 10; ++i) {
      Poll();
      if (done()) return true;
      Delay(100);
    }
    return false;
  }
  double From(const EquatorialPosition& p) const {
    return AngularSeparation(link.position.ra, link.position.dec, p.ra, p.dec);
  }
};

TEST_F(IndiTest, ReadsSyncsGoesToVegaAndStops) {
  IndiServer server;
  ASSERT_NE(server.Port(), 0) << "the INDI server did not start";
  ASSERT_EQ(ConnectTo(server), ResultOk) << Why(server);  // the first telescope the server has
  EXPECT_EQ(IndiDeviceName(link.mount.indi), "Telescope Simulator");
  EXPECT_GT(link.position.dec, 89 * Degree);  // the simulator starts at the pole

  // Sync a few degrees from Vega (the simulator's slews end late by their own length), then go.
  const EquatorialPosition nearVega{Vega.ra - 2 * Degree, Vega.dec - 2 * Degree};
  SetTelescopeTarget(link, NoObject, nearVega);
  ASSERT_EQ(TelescopeSync(link, sky), ResultOk);
  EXPECT_TRUE(PollUntil(5, [&] { return From(nearVega) < Arcminute; })) << From(nearVega);
  SetTelescopeTarget(link, NoObject, Vega);
  ASSERT_EQ(TelescopeGoTo(link, sky), ResultOk);
  EXPECT_TRUE(PollUntil(30, [&] { return From(Vega) < Arcminute; }))
      << From(Vega) / Arcminute << "' from Vega";

  // A long slew, aborted: the telescope stays short of the target, and still.
  const EquatorialPosition south{Vega.ra, -40 * Degree};
  SetTelescopeTarget(link, NoObject, south);
  ASSERT_EQ(TelescopeGoTo(link, sky), ResultOk);
  ASSERT_TRUE(PollUntil(5, [&] { return From(Vega) > 2 * Degree; }));
  ASSERT_EQ(TelescopeStop(link), ResultOk);
  Delay(1000);
  Poll();
  const EquatorialPosition stopped = link.position;
  Delay(1000);
  Poll();
  EXPECT_LT(From(stopped), Arcminute);
  EXPECT_GT(From(south), 10 * Degree);

  // North along the declination axis: the server is given the north switch and the telescope
  // moves along that axis until it is released. Which way the simulator turns the axis depends
  // on the side of the pier it is on at the hour of the run, so only the switch tells north.
  const std::string north = "Telescope Simulator.TELESCOPE_MOTION_NS.MOTION_NORTH";
  ASSERT_EQ(TelescopeMove(link, true, DirectionNorth), ResultOk);
  EXPECT_TRUE(PollUntil(5, [&] { return server.Property(north) == "On"; }));
  EXPECT_TRUE(
      PollUntil(10, [&] { return std::fabs(link.position.dec - stopped.dec) > Arcminute; }));
  ASSERT_EQ(TelescopeMove(link, false, DirectionNorth), ResultOk);
  EXPECT_TRUE(PollUntil(5, [&] { return server.Property(north) == "Off"; }));
  Poll();

  // Connecting again finds the telescope already connected, and where it was left.
  const EquatorialPosition left = link.position;
  DisconnectTelescope(link);
  ASSERT_EQ(ConnectTo(server), ResultOk) << Why(server);
  EXPECT_LT(From(left), Degree);
  EXPECT_TRUE(alerts.empty());
}

TEST_F(IndiTest, SetsTheSiteAndTheClock) {
  IndiServer server;
  ASSERT_NE(server.Port(), 0) << "the INDI server did not start";
  ASSERT_EQ(ConnectTo(server, "Telescope Simulator"), ResultOk) << Why(server);
  const double zone = -5.0 / 24;
  ASSERT_EQ(TelescopeSetSite(link, -71.5 * Degree, 42.25 * Degree, zone), ResultOk);
  const double jd = CalendarToJulianDate(2026, 3, 10, 21, 4, 59.7, zone, CalendarGregorian);
  ASSERT_EQ(TelescopeSetDateTime(link, jd, zone), ResultOk);
  // The server takes the commands in its own time.
  const auto latitude = [&] {
    return std::atof(server.Property("Telescope Simulator.GEOGRAPHIC_COORD.LAT").c_str());
  };
  for (int i = 0; i < 20 && latitude() == 0; ++i) Delay(100);
  EXPECT_NEAR(latitude(), 42.25, 1e-6);
  EXPECT_NEAR(std::atof(server.Property("Telescope Simulator.GEOGRAPHIC_COORD.LONG").c_str()),
              288.5, 1e-6);
  EXPECT_EQ(server.Property("Telescope Simulator.TIME_UTC.UTC"), "2026-03-11T02:05:00");
  EXPECT_EQ(std::atof(server.Property("Telescope Simulator.TIME_UTC.OFFSET").c_str()), -5);
  EXPECT_TRUE(alerts.empty());
  // Another client disconnects the device from its mount: the telescope no longer answers.
  server.SetProperty("Telescope Simulator.CONNECTION.DISCONNECT=On");
  EXPECT_TRUE(PollUntil(3, [&] { return !link.connected; }));
  EXPECT_EQ(alerts, std::vector<int>{MessageNotResponding});
}

TEST_F(IndiTest, AServerThatDiesDisconnectsOnceAndAMissingOneIsSaid) {
  {
    IndiServer server;
    ASSERT_NE(server.Port(), 0) << "the INDI server did not start";
    ASSERT_EQ(ConnectTo(server), ResultOk) << Why(server);
    server.Kill();
    int outcome = PollUnchanged;
    for (int i = 0; i < 50 && outcome != PollFailed; ++i) {
      outcome = Poll();
      Delay(100);
    }
    EXPECT_EQ(outcome, PollFailed);
    EXPECT_FALSE(link.connected);
    EXPECT_EQ(alerts, std::vector<int>{MessageNotResponding});
    EXPECT_EQ(TelescopeGoTo(link, sky), ResultFailed);  // nothing more is sent or shown
    EXPECT_EQ(alerts.size(), 1u);
    options.TelescopeINDIPort = server.Port();  // nothing listens there now
  }
  alerts.clear();
  EXPECT_EQ(Connect(TelescopeINDI, 0), ResultFailed);
  EXPECT_EQ(alerts, std::vector<int>{MessageIndiNoServer});
  EXPECT_NE(texts.back().find("127.0.0.1:"), std::string::npos) << texts.back();
}

}  // namespace
}  // namespace qv
