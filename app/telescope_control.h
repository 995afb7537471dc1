// app/telescope_control.h - the Telescope menu, its dialogs (Display, Connection, Target) and the
// modeless control windows (the command window and the alignment window) over the program's one
// telescope link, and the telescope marker over the chart.
#pragma once

#include "platform/windows.h"

namespace qv {

// TelescopeCommand: the items of the Telescope menu (command numbers 26301-26313).
void TelescopeCommand(int command);

// InstallTelescopeHooks: the shell's idle polling, the disconnect on quitting and the target
// taken from the info window or a double-clicked sky point.
void InstallTelescopeHooks();

// DisconnectTelescopeLink: closes the link and its window, clears the telescope flags and
// redraws; nothing when not connected. Reading a settings file calls it first.
void DisconnectTelescopeLink();

// TelescopeControlWindow: the command or alignment window while it is up (the menu's check
// mark), else nullptr.
WindowRef TelescopeControlWindow();

// DrawTelescopeOverlay: the marker over the chart window, after each copy of the chart image.
void DrawTelescopeOverlay();

}  // namespace qv
