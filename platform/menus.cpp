// platform/menus.cpp - the menu bar built from its resource, item state, and the accelerator
// table. Commands reach the application as MenuEvent through DispatchCommand.
#include "platform/menus.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <memory>
#include <vector>

#include "platform/menus_resource.h"
#include "platform/strings.h"
#include "platform/windows_qt.h"

namespace qv {

struct MenuRecord {
  int number = 0;
  QPointer<QMenu> menu;                  // none for the bar itself
  std::vector<QPointer<QAction>> items;  // position - 1; separators included
  std::vector<MenuRef> submenus;         // per item, nullptr for commands
};

namespace {

struct Accelerator {
  QKeyCombination keys;
  int command;
};

struct MenuState {
  std::vector<std::unique_ptr<MenuRecord>> menus;  // every menu; the bar is the last
  MenuRef bar = nullptr;
  std::vector<Accelerator> accelerators;
};

MenuState state;

QAction* ItemAction(MenuRef menu, int item) {
  if (!menu || item < 1 || item > static_cast<int>(menu->items.size())) return nullptr;
  return menu->items[item - 1].data();
}

// A checkable item toggles itself when chosen; here only the application sets check marks.
void KeepCheckMark(QAction* action, bool checkedAfterToggle) {
  if (action->isCheckable()) action->setChecked(!checkedAfterToggle);
}

MenuRef BuildMenu(const MenuResource& resource, int index, QMenu* menu) {
  const ResourceMenu& m = resource.menus[index];
  auto record = std::make_unique<MenuRecord>();
  record->number = m.number;
  record->menu = menu;
  for (size_t i = 0; i < m.items.size(); ++i) {
    const ResourceMenuItem& item = m.items[i];
    MenuRef sub = nullptr;
    QAction* action = nullptr;
    if (item.separator) {
      action = menu->addSeparator();
    } else if (item.submenu >= 0) {
      QMenu* child = menu->addMenu(QString::fromStdString(item.label));
      sub = BuildMenu(resource, item.submenu, child);
      action = child->menuAction();
    } else {
      QString text = QString::fromStdString(item.label);
      if (!item.hint.empty()) text += '\t' + QString::fromStdString(item.hint);
      action = menu->addAction(text);
      const int command = m.number * 100 + static_cast<int>(i) + 1;
      QObject::connect(action, &QAction::triggered, [action, command](bool checked) {
        KeepCheckMark(action, checked);
        DispatchCommand(command);
      });
    }
    record->items.emplace_back(action);
    record->submenus.push_back(sub);
  }
  state.menus.push_back(std::move(record));
  return state.menus.back().get();
}

void LoadAccelerators(const MenuResource& resource) {
  for (const ResourceAccelerator& a : resource.accelerators) {
    const QKeySequence keys =
        QKeySequence::fromString(QString::fromStdString(a.keys), QKeySequence::PortableText);
    if (keys.count() == 1) state.accelerators.push_back({keys[0], a.command});
  }
}

// FindCommandItem: the menu and position that a command number names, or nullptr.
QAction* FindCommandItem(int command) {
  for (const auto& m : state.menus)
    if (m.get() != state.bar && m->number == command / 100)
      return ItemAction(m.get(), command % 100);
  return nullptr;
}

}  // namespace

void ResetMenus() { state = MenuState{}; }

void DispatchCommand(int command) {
  const int menu = command / 100, item = command % 100;
  const WindowRef front = GetFrontWindow();
  const int result = SendEvent(MenuEvent, front, menu, item);
  // Unhandled by the front window's own handler: the application gets it. Without a handler of
  // its own the application has just had it, and must not run the command twice.
  if (front && front->handler && result != 0) SendEvent(MenuEvent, nullptr, menu, item);
}

bool TranslateAccelerator(const QKeyEvent* event) {
  if (!state.bar || IsModalDialogUp()) return false;
  const QKeyCombination keys(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(event->key()));
  for (const Accelerator& a : state.accelerators) {
    if (a.keys != keys) continue;
    const QAction* action = FindCommandItem(a.command);
    if (!action || action->isEnabled()) DispatchCommand(a.command);  // grayed items stay quiet
    return true;
  }
  return false;
}

MenuRef LoadMenuBar(int resourceNumber) {
  if (state.bar) return state.bar;
  auto* frame = Platform().main ? qobject_cast<MainFrame*>(Platform().main->frame.data()) : nullptr;
  if (!frame) return nullptr;  // no main window yet
  MenuResource resource;
  std::string error;
  if (!ParseMenuResource(MenuResourceText(), resourceNumber, resource, error)) {
    qWarning("%s", error.c_str());
    return nullptr;
  }
  auto bar = std::make_unique<MenuRecord>();
  bar->number = resourceNumber;
  for (int index : resource.bar) {
    QMenu* menu = frame->menuBar()->addMenu(QString::fromStdString(resource.menus[index].label));
    bar->submenus.push_back(BuildMenu(resource, index, menu));
    bar->items.emplace_back(menu->menuAction());
  }
  LoadAccelerators(resource);
  state.menus.push_back(std::move(bar));
  state.bar = state.menus.back().get();
  return state.bar;
}

MenuRef GetMenuHandle(int position) { return GetSubmenuHandle(state.bar, position); }

MenuRef GetSubmenuHandle(MenuRef menu, int item) {
  if (!menu || item < 1 || item > static_cast<int>(menu->submenus.size())) return nullptr;
  return menu->submenus[item - 1];
}

int GetMenuNumber(MenuRef menu) { return menu ? menu->number : 0; }
int CountMenuItems(MenuRef menu) { return menu ? static_cast<int>(menu->items.size()) : 0; }

std::string GetMenuItemText(MenuRef menu, int item) {
  const QAction* action = ItemAction(menu, item);
  if (!action || action->isSeparator()) return {};
  QString text = action->text().section('\t', 0, 0);
  text.replace("&&", QString(QChar(0xFFFF))).remove('&').replace(QChar(0xFFFF), "&");
  return text.toStdString().substr(0, StringMaxLength);
}

void EnableItem(MenuRef menu, int item, bool on) {
  if (QAction* action = ItemAction(menu, item)) action->setEnabled(on);
}

bool IsItemEnabled(MenuRef menu, int item) {
  const QAction* action = ItemAction(menu, item);
  return action && action->isEnabled();
}

void CheckItem(MenuRef menu, int item, bool on) {
  QAction* action = ItemAction(menu, item);
  if (!action || action->isSeparator()) return;
  action->setCheckable(true);
  action->setChecked(on);
}

bool IsItemChecked(MenuRef menu, int item) {
  const QAction* action = ItemAction(menu, item);
  return action && action->isChecked();
}

void CheckRadioItems(MenuRef menu, int firstItem, int lastItem, int chosenItem) {
  for (int item = firstItem; item <= lastItem; ++item) CheckItem(menu, item, item == chosenItem);
}

void ChooseMenuItem(MenuRef menu, int item) {
  QAction* action = ItemAction(menu, item);
  if (action && action->isEnabled() && !action->menu()) action->trigger();
}

}  // namespace qv
