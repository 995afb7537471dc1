// telescope/emulation.cpp - the emulated telescope's motion.
#include "telescope/emulation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv {
namespace {

constexpr double TwoPi = 2 * std::numbers::pi;
constexpr double HalfPi = std::numbers::pi / 2;

double WrapRa(double ra) {
  const double wrapped = std::fmod(ra, TwoPi);
  return wrapped < 0 ? wrapped + TwoPi : wrapped;
}

void Hold(EmulatedTelescope& t, double elapsedSeconds) {
  const double step = elapsedSeconds * t.rate;
  switch (t.motion) {
    case MotionNorth:
      t.position.dec += step;
      break;
    case MotionEast:
      t.position.ra += step;
      break;
    case MotionSouth:
      t.position.dec -= step;
      break;
    case MotionWest:
      t.position.ra -= step;
      break;
    default:
      break;
  }
}

void Slew(EmulatedTelescope& t, int updatesPerSec) {
  const double most = SlewPerPoll / std::max(updatesPerSec, 1);
  const double dRa = std::remainder(t.target.ra - t.position.ra, TwoPi);
  const double dDec = t.target.dec - t.position.dec;
  if (std::fabs(dRa) <= most && std::fabs(dDec) <= most) {
    t.position = t.target;  // within this poll's reach: arrived
    t.motion = MotionIdle;
    return;
  }
  t.position.ra += std::clamp(dRa, -most, most);
  t.position.dec += std::clamp(dDec, -most, most);
}

}  // namespace

void StepEmulatedTelescope(EmulatedTelescope& t, uint32_t nowMs, int updatesPerSec) {
  const double elapsedSeconds = static_cast<uint32_t>(nowMs - t.lastStepMs) * 0.001;
  t.lastStepMs = nowMs;
  if (t.motion == MotionSlewing) {
    Slew(t, updatesPerSec);
  } else {
    Hold(t, elapsedSeconds);
  }
  t.position.ra = WrapRa(t.position.ra);
  t.position.dec = std::clamp(t.position.dec, -HalfPi, HalfPi);
}

void MoveEmulatedTelescope(EmulatedTelescope& t, bool start, int direction) {
  const bool valid = direction >= MotionNorth && direction <= MotionWest;
  t.motion = start && valid ? direction : MotionIdle;
}

void SlewEmulatedTelescope(EmulatedTelescope& t, const EquatorialPosition& target) {
  t.target = target;
  t.motion = MotionSlewing;
}

void SyncEmulatedTelescope(EmulatedTelescope& t, const EquatorialPosition& target) {
  t.target = target;
  t.position = target;
}

void EmulateMouse(EmulatedTelescope& t, const EquatorialPosition& underMouse) {
  t.position = {WrapRa(underMouse.ra), std::clamp(underMouse.dec, -HalfPi, HalfPi)};
}

}  // namespace qv
