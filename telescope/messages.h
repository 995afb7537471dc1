// telescope/messages.h - the numbers of the string-table texts the telescope link shows or
// asks. The texts are in resources/strings.txt.
#pragma once

namespace qv {

enum TelescopeMessage : int {
  StringFirstInterface = 2500,         // "Meade LX-200" ... "INDI server" (2512)
  StringFirstMount = 2600,             // "Equatorial", "Alt-Azimuth" (2601)
  MessagePortUnavailable = 2700,       // can't open the COM port
  MessageCannotReadPort = 2701,        // can't read data from the COM port
  MessageCannotWritePort = 2702,       // can't write data to the COM port
  MessageNotResponding = 2706,         // the telescope is not responding
  MessageConfirmDisconnect = 2707,     // close the telescope connection?
  MessageConfirmSiteChange = 2708,     // change the telescope's site information?
  MessageAlignAltitudeAxis = 2709,     // point toward 90 degrees altitude
  MessageAlignPolarAxis = 2710,        // point toward 90 degrees declination
  MessageAlignFirstStar = 2711,        // select the 1st alignment object
  MessageAlignSecondStar = 2712,       // select the 2nd alignment object
  MessageAligned = 2713,               // the telescope is aligned
  MessageMouseEmulation = 2714,        // move the mouse with Shift held
  MessageAlignmentOffset = 2715,       // %.1f degrees from its expected position
  MessageAlignmentTooClose = 2716,     // %.1f degrees from its previous alignment position
  MessageIndiNoServer = 2717,          // can't connect to the INDI server at host:port
  MessageIndiNoDevice = 2718,          // the INDI server has no telescope of that name
  MessageIndiNoTelescope = 2719,       // the INDI server has no telescope
  MessageInvalidTarget = 2800,         // the target coordinates (R.A. ..., Dec. ...) are invalid
  MessageBelowHorizon = 2801,          // can't slew: below the horizon
  MessageOutOfReach = 2802,            // can't slew: out of reach of the mount
  MessageRejectedWhileSlewing = 2803,  // rejected while slewing; stop now?
};

}  // namespace qv
