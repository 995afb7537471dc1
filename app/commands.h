// app/commands.h - the menu commands: each command, menu number x 100 + item number, routed to
// the part of the program that does its work, and the rules that enable and check menu items.
#pragma once

namespace qv {

// Menu numbers of the bar and its submenus.
enum MenuNumber : int {
  NewMenu = 11,
  OpenMenu = 12,
  ImportMenu = 13,
  ExportMenu = 14,
  CenterPlanetMenu = 31,
  CenterHorizonMenu = 32,
  ProjectionMenu = 33,
  CoordinatesMenu = 34,
  SkyBackgroundMenu = 41,
  CustomColorsMenu = 42,
  AppleMenu = 256,
  FileMenu = 257,
  EditMenu = 258,
  ViewMenu = 259,
  DrawMenu = 260,
  ComputationMenu = 261,
  AnimationMenu = 262,
  TelescopeMenu = 263,
  HelpMenu = 264,
};

constexpr int CommandOf(int menu, int item) { return menu * 100 + item; }

// DispatchMenuCommand: does what the command asks; returns 1.
int DispatchMenuCommand(int menu, int item);

// IsCommandAvailable: false for the commands the program does not offer; their menu items stay
// disabled and choosing one does nothing.
bool IsCommandAvailable(int command);

// UpdateMenus: every enabled state and check mark again from the current state.
void UpdateMenus();

}  // namespace qv
