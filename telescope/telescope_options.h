// telescope/telescope_options.h - the connection options of the telescope link: which interface,
// which serial port (or INDI server and device), emulation, polling rate, encoder steps and mount.
// The fields carry the names of the settings record's fields, so the application fills this record
// from its settings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/indi_client.h"  // IndiDefaultPort

namespace qv {

// TelescopeKind: the interfaces, in the order of their list texts (strings 2500-2512) and of
// their settings-file names; the last is a client of an INDI server rather than a serial link.
enum TelescopeKind : int16_t {
  TelescopeLX200 = 1,
  TelescopeMagellanI = 2,
  TelescopeMagellanII = 3,
  TelescopeAutostar = 4,
  TelescopeUltima2000 = 5,
  TelescopeNexStar = 6,
  TelescopeAstroMaster = 7,
  TelescopeSkyWizard = 8,
  TelescopeNGCMax = 9,
  TelescopeSkyVector = 10,
  TelescopeBBox = 11,
  TelescopeQEICoordinate = 12,
  TelescopeINDI = 13,
};
constexpr int TelescopeKindCount = 13;

enum TelescopeMount : int16_t { MountEquatorial = 1, MountAltAzimuth = 2 };

constexpr const char* IndiDefaultHost = "localhost";
constexpr size_t IndiNameMaxLength = 255;  // a server's host name or a device's name, in bytes

struct TelescopeOptions {
  TelescopeKind TelescopeInterface = TelescopeLX200;
  int16_t TelescopeConnectionPort = 1;      // 1-based position in the serial port list
  bool TelescopeEmulated = false;           // a simulated telescope: no port is opened
  int16_t TelescopeUpdatesPerSec = 4;       // polls per second; 0 stops polling
  int32_t TelescopeLonEncoderSteps = 2160;  // steps per revolution; negative reverses the axis
  int32_t TelescopeLatEncoderSteps = 2160;
  bool TelescopeEncodersSwapped = false;  // the box reports altitude/Dec. first
  int16_t TelescopeMountType = MountEquatorial;
  std::string TelescopeINDIHost = IndiDefaultHost;  // the INDI server
  int32_t TelescopeINDIPort = IndiDefaultPort;
  std::string TelescopeINDIDevice;  // its telescope; empty: the first the server has
};

}  // namespace qv
