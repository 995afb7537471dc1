// The Telescope menu in the running program: every interface connects through the Connection
// dialog (emulated, and INDI through a real server when one is installed), opens the window of its
// kind with the buttons it offers, and a go-to telescope carries the marker to the target.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "app/telescope_control.h"
#include "astro/angles.h"
#include "generated/string_numbers.h"
#include "objects/textformat.h"
#include "platform/dialogs.h"
#include "telescope/interfaces.h"
#include "tests/app/app_fixture.h"
#include "tests/telescope/indi_server.h"
#include "tests/telescope/mount_simulator.h"

namespace qv {
namespace {

constexpr int TelescopeMenu = 263, ItemConnect = 2, ItemSetTargetCoordinates = 8;
constexpr int ConnectionInterface = 4, ConnectionPort = 8, ConnectionEmulate = 16,
              ConnectionIndiServer = 18;
constexpr int TargetRa = 4, TargetDec = 6;
constexpr int CommandGoTo = 17, CommandStop = 18, CommandSync = 19, CommandNorth = 21,
              CommandSlew = 25, AlignButton = 10;
constexpr double Degree = 3.14159265358979323846 / 180;

class TelescopeWindowTest : public AppTest {
 protected:
  void TearDown() override {
    DisconnectTelescopeLink();
    AppTest::TearDown();
  }

  // Connect: Telescope > Connect..., the dialog set to the interface and emulation, then to
  // what choose sets.
  void Connect(TelescopeKind kind, const std::function<void(WindowRef)>& choose = {}) {
    Then([=](WindowRef d) {
      SetItemValue(d, ConnectionInterface, kind);
      SetItemValue(d, ConnectionEmulate, 1);
      if (choose) choose(d);
      Press(d, 1);
    });
    Choose(TelescopeMenu, ItemConnect);
  }

  // GoNorthOfMarker: Set Target Coordinates... a few degrees north of the telescope, then Go To.
  Vector3 GoNorthOfMarker() {
    const double ra = Settings().TelescopeRightAscension;
    const double dec = std::min(Settings().TelescopeDeclination + 3 * Degree, 80 * Degree);
    Then([=](WindowRef d) {
      SetItemText(d, TargetRa, FormatAngleText(ra / Degree / 15).c_str());
      SetItemText(d, TargetDec, FormatAngleText(dec / Degree).c_str());
      Press(d, 1);
    });
    Choose(TelescopeMenu, ItemSetTargetCoordinates);
    Press(TelescopeControlWindow(), CommandGoTo);
    return SphericalToRectangular(ra, dec, 1);
  }

  static Vector3 Marker() {
    return SphericalToRectangular(Settings().TelescopeRightAscension,
                                  Settings().TelescopeDeclination, 1);
  }

  // ReachedWithin: the program idles until the marker is within 1' of at, for at most seconds.
  static bool ReachedWithin(double seconds, const Vector3& at) {
    for (int waited = 0; waited < seconds * 1000; waited += 50) {
      ApplicationEventHandler(IdleEvent, nullptr, 0, 0);
      if (Apart(Marker(), at) < Degree / 60) return true;
      Delay(50);
    }
    return false;
  }

