// platform/menus.h - the menu bar and its accelerators, loaded from resources/menus.txt.
// A menu command is one number, menu number x 100 + item number; items count from 1 and
// separators count. Choosing an item (or its accelerator) sends MenuEvent (menu, item) to the
// front window and, when that leaves it unhandled (non-zero), to the application.
// Items are addressed by menu handle and position, never by command number.
#pragma once

#include <string>

namespace qv {

struct MenuRecord;
using MenuRef = MenuRecord*;  // nullptr: no menu

constexpr int MenuBarResource = 256;

// LoadMenuBar: once, and only when the main window exists; attaches the bar and its
// accelerator table to the main window. Later calls return the bar already loaded.
MenuRef LoadMenuBar(int resourceNumber);
// GetMenuHandle: the pull-down at 1-based position on the bar; nullptr for 0 or none.
MenuRef GetMenuHandle(int position);
// GetSubmenuHandle: the submenu at 1-based item, or nullptr.
MenuRef GetSubmenuHandle(MenuRef menu, int item);
int GetMenuNumber(MenuRef menu);   // 257 for File, 12 for Open, ...
int CountMenuItems(MenuRef menu);  // separators included
// GetMenuItemText: the label as shown, without the shortcut hint and mnemonic marks, at most
// 255 bytes; empty for separators and items that do not exist.
std::string GetMenuItemText(MenuRef menu, int item);
void EnableItem(MenuRef menu, int item, bool on);
bool IsItemEnabled(MenuRef menu, int item);
void CheckItem(MenuRef menu, int item, bool on);
bool IsItemChecked(MenuRef menu, int item);
// CheckRadioItems: checks chosenItem and unchecks every other item of firstItem..lastItem.
void CheckRadioItems(MenuRef menu, int firstItem, int lastItem, int chosenItem);
// ChooseMenuItem: acts as if the user chose the item (disabled items do nothing).
void ChooseMenuItem(MenuRef menu, int item);

}  // namespace qv
