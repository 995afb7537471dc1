// qv telescope against a simulated LX-200 on a pseudo-terminal, with emulation, and against a real
// INDI server: the position it prints, the go to it sends, and a mount that does not answer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "generated/string_numbers.h"
#include "platform/events.h"
#include "platform/serial.h"
#include "tests/qv/qv_fixture.h"
#include "tests/telescope/indi_server.h"
#include "tests/telescope/mount_simulator.h"

namespace qv {
namespace {

class QvTelescopeTest : public QvTest {
 protected:
  std::vector<std::string> Lx200(MountSimulator& mount, std::vector<std::string> action) {
    std::vector<std::string> args = {"telescope", "--interface", "LX200", "--port",
                                     SerialPortName(mount.PortNumber())};
    args.insert(args.end(), action.begin(), action.end());
    return args;
  }
};

TEST_F(QvTelescopeTest, PrintsThePositionAndSendsTheGoTo) {
  MountSimulatorOptions high;
  high.highPrecision = true;
  MountSimulator mount(high);
  mount.SetPosition(0, 0);
  ASSERT_EQ(Run(Lx200(mount, {"position", "--jd", "2451545"})), QvSuccess) << err;
  // The mount's equator of J2000 is the chart's: its origin reads as 0h, 0 degrees.
  EXPECT_EQ(out, "R.A. 00 00 00.0  Dec. +00 00 00\n");

  ASSERT_EQ(Run(Lx200(mount, {"goto", "Vega", "--jd", "2451545"})), QvSuccess) << err;
  const std::string sent = mount.Received();
  EXPECT_NE(sent.find(":Sr 18:36.9#"), std::string::npos) << sent;
  EXPECT_NE(sent.find(":MS#"), std::string::npos) << sent;
  ASSERT_EQ(Run(Lx200(mount, {"position", "--jd", "2451545"})), QvSuccess) << err;
  EXPECT_EQ(out.substr(0, 15), "R.A. 18 36 54.0") << out;
}

TEST_F(QvTelescopeTest, ASilentMountFailsWithNotResponding) {
  MountSimulatorOptions silent;
  silent.silentAfter = 0;
  MountSimulator mount(silent);
  EXPECT_EQ(Run(Lx200(mount, {"position"})), QvFileError);
  EXPECT_NE(err.find("not responding"), std::string::npos) << err;
  EXPECT_TRUE(out.empty());
}

TEST_F(QvTelescopeTest, EmulationNeedsNoPortAndNamesAreChecked) {
  EXPECT_EQ(Run({"telescope", "--interface", "lx200", "--emulate", "position"}), QvSuccess) << err;
  EXPECT_EQ(out, "R.A. 00 00 00.0  Dec. +00 00 00\n");
  EXPECT_EQ(Run({"telescope", "--interface", "LX300", "--emulate", "position"}), QvUserError);
  EXPECT_EQ(Run({"telescope", "--interface", "LX200", "position"}), QvUserError);
  EXPECT_EQ(Run({"telescope", "--interface", "LX200", "--emulate", "park"}), QvUserError);
}

TEST_F(QvTelescopeTest, DrivesTheIndiSimulator) {
  if (!IndiServer::Installed()) GTEST_SKIP() << "indiserver is not installed (Debian indi-bin)";
  IndiServer server;
  ASSERT_NE(server.Port(), 0) << "the INDI server did not start";
  const auto indi = [&](std::vector<std::string> action) {
    std::vector<std::string> args = {"telescope",
                                     "--interface",
                                     "INDI",
                                     "--indi",
                                     "127.0.0.1:" + std::to_string(server.Port()),
                                     "--device",
                                     "Telescope Simulator"};
    args.insert(args.end(), action.begin(), action.end());
    return Run(args);
  };
  // ReadsWithin: qv reads the position every half second until it is within a minute of time
  // in R.A. and an arcminute in Dec. of the one given, for at most seconds. The server hands each
  // command on in its own time, and the simulator's R.A. drifts by about a second of time per
  // second once it is there, so a loaded machine may read it only seconds later.
  const auto readsWithin = [&](double seconds, double raHours, double decDegrees) {
    for (int i = 0; i < seconds * 2; ++i, Delay(500)) {
      int h = 0, m = 0, d = 0, dm = 0, ds = 0;
      double s = 0;
      char sign = '+';
      if (indi({"position"}) != QvSuccess ||
          std::sscanf(out.c_str(), "R.A. %d %d %lf Dec. %c%d %d %d", &h, &m, &s, &sign, &d, &dm,
                      &ds) != 7)
        continue;
      const double ra = h + m / 60.0 + s / 3600.0;
      const double dec = (sign == '-' ? -1 : 1) * (d + dm / 60.0 + ds / 3600.0);
      if (std::fabs(ra - raHours) <= 1 / 60.0 && std::fabs(dec - decDegrees) <= 1 / 60.0)
        return true;
    }
    return false;
  };
  ASSERT_EQ(indi({"sync", "Vega"}), QvSuccess) << err << server.Log();
  EXPECT_TRUE(readsWithin(10, 18 + 36 / 60.0 + 56.3 / 3600, 38 + 47 / 60.0 + 1 / 3600.0))
      << out << err;
  ASSERT_EQ(indi({"goto", "--ra", "18 20 00", "--dec", "+40 00 00"}), QvSuccess) << err;
  // The simulator slews at its own rate, here 3 degrees, within half a minute.
  EXPECT_TRUE(readsWithin(40, 18 + 20 / 60.0, 40)) << out << err;
  EXPECT_EQ(indi({"stop"}), QvSuccess) << err;
}

}  // namespace
}  // namespace qv
