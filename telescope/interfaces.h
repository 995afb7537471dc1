// telescope/interfaces.h - what each of the interfaces offers: its protocol family, its
// control window, the driver operations it has (an operation an interface lacks is not offered
// and its control is disabled), how it is emulated, and the emulated rate of each speed.
#pragma once

#include <array>
#include <cstdint>

#include "telescope/telescope_options.h"

namespace qv {

enum TelescopeOperation : uint16_t {
  OperationReadPosition = 1 << 0,
  OperationGoTo = 1 << 1,
  OperationStop = 1 << 2,         // stop all motion
  OperationSync = 1 << 3,         // sync on the target
  OperationAlign = 1 << 4,        // two-star alignment of encoder boxes, in place of Sync
  OperationMove = 1 << 5,         // the direction arrows
  OperationSetSpeed = 1 << 6,     // the four speed buttons
  OperationSetSite = 1 << 7,      // Set Location
  OperationSetDateTime = 1 << 8,  // Set Date & Time
};

enum class ProtocolFamily { Meade, Ultima, NexStar, EncoderBox, LineCommand, Indi };
enum class ControlWindowKind { Command, Alignment };  // window 513 or 514

// EmulationKind: what a simulated telescope of the interface does.
//   MotionModel   go to slews, sync jumps, the arrows move at the speed's rate
//   Mouse         the sky under the mouse while Shift is held is the position (encoder boxes:
//                 the mount angles)
//   PositionOnly  go to records the target and nothing moves
enum class EmulationKind { MotionModel, Mouse, PositionOnly };

struct InterfaceInfo {
  int listString;  // the interface's name in the Connection dialog
  ProtocolFamily family;
  ControlWindowKind window;
  uint16_t operations;  // TelescopeOperation bits
  EmulationKind emulation;
  bool asksBeforeSiteAndTime;   // the user confirms before the telescope's site or clock change
  bool jogSpeedLabels;          // the speed buttons read "16 x", "8 x", "4 x", "2 x"
  std::array<double, 4> rates;  // emulated motion per speed 1-4, radians per second
};

// InterfaceOf: the table row of an interface; values outside the table read as the LX-200.
const InterfaceInfo& InterfaceOf(TelescopeKind kind);

bool InterfaceOffers(TelescopeKind kind, TelescopeOperation operation);

// The speed buttons' labels of interfaces with jog speeds, speeds 1-4.
constexpr const char* JogSpeedLabels[] = {"16 x", "8 x", "4 x", "2 x"};

}  // namespace qv
