// telescope/driver.h - the dispatch from the link to the protocol drivers: one table of
// operations per protocol family. Adding a family means writing its table and naming it in
// DriverOf; the link calls only through these pointers.
//
// Drivers talk to the mount and nothing else: the link checks that the interface offers an
// operation before calling it, keeps the emulated telescope itself (no driver is called while
// emulating, so no byte reaches any port), and converts positions between J2000 and the
// equator of date for families whose mounts work in it. Every operation returns ResultOk or
// ResultFailed (go to also ResultMountSlewing); a failure has been shown to the user by the
// driver (2700-2706, 2800-2802).
#pragma once

#include "platform/indi_client.h"
#include "telescope/equator_of_date.h"
#include "telescope/interfaces.h"

namespace qv {

struct TelescopeLink;

// ResultMountSlewing: go to refused because the mount is slewing. The caller asks 2803 and
// stops all motion on Yes.
constexpr int ResultMountSlewing = 2;

// MountState: what a driver keeps between its operations; cleared when the link opens.
struct MountState {
  EquatorialPosition lastRead;   // of date: the last position the mount reported
  bool slewing = false;          // a go to in progress, during which the mount stays silent
  bool silenceReported = false;  // the mount's silence has been shown once since it last spoke
  int jogRate = 16;              // times the sidereal rate, of the direction commands
  IndiConnection indi = NoIndiConnection;  // in place of the port, for an INDI server
};

// TelescopeDriver: a family's operations; those it lacks stay null.
struct TelescopeDriver {
  bool equatorOfDate = false;  // positions read and sent are of the chart's date, else J2000
  int (*open)(TelescopeLink& link) = nullptr;  // opens the link at the family's settings
  void (*close)(TelescopeLink& link) = nullptr;
  int (*readPosition)(TelescopeLink& link, EquatorialPosition& at) = nullptr;
  // readCounts: the encoder counts (azimuth or R.A. axis first) of encoder boxes, in place of
  // readPosition; the link's alignment turns them into positions.
  int (*readCounts)(TelescopeLink& link, double& lonCount, double& latCount) = nullptr;
  int (*goTo)(TelescopeLink& link, const EquatorialPosition& target) = nullptr;
  int (*sync)(TelescopeLink& link, const EquatorialPosition& target) = nullptr;
  // move: start or stop a direction 1-4 (north, east, south, west); direction 0 stops all.
  int (*move)(TelescopeLink& link, bool start, int direction) = nullptr;
  int (*setSpeed)(TelescopeLink& link, int speed) = nullptr;  // 1-4
  // setDateTime: jd universal time; zone days east of Greenwich (local = UT + zone).
  int (*setDateTime)(TelescopeLink& link, double jd, double zone) = nullptr;
  // setSite: longitude east and latitude, radians; zone as for setDateTime.
  int (*setSite)(TelescopeLink& link, double longitude, double latitude, double zone) = nullptr;
};

// OpenSerialLink: opens the chosen serial port at baud (message 2700 when it cannot) and greets
// the mount with greet, when given, which shows its own failure; the port is closed again when
// the greeting fails. CloseSerialLink closes it.
int OpenSerialLink(TelescopeLink& link, int baud, bool (*greet)(TelescopeLink& link));
void CloseSerialLink(TelescopeLink& link);

// DriverOf: the family's table; none for a value outside the families.
const TelescopeDriver* DriverOf(ProtocolFamily family);

}  // namespace qv
