// The running program for tests: started through its own start-up sequence on a scratch
// database, driven by menu items, events to its chart window and scripts for its dialogs.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/chart_window.h"
#include "app/command_handlers.h"
#include "app/commands.h"
#include "app/info_window.h"
#include "astro/angles.h"
#include "chart/projection.h"
#include "objects/database.h"
#include "objects/store.h"
#include "platform/menus.h"
#include "shell_fixture.h"

namespace qv {

class AppTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    CreateDatabase();
    Then([](WindowRef d) { Press(d, 1); });  // the About box at the end of start-up
    ASSERT_TRUE(StartApplication());
    ASSERT_NE(Shell().chartWindow, nullptr);
    shown.clear();
    opened.clear();
  }

  void TearDown() override {
    Settings().RedScreen = false;
    RelayoutChartWindow();  // a red screen test leaves the desktop's colours as they were
    ShellTest::TearDown();
  }

  // Choose: the menu item as the user chooses it (nothing happens when it is disabled).
  static void Choose(int menu, int item) { ChooseMenuItem(MenuByNumber(menu), item); }
  static bool Enabled(int menu, int item) { return IsItemEnabled(MenuByNumber(menu), item); }
  static bool Checked(int menu, int item) { return IsItemChecked(MenuByNumber(menu), item); }

  static WindowRef Chart() { return Shell().chartWindow; }
  static void Send(int code, int p1, int p2) { SendEvent(code, Chart(), p1, p2); }
  static void ClickChart(int x, int y) {
    Send(MouseDownEvent, x, y);
    Send(MouseUpEvent, x, y);
  }

  // A star in the custom file, by direction (a unit vector of the store's frame).
  static ObjectId AddStar(const char* name, const Vector3& direction, int16_t magnitude) {
    const Spherical s = RectangularToSpherical(direction);
    std::unique_ptr<ObjectRecord> star = MakeStar(name, s.lon, s.lat, magnitude);
    return AddObject(star, DefaultFile());
  }

  // The sky under a pixel of the last drawing.
  static Vector3 SkyAt(int x, int y) {
    Vector3 v;
    EXPECT_TRUE(ChartToSky(CurrentChartFrame(), x, y, v));
    return v;
  }

  // Apart: the chord between two unit vectors (radians, for small angles; never NaN).
  static double Apart(const Vector3& a, const Vector3& b) {
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
  }

  static ChartPoint PixelOf(ObjectId id) {
    return ProjectToChart(CurrentChartFrame(), RecordDirection(*ObjectOfId(id)));
  }
};

}  // namespace qv
