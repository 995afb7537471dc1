// app/shell.h - the state the application shell keeps beside the settings record: the chart
// window and the info window, the user's home site, the redraw timing, and the seams through
// which the telescope link plugs into the shell's events.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "objects/records.h"
#include "platform/events.h"

namespace qv {

// HereLocation: the user's home site, taken from the location at start-up and set by the
// Location dialog's Use as Here button.
struct HereLocation {
  std::string siteName;  // at most SiteNameMaxLength bytes
  double longitude = 0;  // radians, east positive
  double latitude = 0;   // radians
  double altitude = 0;   // metres
  double timeZone = 0;   // days east of Greenwich
};

struct ShellState {
  WindowRef chartWindow = nullptr;
  WindowRef infoWindow = nullptr;  // made once at start-up, then only shown and hidden
  ObjectId infoObject = 0;         // the object in the info window; the selected object
  HereLocation here;
  uint32_t windowRedraws = 0;  // chart images copied into the window so far
  bool timing = false;         // the "t" key's redraw timing is running
  uint32_t timingStartMs = 0;
  uint32_t timingStartRedraws = 0;
  uint32_t lastTelescopeUpdateMs = 0;
  int lastScreenDepth = 0;  // the screen depth at the last redraw
};

ShellState& Shell();

// Work that later parts of the program hand to the shell. Each is empty until its part is
// built; the shell then leaves that work out (and disables what starts it).
struct ShellHooks {
  std::function<bool()> pollTelescope;                     // true when the telescope answered
  std::function<void()> disconnectTelescope;               // on quitting
  std::function<void(ObjectId)> targetObject;              // an object shown in the info window
  std::function<void(double ra, double dec)> targetPoint;  // a double-clicked sky point (J2000)
  std::function<void(ObjectId)> editTrail;                 // the info window's Trail on... button
  std::function<void()> drawTelescopeFields;  // the fields into the port, over a chart drawing
};

ShellHooks& Hooks();

}  // namespace qv
