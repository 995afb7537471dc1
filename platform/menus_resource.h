// platform/menus_resource.h - the menu bar and accelerator resource as plain data, parsed from
// the text of resources/menus.txt (format described at the top of that file).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct ResourceMenuItem {
  std::string label;  // with "&" mnemonic marks; empty for a separator
  std::string hint;   // shortcut shown at the right, or empty
  int submenu = -1;   // index into MenuResource::menus, or -1 for a command
  bool separator = false;
};

struct ResourceMenu {
  int number = 0;  // 257..264 for pull-downs, two digits for submenus
  std::string label;
  std::vector<ResourceMenuItem> items;
};

struct ResourceAccelerator {
  std::string keys;  // Qt's portable key text, "Ctrl+O", "Shift+Del", "PgUp"
  int command = 0;
};

struct MenuResource {
  std::vector<ResourceMenu> menus;  // every menu, pull-downs and submenus
  std::vector<int> bar;             // indices of the pull-downs in bar order
  std::vector<ResourceAccelerator> accelerators;
};

// ParseMenuResource: the bar and the accelerators numbered resource. False with a message
// naming the line when the text is malformed: a wrong indentation, an unknown keyword, a menu
// number used twice, more than 99 items in a menu, an accelerator without a command.
bool ParseMenuResource(std::string_view text, int resource, MenuResource& out, std::string& error);

// The text of resources/menus.txt built into the program.
std::string_view MenuResourceText();

}  // namespace qv
