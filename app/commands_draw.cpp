// app/commands_draw.cpp - the Draw menu and its Sky Background and Custom Colors submenus.
#include <string>

#include "app/chart_window.h"
#include "app/command_handlers.h"
#include "app/commands.h"
#include "app/shell.h"
#include "app/symbols_dialog.h"
#include "chart/magnitudes.h"
#include "platform/boxes.h"
#include "platform/windows.h"
#include "settings/settings.h"

namespace qv {
namespace {

enum DrawCommandNumber : int {
  FirstToggle = 26001,
  MouseCoordinatesToggle = 26010,
  ScrollBarsToggle = 26011,
  SymbolsAndGrids = 26013,
  FainterLimits = 26014,
  BrighterLimits = 26015,
  AutomaticLimits = 26016,
  UseColor = 26020,
  RedScreen = 26021,
  TextFont = 26023,
  MilkyWayToggle = 26024,
  LabelOverlapToggle = 26025,
};
constexpr int LimitStep = 100;  // one magnitude

// Draw > Stars ... Scroll Bars, in menu order.
constexpr bool ChartSettings::*DrawToggles[] = {
    &ChartSettings::ShowStars,          &ChartSettings::ShowPlanets,
    &ChartSettings::ShowDeepSkyObjects, &ChartSettings::ShowRenderedObjects,
    &ChartSettings::ShowConstellations, &ChartSettings::ShowChartLegend,
    &ChartSettings::ShowObjectLabels,   &ChartSettings::ShowGridLines,
    &ChartSettings::ShowHorizonMask,    &ChartSettings::ShowMouseCoordinates,
    &ChartSettings::ShowChartControls,
};

void Toggle(int command) {
  bool& field = Settings().*DrawToggles[command - FirstToggle];
  field = !field;
  if (command == ScrollBarsToggle) {
    RelayoutChartWindow();
    InvalidateWindow(Shell().chartWindow, nullptr);
  } else if (command == MouseCoordinatesToggle) {
    RedrawChartWindow();  // the readout goes with the next move
  } else {
    RelayoutAndRedraw();
  }
  UpdateMenus();
}

void ShiftLimits(int hundredths) {
  ShiftMagnitudeLimits(Settings(), hundredths);
  RelayoutAndRedraw();
}

void EditColor(int item) {
  const std::string label = GetMenuItemText(MenuByNumber(CustomColorsMenu), item);
  if (item < 1 || item >= ColorItemCount) return;
  if (ChooseColor(label.c_str(), Settings().Colors[item])) RelayoutAndRedraw();
}

void ChooseChartFont() {
  FontSetting& font = Settings().ChartWindowsFont;
  std::string face = font.Face;
  int size = font.Size, style = font.Style;
  if (!ChooseFont(face, size, style)) return;
  font.Face = face.substr(0, FontFaceMaxLength);
  font.Size = static_cast<int16_t>(size);
  font.Style = static_cast<int16_t>(style);
  RelayoutAndRedraw();
}

void ToggleAndRedraw(bool& field) {
  field = !field;
  RelayoutAndRedraw();
  UpdateMenus();
}

}  // namespace

void DrawCommand(int command) {
  const int menu = command / 100, item = command % 100;
  if (menu == SkyBackgroundMenu) {
    Settings().SkyBackground = static_cast<SkyBackgroundKind>(item);
    RelayoutAndRedraw();
    UpdateMenus();
    return;
  }
  if (menu == CustomColorsMenu) {
    EditColor(item);
    return;
  }
  if (command >= FirstToggle && command <= ScrollBarsToggle) {
    Toggle(command);
    return;
  }
  switch (command) {
    case SymbolsAndGrids:
      if (!RunSymbolsGridsDialog()) return;
      RelayoutChartWindow();
      UpdateMenus();
      InvalidateWindow(Shell().chartWindow, nullptr);
      return;
    case FainterLimits:
      ShiftLimits(LimitStep);
      return;
    case BrighterLimits:
      ShiftLimits(-LimitStep);
      return;
    case AutomaticLimits:
      Settings().AutomaticMagnitudeLimits = !Settings().AutomaticMagnitudeLimits;
      UpdateMenus();
      return;
    case UseColor:
      ToggleAndRedraw(Settings().ShowColors);
      return;
    case RedScreen:
      ToggleAndRedraw(Settings().RedScreen);
      return;
    case TextFont:
      ChooseChartFont();
      return;
    case MilkyWayToggle:
      ToggleAndRedraw(Settings().ShowMilkyWay);
      return;
    case LabelOverlapToggle:
      ToggleAndRedraw(Settings().AvoidLabelOverlap);
      return;
    default:
      return;
  }
}

}  // namespace qv
