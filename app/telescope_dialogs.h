// app/telescope_dialogs.h - the Telescope menu's modal dialogs. Each returns true on OK.
#pragma once

#include "settings/settings.h"
#include "telescope/equator_of_date.h"

namespace qv {

// RunTelescopeDisplayDialog: the finder, eyepiece and camera fields into the settings.
bool RunTelescopeDisplayDialog();

// RunTelescopeConnectionDialog: interface, mount, port or INDI server, polling rate, encoders
// and emulation into the settings.
bool RunTelescopeConnectionDialog();

// RunTelescopeTargetDialog: J2000 coordinates, filled with target and replacing it on OK.
bool RunTelescopeTargetDialog(EquatorialPosition& target);

}  // namespace qv
