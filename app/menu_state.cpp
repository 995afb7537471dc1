// app/menu_state.cpp - the enabled states and check marks of the menus (UpdateMenus).
#include <cmath>
#include <iterator>

#include "app/command_handlers.h"
#include "app/commands.h"
#include "app/info_window.h"
#include "app/telescope_control.h"
#include "astro/constants.h"
#include "chart/view.h"
#include "platform/events.h"
#include "platform/menus.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int FewestColorBits = 4;        // fewer bits per pixel cannot show the chart's colours
constexpr int FirstFieldPresetItem = 13;  // View > 360° Field
constexpr int TimeStepPresetItem = 9;     // Animation > Real Time
// Animation > Real Time ... 10,000 Years, days.
constexpr double TimeStepPresets[] = {0, 1.0 / 1440, 1.0 / 144, 1.0 / 24, 1,
                                      7, 30,         365.25,    36525,    3652500};

// Every command item enabled when its command is available; submenu items are left alone.
void EnableAvailable(MenuRef menu) {
  if (!menu) return;
  const int number = GetMenuNumber(menu);
  for (int item = 1; item <= CountMenuItems(menu); ++item) {
    if (MenuRef sub = GetSubmenuHandle(menu, item)) {
      EnableAvailable(sub);
      continue;
    }
    EnableItem(menu, item, IsCommandAvailable(CommandOf(number, item)));
  }
}

void Enable(MenuRef menu, int item, bool on) {
  if (menu && !on) EnableItem(menu, item, false);  // a rule only ever takes away
}

void UpdateFileMenu() {
  MenuRef file = MenuByNumber(FileMenu);
  Enable(file, 3, IsInfoWindowShown());               // Close Info Window
  Enable(file, 5, !Settings().SettingsPath.empty());  // Save Settings
}

void UpdateViewMenus(const ChartSettings& s) {
  MenuRef view = MenuByNumber(ViewMenu);
  for (int k = 0; k < FieldPresetCount; ++k)
    CheckItem(view, FirstFieldPresetItem + k, IsFieldPresetChecked(s, k));
  MenuRef projection = MenuByNumber(ProjectionMenu);
  for (int p = ProjectionPlanar; p <= ProjectionMollweide; ++p)
    Enable(projection, p, ProjectionServesField(p, s.ChartFieldWidth));
  CheckRadioItems(projection, ProjectionPlanar, ProjectionMollweide, s.ChartProjection);
  CheckRadioItems(MenuByNumber(CoordinatesMenu), CoordinatesEquatorial, CoordinatesHorizon,
                  s.ChartCoordinateSystem);
}

void UpdateDrawMenus(const ChartSettings& s) {
  MenuRef draw = MenuByNumber(DrawMenu);
  const bool checks[] = {
      s.ShowStars,          s.ShowPlanets,          s.ShowDeepSkyObjects, s.ShowRenderedObjects,
      s.ShowConstellations, s.ShowChartLegend,      s.ShowObjectLabels,   s.ShowGridLines,
      s.ShowHorizonMask,    s.ShowMouseCoordinates, s.ShowChartControls};
  for (int k = 0; k < static_cast<int>(std::size(checks)); ++k) CheckItem(draw, k + 1, checks[k]);
  CheckItem(draw, 16, s.AutomaticMagnitudeLimits);
  CheckItem(draw, 20, s.ShowColors);
  CheckItem(draw, 21, s.RedScreen);
  CheckItem(draw, 24, s.ShowMilkyWay);
  CheckItem(draw, 25, s.AvoidLabelOverlap);
  const bool fewColors = ScreenColorDepth() < FewestColorBits;
  const bool colorsAllowed = !fewColors && !s.RedScreen;
  EnableItem(draw, 19, colorsAllowed);  // Custom Colors
  Enable(draw, 20, colorsAllowed);      // Use Color
  Enable(draw, 21, !fewColors);         // Red Screen
  MenuRef sky = MenuByNumber(SkyBackgroundMenu);
  Enable(sky, SkyColor, colorsAllowed);
  CheckRadioItems(sky, SkyBlack, SkyColor, s.SkyBackground);
}

void UpdateAnimationMenu(const ChartSettings& s) {
  MenuRef animation = MenuByNumber(AnimationMenu);
  CheckRadioItems(animation, AnimationOff, AnimationForward, s.AnimationState);
  for (int k = 0; k < static_cast<int>(std::size(TimeStepPresets)); ++k)
    CheckItem(animation, TimeStepPresetItem + k,
              std::abs(s.AnimationTimeStep - TimeStepPresets[k]) < DaysPerSecond);
}

void UpdateTelescopeMenu(const ChartSettings& s) {
  MenuRef telescope = MenuByNumber(TelescopeMenu);
  for (int item : {3, 5, 6, 7, 8, 10, 11, 12, 13}) Enable(telescope, item, s.TelescopeConnected);
  CheckItem(telescope, 10, TelescopeControlWindow() != nullptr);
  CheckItem(telescope, 11, s.TelescopeShowFields);
  CheckItem(telescope, 12, s.TelescopeStayCentered);
  CheckItem(telescope, 13, s.TelescopeTrackMovingTargets);
}

}  // namespace

void UpdateMenus() {
  for (int position = 1; MenuRef menu = GetMenuHandle(position); ++position) EnableAvailable(menu);
  const ChartSettings& s = Settings();
  UpdateFileMenu();
  CheckItem(MenuByNumber(EditMenu), 12, s.ConstellationEditing);
  UpdateViewMenus(s);
  UpdateDrawMenus(s);
  UpdateAnimationMenu(s);
  UpdateTelescopeMenu(s);
}

}  // namespace qv
