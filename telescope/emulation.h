// telescope/emulation.h - the emulated telescope: a simulated mount for trying the program
// without hardware. Positions are J2000 radians; times are the platform's millisecond ticks.
//
// The motion model: while a direction is held, each step moves the position by the elapsed
// time x the rate (north and east add to Dec. and R.A., south and west subtract); while slewing,
// R.A. (the shorter way round) and Dec. each move toward the target by at most 8 degrees divided
// by the polls per second, and the slew ends on the target at the poll that reaches it. R.A. is
// kept in [0, 2 pi) and Dec. within the poles.
#pragma once

#include <cstdint>

#include "telescope/equator_of_date.h"

namespace qv {

enum EmulatedMotion : int {
  MotionIdle = 0,
  MotionNorth = 1,
  MotionEast = 2,
  MotionSouth = 3,
  MotionWest = 4,
  MotionSlewing = 5,
};

struct EmulatedTelescope {
  EquatorialPosition position;
  EquatorialPosition target;
  int motion = MotionIdle;  // EmulatedMotion
  double rate = 0;          // radians per second of a held direction
  uint32_t lastStepMs = 0;
};

constexpr double SlewPerPoll = 0.1396263401670578;  // 8 degrees: a slew's step at one poll a second

// StepEmulatedTelescope: one poll's motion at nowMs.
void StepEmulatedTelescope(EmulatedTelescope& t, uint32_t nowMs, int updatesPerSec);

// MoveEmulatedTelescope: start (or stop) moving in a direction 1-4; a stop, or direction 0,
// ends every motion, a slew included.
void MoveEmulatedTelescope(EmulatedTelescope& t, bool start, int direction);

void SlewEmulatedTelescope(EmulatedTelescope& t, const EquatorialPosition& target);
void SyncEmulatedTelescope(EmulatedTelescope& t, const EquatorialPosition& target);

// EmulateMouse: the sky position under the mouse while Shift is held becomes the position.
void EmulateMouse(EmulatedTelescope& t, const EquatorialPosition& underMouse);

}  // namespace qv
