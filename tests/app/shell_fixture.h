// A scratch database and a fresh platform for tests of the application's dialogs and commands:
// dialogs are answered by a script run inside their modal loop, alerts are recorded and answered
// from a queue, and everything is put back afterwards.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/shell.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/windows.h"
#include "settings/settings.h"
#include "tests/objects/database_fixture.h"

namespace qv {

class ShellTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);  // the user's preferences untouched
    InitPlatform();
    Settings() = DefaultSettings(32);
    Shell() = ShellState();
    Hooks() = ShellHooks();
    SetModalDialogHook([this](WindowRef dialog, int number) {
      opened.push_back(number);
      if (scripts.empty()) {
        Press(dialog, 2);  // nothing planned: Cancel
        return;
      }
      const std::function<void(WindowRef)> script = scripts.front();
      scripts.pop_front();
      script(dialog);
    });
  }

  void TearDown() override {
    SetModalDialogHook(nullptr);
    SetStartupDocuments({});
    Shell() = ShellState();
    Hooks() = ShellHooks();
    InitPlatform();
    Settings() = DefaultSettings(32);
    DatabaseTest::TearDown();
  }

  // Then: the next modal dialog runs this script (which must end it, by a button).
  void Then(std::function<void(WindowRef)> script) { scripts.push_back(std::move(script)); }

  // Press: a button's click as the platform delivers it.
  static void Press(WindowRef dialog, int item) {
    SendEvent(ControlEvent, dialog, item, PartClick);
  }

  // Click: what a click on a check box or a list sends, the value set first.
  static void Click(WindowRef dialog, int item, int value = 1) {
    SetItemValue(dialog, item, value);
    SendEvent(ControlEvent, dialog, item, PartClick);
  }
  // ClickRadio: a click on one radio button of the group first..last.
  static void ClickRadio(WindowRef dialog, int first, int last, int item) {
    SetRadioGroup(dialog, first, last, item);
    SendEvent(ControlEvent, dialog, item, PartClick);
  }

  std::deque<std::function<void(WindowRef)>> scripts;
  std::vector<int> opened;  // dialogs shown, in order
};

}  // namespace qv