  // ExpectWindowOf: the window of the interface's kind, each button enabled as it offers.
  static void ExpectWindowOf(TelescopeKind kind) {
    const WindowRef window = TelescopeControlWindow();
    ASSERT_NE(window, nullptr);
    if (InterfaceOf(kind).window == ControlWindowKind::Alignment) {
      EXPECT_TRUE(IsItemEnabled(window, AlignButton));
      return;
    }
    EXPECT_EQ(IsItemEnabled(window, CommandGoTo), InterfaceOffers(kind, OperationGoTo));
    EXPECT_EQ(IsItemEnabled(window, CommandStop), InterfaceOffers(kind, OperationStop));
    EXPECT_EQ(IsItemEnabled(window, CommandSync), InterfaceOffers(kind, OperationSync));
    EXPECT_EQ(IsItemEnabled(window, CommandNorth), InterfaceOffers(kind, OperationMove));
    EXPECT_EQ(IsItemEnabled(window, CommandSlew), InterfaceOffers(kind, OperationSetSpeed));
  }
};

TEST_F(TelescopeWindowTest, EveryEmulatedInterfaceOpensItsWindowAndGoesToTheTarget) {
  for (int k = TelescopeLX200; k < TelescopeINDI; ++k) {
    const auto kind = static_cast<TelescopeKind>(k);
    SCOPED_TRACE(InterfaceOf(kind).listString);
    Connect(kind);
    ASSERT_TRUE(Settings().TelescopeConnected);
    EXPECT_EQ(Settings().TelescopeInterface, kind);
    ExpectWindowOf(kind);
    const EmulationKind emulation = InterfaceOf(kind).emulation;
    if (emulation == EmulationKind::Mouse) {
      ASSERT_EQ(shown.size(), 1u);
      EXPECT_EQ(shown[0].number, MessageMouseEmulation);
      shown.clear();
    }
    if (emulation == EmulationKind::MotionModel) {
      const Vector3 target = GoNorthOfMarker();
      EXPECT_GT(Apart(Marker(), target), Degree);
      EXPECT_TRUE(ReachedWithin(5, target)) << Apart(Marker(), target) / Degree << " deg away";
    }
    DisconnectTelescopeLink();
    EXPECT_EQ(TelescopeControlWindow(), nullptr);
    EXPECT_FALSE(Settings().TelescopeConnected);
  }
  EXPECT_TRUE(shown.empty());
}

// The NexStar's emulation stands still: its go to is seen through the simulated hand controller,
// which falls silent while slewing and says when it has arrived.
TEST_F(TelescopeWindowTest, ANexStarCarriesTheMarkerWhenItsSlewEnds) {
  MountSimulatorOptions nexStar;
  nexStar.protocol = MountProtocol::NexStar;
  MountSimulator mount(nexStar);
  mount.SetBinaryPosition(0x1000, 0x0800);
  Connect(TelescopeNexStar, [&](WindowRef d) {
    SetItemValue(d, ConnectionPort, mount.PortNumber());
    SetItemValue(d, ConnectionEmulate, 0);
  });
  ASSERT_TRUE(Settings().TelescopeConnected);
  ExpectWindowOf(TelescopeNexStar);
  const Vector3 target = GoNorthOfMarker();
  EXPECT_GT(Apart(Marker(), target), Degree);
  mount.FinishSlew('@');
  EXPECT_TRUE(ReachedWithin(3, target)) << Apart(Marker(), target) / Degree << " deg away";
  EXPECT_TRUE(shown.empty());
}

TEST_F(TelescopeWindowTest, AnIndiServerIsChosenKeptAndDriven) {
  if (!IndiServer::Installed()) GTEST_SKIP() << "indiserver is not installed (Debian indi-bin)";
  IndiServer server;
  ASSERT_NE(server.Port(), 0) << "the INDI server did not start";
  Connect(TelescopeINDI, [&](WindowRef d) {
    SetItemValue(d, ConnectionEmulate, 0);
    SetItemText(d, ConnectionIndiServer, ("127.0.0.1:" + std::to_string(server.Port())).c_str());
  });
  ASSERT_TRUE(Settings().TelescopeConnected) << server.Log();
  EXPECT_EQ(Settings().TelescopeINDIHost, "127.0.0.1");
  EXPECT_EQ(Settings().TelescopeINDIPort, server.Port());
  ExpectWindowOf(TelescopeINDI);
  const Vector3 target = GoNorthOfMarker();
  EXPECT_TRUE(ReachedWithin(30, target)) << Apart(Marker(), target) / Degree << " deg away";
  EXPECT_TRUE(shown.empty());
}

}  // namespace
}  // namespace qv
