// telescope/meade.h - the Meade command set of the LX-200, Magellan I and II and ETX Autostar:
// ASCII commands from ":" to "#", replies of one byte or of text ending in "#". The mounts work
// in the equator of date.
//
// Replies read (both precisions, as handsets are set):
//   R.A.  "HH:MM.T#" (tenths of a minute) or "HH:MM:SS#"
//   Dec.  "sDD*MM#" or "sDD*MM:SS#" (also "sDD*MM'SS#"), the degree separator "*", ":" or the
//         byte 223 (the handset's degree sign)
// Anything else is a failed read, never a position.
#pragma once

#include <string_view>

#include "telescope/driver.h"

namespace qv {

extern const TelescopeDriver MeadeDriver;

// MeadeBaudRate: 9600 for the LX-200 and Autostar, 1200 for the Magellan I, 300 for the II.
int MeadeBaudRate(TelescopeKind kind);

// ReadMeadeRightAscension / ReadMeadeDeclination: a whole reply, "#" included, as radians;
// false (out unchanged) when it is not one of the forms above or out of range.
bool ReadMeadeRightAscension(std::string_view reply, double& ra);
bool ReadMeadeDeclination(std::string_view reply, double& dec);

}  // namespace qv
