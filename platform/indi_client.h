// platform/indi_client.h - a client of an INDI server, the network protocol through which Linux
// observatory software drives mounts, built on Debian's INDI client library. Plain types; no
// library header here.
//
// The library reads the server on a thread of its own. This module keeps what the program needs
// of it (the telescope's position, whether the server is still there, which of the standard
// properties the device has) behind a mutex, so that the caller reads it at its own time and
// nothing of the caller ever runs on that thread. Commands are sent from the caller's thread.
// Units are INDI's own: R.A. in hours, angles in degrees, positions in the equator of date.
#pragma once

#include <string>

namespace qv {

using IndiConnection = int;
constexpr IndiConnection NoIndiConnection = -1;
constexpr int IndiDefaultPort = 7624;

enum class IndiOpenResult { Ok, NoServer, NoDevice };

// OpenIndiConnection: connects to the server at host:port, finds the device (an empty name: the
// first telescope the server has), connects the device when it is not, and waits for its first
// position, all within timeoutMs. NoIndiConnection, with the reason in result, on failure.
IndiConnection OpenIndiConnection(const std::string& host, int port, const std::string& device,
                                  int timeoutMs, IndiOpenResult* result);
void CloseIndiConnection(IndiConnection connection);

// IndiServerConnected: false once the server has gone, and for no connection.
bool IndiServerConnected(IndiConnection connection);

// IndiDeviceName: the device the connection drives (the one found when none was named).
std::string IndiDeviceName(IndiConnection connection);

// ReadIndiPosition: the last position the device reported; false when the server has gone or
// the device is no longer connected to its mount.
bool ReadIndiPosition(IndiConnection connection, double& raHours, double& decDegrees);

// The commands. Each is false when the server has gone; the device's answer comes later, as a
// change of its position.
//   SendIndiCoordinates  slew there (tracking it, when the device can) or sync on it
//   SendIndiAbort        stop every motion
//   SendIndiMotion       move along an axis: sense -1 north or west, +1 south or east, 0 stop
//   SendIndiSite         latitude, longitude east (the elevation stays the device's)
//   SendIndiTime         universal time "YYYY-MM-DDTHH:MM:SS" and the zone's offset in hours
enum class IndiCoordinateAction { Slew, Sync };
enum class IndiAxis { NorthSouth, WestEast };
bool SendIndiCoordinates(IndiConnection connection, IndiCoordinateAction action, double raHours,
                         double decDegrees);
bool SendIndiAbort(IndiConnection connection);
bool SendIndiMotion(IndiConnection connection, IndiAxis axis, int sense);
bool SendIndiSite(IndiConnection connection, double latitudeDegrees, double longitudeDegrees);
bool SendIndiTime(IndiConnection connection, const std::string& utc, double offsetHours);

}  // namespace qv
