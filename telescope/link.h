// telescope/link.h - the telescope link: connecting and disconnecting, polling the position,
// the target, and the commands Go To, Stop, Sync, the direction and speed buttons, the mount's
// site and clock, and the Align button of encoder boxes. Windows, menus and chart drawing sit on
// top of it and pass in what it reads (the options, the chart's time, the clock, the mouse).
//
// Every operation dispatches through the interface's driver (telescope/driver.h) when the
// interface offers it, or works on the emulated telescope when emulating. Failures are shown
// once by the drivers; a failed poll disconnects. Positions are J2000 radians, times the
// platform's millisecond ticks.
#pragma once

#include <cstdint>

#include "astro/constants.h"
#include "objects/records.h"
#include "platform/serial.h"
#include "telescope/alignment.h"
#include "telescope/driver.h"
#include "telescope/emulation.h"
#include "telescope/equator_of_date.h"
#include "telescope/telescope_options.h"

namespace qv {

// TelescopeSky: the chart's instant as the link needs it.
struct TelescopeSky {
  double jde = J2000;       // dynamical time: the mount's equator of date
  double siderealTime = 0;  // local sidereal time: alt-azimuth alignment
};

struct TelescopeTarget {
  ObjectId object = NoObject;   // none for coordinates
  EquatorialPosition position;  // J2000
};

enum TelescopeDirection : int {
  DirectionNone = 0,
  DirectionNorth = 1,
  DirectionEast = 2,
  DirectionSouth = 3,
  DirectionWest = 4,
};

// WaitWithBusyCursor: a pause with the busy cursor showing.
void WaitWithBusyCursor(int milliseconds);

struct TelescopeLink {
  TelescopeOptions options;                 // as given to ConnectTelescope
  const TelescopeDriver* driver = nullptr;  // of the interface's family
  SerialPort port = NoSerialPort;           // the driver's open port
  bool connected = false;
  bool showMarker = false;          // Show Fields: set on connect
  bool stayCentered = false;        // the chart follows the telescope
  bool trackMovingTargets = false;  // the target object is followed as time changes
  EquatorialPosition position;      // the last position read
  TelescopeTarget target;
  uint32_t lastPollMs = 0;        // the last successful poll
  int direction = DirectionNone;  // the arrow held down
  EmulatedTelescope emulated;     // encoder boxes: the mount angles as R.A. and Dec.
  EncoderAlignment alignment;
  MountState mount;  // the driver's own
  // busyWait: a pause while the mount works (after its clock is set), with the busy cursor.
  void (*busyWait)(int milliseconds) = WaitWithBusyCursor;
};

// Telescope: the program's one link.
TelescopeLink& Telescope();

// ConnectTelescope: disconnects first; clears the target and the alignment; opens the link
// (emulating: no port; interfaces emulated by the mouse show note 2714) and polls once. On
// success the link is connected with its marker shown; otherwise everything is closed again.
// The caller opens the control window first and closes it on failure.
int ConnectTelescope(TelescopeLink& link, const TelescopeOptions& options, const TelescopeSky& sky,
                     uint32_t nowMs);

// DisconnectTelescope: closes the port (not when emulating) and clears the connected, marker,
// stay-centered and tracking flags. Does nothing more when not connected.
void DisconnectTelescope(TelescopeLink& link);

// TelescopePollDue: connected, polling (updates per second above 0), and more than
// 1000 / updates-per-second milliseconds since the last successful poll.
bool TelescopePollDue(const TelescopeLink& link, uint32_t nowMs);

// PollTelescope: one poll: the emulated telescope takes its step (shiftMouse, when given, is
// the sky under the mouse while Shift is held), then the position is read. A read that fails
// disconnects. At most one exchange's time-out passes per failing command. The caller that
// needs the marker's old place reads link.position before.
enum PollOutcome : int { PollFailed = 0, PollUnchanged = 1, PollMoved = 2 };
int PollTelescope(TelescopeLink& link, const TelescopeSky& sky, uint32_t nowMs,
                  const EquatorialPosition* shiftMouse = nullptr);

// The target.
void SetTelescopeTarget(TelescopeLink& link, ObjectId object, const EquatorialPosition& at);
// TrackTelescopeTarget: after the chart's time changed, the target object's record (its current
// direction brought up to date by the caller) replaces the target position; with tracking on,
// the telescope is sent there again. Records of other objects are ignored.
int TrackTelescopeTarget(TelescopeLink& link, const TelescopeSky& sky, const ObjectRecord& record);

// Commands of the control window and the menu. Each does nothing (ResultFailed) when not
// connected or when the interface does not offer it. TelescopeGoTo returns ResultMountSlewing
// when the mount refuses because it is slewing: the caller asks 2803 and calls TelescopeStop on
// Yes.
int TelescopeGoTo(TelescopeLink& link, const TelescopeSky& sky);  // to the target
int TelescopeSync(TelescopeLink& link, const TelescopeSky& sky);  // on the target
int TelescopeStop(TelescopeLink& link);                           // every motion
int TelescopeMove(TelescopeLink& link, bool start, int direction);
int TelescopeSetSpeed(TelescopeLink& link, int speed);  // 1-4
// Site and clock: the caller asks 2708 first when the interface's asksBeforeSiteAndTime is set.
int TelescopeSetDateTime(TelescopeLink& link, double jd, double zone);
int TelescopeSetSite(TelescopeLink& link, double longitude, double latitude, double zone);

// The Align button of encoder boxes, in two steps so that the caller can ask the questions:
// MeasureAlignmentStar reads the mount; at state 0 it zeroes the encoders and fills only
// instruction (2711). Otherwise it fills the mount and target vectors and the questions; after
// the user's Yes (or with no question), TakeTelescopeAlignmentStar returns the next instruction.
struct AlignmentMeasure {
  int instruction = 0;  // the instruction line's new text; 0 while a star is pending
  Vector3 mount, target;
  AlignmentQuestions questions;
};
int MeasureAlignmentStar(TelescopeLink& link, const TelescopeSky& sky, AlignmentMeasure& out);
int TakeTelescopeAlignmentStar(TelescopeLink& link, const AlignmentMeasure& star);

// TelescopeAlign: the Align button in one: measures, asks 2715 and 2716 (Yes/No) when they apply,
// and takes the star unless the user says No. Returns the instruction line's new text, or 0
// when it stays (the mount did not answer, the star was abandoned, or it cannot make a frame).
int TelescopeAlign(TelescopeLink& link, const TelescopeSky& sky);

// AlignmentInstruction: the instruction line for the alignment state: at the axis 2710
// (equatorial) or 2709 (alt-azimuth), then 2711, 2712 and 2713.
int AlignmentInstruction(const TelescopeLink& link);

}  // namespace qv
