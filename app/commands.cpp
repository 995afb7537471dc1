// app/commands.cpp - routing of menu commands, and the commands kept disabled (commands.h).
#include "app/commands.h"

#include "app/command_handlers.h"
#include "app/shell.h"
#include "app/telescope_control.h"
#include "platform/dialogs.h"
#include "platform/preferences.h"

namespace qv {
namespace {

// Commands that stay disabled: the Edit commands that have nothing to act on: the chart cannot be
// changed by cutting, pasting or deleting, and nothing is undone. Ranges of command numbers, both
// ends included.
struct CommandRange {
  int first, last;
};
constexpr CommandRange UnavailableCommands[] = {
    {25801, 25801},  // Edit > Undo
    {25803, 25803},  // Edit > Cut
    {25805, 25806},  // Edit > Paste, Delete
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
    case TelescopeMenu:
      TelescopeCommand(command);
      break;
    case AnimationMenu:
      AnimationCommand(command);
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

void ShowAboutBox() {
  constexpr int NotAgainBox = 4;
  RunModalDialog(AboutBoxDialog, 0, [](int code, WindowRef dialog, int item, int) {
    if (code == WindowCreatedEvent) {
      ShowItem(dialog, NotAgainBox, true);
      SetItemValue(dialog, NotAgainBox, !GetPreference(PreferenceAboutBoxAtStart, true));
      return 0;
    }
    if (code != ControlEvent || (item != 1 && item != 2)) return 1;  // OK, or the close box
    const bool show = GetItemValue(dialog, NotAgainBox) == 0;
    if (show != GetPreference(PreferenceAboutBoxAtStart, true))
      SetPreference(PreferenceAboutBoxAtStart, show);
    EndModalDialog(item);
    return 0;
  });
}

void ShowAboutBoxUnlessTurnedOff() {
  if (GetPreference(PreferenceAboutBoxAtStart, true)) ShowAboutBox();
}

}  // namespace qv
