// app/commands.cpp - routing of menu commands, and the commands kept disabled (commands.h).
#include "app/commands.h"

#include "app/command_handlers.h"
#include "app/shell.h"
#include "platform/dialogs.h"

namespace qv {
namespace {

// Commands whose menu items stay disabled and which do nothing when chosen: exporting and
// printing charts, ephemerides, animation and trails, configuration search and the telescope, which
// the program does not offer, and the Edit commands that have nothing to act on. Ranges of command
// numbers, both ends included.
struct CommandRange {
  int first, last;
};
constexpr CommandRange UnavailableCommands[] = {
    {1401, 1403},    // File > Export > Ephemeris, Chart, Animation
    {25713, 25714},  // File > Print Setup..., Print...
    {25801, 25801},  // Edit > Undo
    {25803, 25806},  // Edit > Cut, Copy, Paste, Delete
    {26111, 26111},  // Computation > Find Configuration...
    {26201, 26222},  // Animation
    {26301, 26313},  // Telescope
};

}  // namespace

bool IsCommandAvailable(int command) {
  for (const CommandRange& range : UnavailableCommands)
    if (command >= range.first && command <= range.last) return false;
  return true;
}

int DispatchMenuCommand(int menu, int item) {
  const int command = CommandOf(menu, item);
  if (!IsCommandAvailable(command)) return 1;
  switch (menu) {
    case AppleMenu:
      if (item == 1) ShowAboutBox();
      break;
    case FileMenu:
    case NewMenu:
    case OpenMenu:
    case ImportMenu:
    case ExportMenu:
      FileCommand(command);
      break;
    case EditMenu:
      EditCommand(command);
      break;
    case ViewMenu:
    case CenterPlanetMenu:
    case CenterHorizonMenu:
    case ProjectionMenu:
    case CoordinatesMenu:
      ViewCommand(command);
      break;
    case DrawMenu:
    case SkyBackgroundMenu:
    case CustomColorsMenu:
      DrawCommand(command);
      break;
    case ComputationMenu:
      ComputationCommand(command);
      break;
    case HelpMenu:
      HelpCommand(command);
      break;
    default:
      break;
  }
  return 1;
}

MenuRef MenuByNumber(int number) {
  for (int position = 1; MenuRef menu = GetMenuHandle(position); ++position) {
    if (GetMenuNumber(menu) == number) return menu;
    for (int item = 1; item <= CountMenuItems(menu); ++item)
      if (MenuRef sub = GetSubmenuHandle(menu, item); sub && GetMenuNumber(sub) == number)
        return sub;
  }
  return nullptr;
}

void RestartAnimationClock() {
  if (Hooks().restartAnimationClock) Hooks().restartAnimationClock();
}

void ShowAboutBox() {
  RunModalDialog(AboutBoxDialog, 0, [](int code, WindowRef, int item, int) {
    if (code != ControlEvent) return 1;
    if (item == 1 || item == 2) EndModalDialog(item);  // OK, or the close box
    return 0;
  });
}

}  // namespace qv
