// app/command_handlers.h - the command handlers of each menu, for app/commands.cpp. Each takes
// the command number (menu x 100 + item) of its menu and its submenus.
#pragma once

#include "platform/menus.h"

namespace qv {

void FileCommand(int command);  // File, New, Open, Import, Export
void EditCommand(int command);  // Edit
void ViewCommand(int command);  // View, Center Planet, Center Horizon, Projection, Coordinates
void DrawCommand(int command);  // Draw, Sky Background, Custom Colors
void ComputationCommand(int command);  // Computation
void AnimationCommand(int command);    // Animation
void HelpCommand(int command);         // Help and the About box

// MenuByNumber: the menu (or submenu) of the bar with that number, or none.
MenuRef MenuByNumber(int number);

// SetTimeToNow: the chart's time becomes the computer clock's, as universal time.
void SetTimeToNow();

// ShowAboutBox: dialog 256, modally, until OK; its check box turns the box at start and exit
// off (or on again), a preference of the user rather than of a settings file.
void ShowAboutBox();
// ShowAboutBoxUnlessTurnedOff: the box at start and exit, while that preference is on.
void ShowAboutBoxUnlessTurnedOff();

}  // namespace qv
