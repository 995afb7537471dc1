// The menu bar resource: its parser, the command numbers it yields, item state and accelerators.
#include "platform/menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <map>

#include "platform/menus_resource.h"
#include "platform_fixture.h"

namespace qv {
namespace {

TEST(MenuResource, MalformedTextIsRejectedNamingTheLine) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"menubar 256\n\titem Orphan\n", "line 2"},                     // items belong in menus
      {"menubar 256\n\tmenu 257 File\n\t\t\titem Deep\n", "line 3"},  // skipped a level
      {"menubar 256\n\tmenu 257 File\n\t\tthing X\n", "line 3"},      // unknown keyword
      {"menubar 256\n\tmenu 257 A\n\tmenu 257 B\n", "line 3"},        // number twice
      {"menubar 256\n\tmenu File\n", "line 2"},                       // no number
      {"menubar 256\n\tmenu 257 File\n\t\titem \n", "line 3"},        // empty label
      {"accelerators 256\n\tCtrl+O\n", "line 2"},                     // no command
      {"\tmenu 257 File\n", "line 1"},                                // outside a section
      {"menubar 300\n", "no menu bar 256"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    MenuResource resource;
    std::string error;
    EXPECT_FALSE(ParseMenuResource(c.text, 256, resource, error));
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
  std::string big = "menubar 256\n\tmenu 257 File\n";
  for (int i = 0; i < 100; ++i) big += "\t\tseparator\n";
  MenuResource resource;
  std::string error;
  EXPECT_FALSE(ParseMenuResource(big, 256, resource, error))
      << "item 100 would overflow into the menu number";
}

using MenuBar = PlatformTest;

// Every menu reachable from the bar, by number.
std::map<int, MenuRef> AllMenus() {
  std::map<int, MenuRef> menus;
  for (int position = 1; MenuRef menu = GetMenuHandle(position); ++position) {
    menus[GetMenuNumber(menu)] = menu;
    for (int item = 1; item <= CountMenuItems(menu); ++item)
      if (MenuRef sub = GetSubmenuHandle(menu, item)) menus[GetMenuNumber(sub)] = sub;
  }
  return menus;
}

TEST_F(MenuBar, LoadsOnceAndOnlyWithAMainWindow) {
  EXPECT_EQ(LoadMenuBar(MenuBarResource), nullptr);
  EXPECT_EQ(GetMenuHandle(1), nullptr);
  CreatePlatformWindow(100, "t", 0, 0, 0, 0, false, 31, 0, nullptr);
  MenuRef bar = LoadMenuBar(MenuBarResource);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(LoadMenuBar(MenuBarResource), bar);
  EXPECT_EQ(GetMenuHandle(0), nullptr);
  EXPECT_EQ(GetMenuHandle(9), nullptr);
  for (int position = 1; position <= 8; ++position)
    EXPECT_EQ(GetMenuNumber(GetMenuHandle(position)), 256 + position);
}

TEST_F(MenuBar, CommandsComeOutAsMenuTimesHundredPlusItem) {
  CreatePlatformWindow(100, "t", 0, 0, 0, 0, false, 31, 0, Recorder());
  SetFrontWindow(GetMainWindow());
  ASSERT_NE(LoadMenuBar(MenuBarResource), nullptr);
  const std::map<int, MenuRef> menus = AllMenus();
  EXPECT_EQ(menus.size(), 18u);  // 8 pull-downs and 10 submenus
  // The application's command table names these commands and labels.
  const std::map<int, std::string> commands = {{1101, "Star..."},
                                               {1102, "Planet..."},
                                               {1201, "Settings..."},
                                               {1202, "Default Settings"},
                                               {1204, "Database..."},
                                               {1205, "Default Database"},
                                               {1206, "Large Database on CD-ROM"},
                                               {25703, "Close Info Window"},
                                               {25705, "Save Settings"},
                                               {25706, "Save Settings As..."},
                                               {25707, "Save Settings as Default"},
                                               {1301, "Quorvane Text File..."},
                                               {1302, "NASA Satellite File..."},
                                               {1401, "Ephemeris As..."},
                                               {1402, "Chart As..."},
                                               {1403, "Animation As..."},
                                               {25711, "Delete Database File..."},
                                               {25713, "Print Setup..."},
                                               {25714, "Print..."},
                                               {25716, "Exit"},
                                               {25801, "Undo"},
                                               {25803, "Cut"},
                                               {25804, "Copy"},
                                               {25805, "Paste"},
                                               {25806, "Delete"},
                                               {25808, "Find Object..."},
                                               {25809, "Edit Object..."},
                                               {25810, "Delete Object..."},
                                               {25812, "Edit Constellations"},
                                               {3101, "Sun"},
                                               {3102, "Moon"},
                                               {3111, "Pluto"},
                                               {3201, "North"},
                                               {3206, "Nadir"},
                                               {25903, "Center Object..."},
                                               {25904, "Center Coordinates..."},
                                               {3301, "Planar"},
                                               {3302, "Spherical"},
                                               {3303, "Lambert"},
                                               {3304, "Mercator"},
                                               {3305, "Mollweide"},
                                               {3401, "Equatorial"},
                                               {3404, "Horizon"},
                                               {25909, "Field..."},
                                               {25910, "Zoom In"},
                                               {25911, "Zoom Out"},
                                               {25913, "360° Field"},
                                               {25926, "1/360° Field"},
                                               {26001, "Stars"},
                                               {26011, "Scroll Bars"},
                                               {26013, "Symbols & Grids..."},
                                               {26014, "Fainter Limits"},
                                               {26015, "Brighter Limits"},
                                               {26016, "Automatic Limits"},
                                               {4101, "Black"},
                                               {4103, "Color"},
                                               {4201, "Star Labels"},
                                               {4205, "Constellation Figures"},
                                               {4208, "R.A./Dec. Grid"},
                                               {4214, "Daytime Sky"},
                                               {4218, "Night Sky"},
                                               {26020, "Use Color"},
                                               {26021, "Red Screen"},
                                               {26023, "Text Font..."},
                                               {26101, "Location..."},
                                               {26102, "Here"},
                                               {26104, "Date & Time..."},
                                               {26105, "Julian Date..."},
                                               {26106, "Now"},
                                               {26108, "Precision..."},
                                               {26109, "Recompute All"},
                                               {26111, "Find Configuration..."},
                                               {26201, "Off"},
                                               {26203, "Forward"},
                                               {26205, "Step Backward"},
                                               {26206, "Step Forward"},
                                               {26208, "Set Time Step..."},
                                               {26209, "Real Time"},
                                               {26218, "10,000 Years"},
                                               {26220, "Trail For..."},
                                               {26222, "Delete All Trails"},
                                               {26301, "Display..."},
                                               {26302, "Connect..."},
                                               {26313, "Track Moving Targets"},
                                               {26401, "Contents"},
                                               {26402, "Search..."},
                                               {26403, "Index..."},
                                               {26405, "About Quorvane..."}};
  for (const auto& [command, label] : commands) {
    SCOPED_TRACE(command);
    const auto menu = menus.find(command / 100);
    ASSERT_NE(menu, menus.end());
    EXPECT_EQ(GetMenuItemText(menu->second, command % 100), label);
    delivered.clear();
    ChooseMenuItem(menu->second, command % 100);
    EXPECT_EQ(delivered,
              (std::vector<Delivered>{{MenuEvent, GetMainWindow(), command / 100, command % 100}}));
  }
  for (int separator : {4204, 4207, 4213, 25704, 25802, 26207, 26219, 26304})
    EXPECT_EQ(GetMenuItemText(menus.at(separator / 100), separator % 100), "") << separator;
}

TEST_F(MenuBar, EveryAcceleratorNamesAnItemThatShowsItsHint) {
  CreatePlatformWindow(100, "t", 0, 0, 0, 0, false, 31, 0, nullptr);
  ASSERT_NE(LoadMenuBar(MenuBarResource), nullptr);
  MenuResource resource;
  std::string error;
  ASSERT_TRUE(ParseMenuResource(MenuResourceText(), MenuBarResource, resource, error)) << error;
  const std::map<int, MenuRef> menus = AllMenus();
  for (const ResourceAccelerator& a : resource.accelerators) {
    SCOPED_TRACE(a.keys);
    ASSERT_TRUE(menus.count(a.command / 100));
    const MenuRef menu = menus.at(a.command / 100);
    EXPECT_FALSE(GetMenuItemText(menu, a.command % 100).empty());
    EXPECT_FALSE(
        QKeySequence::fromString(QString::fromStdString(a.keys), QKeySequence::PortableText)
            .isEmpty());
  }
  EXPECT_EQ(resource.accelerators.size(), 38u);
  // File > Open > Settings... as the menu bar shows it.
  const QMenuBar* shown = static_cast<MainFrame*>(GetMainWindow()->frame.data())->menuBar();
  const QAction* open = shown->actions()[0]->menu()->actions()[1]->menu()->actions()[0];
  EXPECT_EQ(open->text(), "Settings...\tCtrl+O");
}

TEST_F(MenuBar, CheckMarksAndGrayingBelongToTheApplication) {
  CreatePlatformWindow(100, "t", 0, 0, 0, 0, false, 31, 0, Recorder());
  SetFrontWindow(GetMainWindow());
  ASSERT_NE(LoadMenuBar(MenuBarResource), nullptr);
  MenuRef projection = GetSubmenuHandle(GetMenuHandle(3), 6);
  ASSERT_EQ(GetMenuNumber(projection), 33);
  CheckItem(projection, 1, true);
  CheckRadioItems(projection, 1, 5, 3);
  for (int item = 1; item <= 5; ++item)
    EXPECT_EQ(IsItemChecked(projection, item), item == 3) << item;
  // Choosing an item leaves its check mark to the application.
  ChooseMenuItem(projection, 3);
  EXPECT_TRUE(IsItemChecked(projection, 3));
  EnableItem(projection, 1, false);
  EXPECT_FALSE(IsItemEnabled(projection, 1));
  delivered.clear();
  ChooseMenuItem(projection, 1);
  EXPECT_TRUE(delivered.empty()) << "a grayed item sends nothing";
}

}  // namespace
}  // namespace qv
