// app/symbols_dialog.cpp - the Symbols & Grids dialog and the texts of its fields.
#include "app/symbols_dialog.h"

#include <cmath>
#include <cstdio>

#include "astro/constants.h"
#include "objects/decimal_text.h"
#include "platform/dialogs.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"

namespace qv {
namespace {

constexpr int SymbolsGridsDialog = 262;
constexpr int OkItem = 1, CancelItem = 2;
constexpr int StarsRadio = 18, SymbolsRadio = 19;  // how small planets are drawn
constexpr int MagnificationItem = 21;
constexpr int RightAscensionItem = 50, DeclinationItem = 52, SegmentsItem = 54;

struct CheckItem {
  int item;
  bool ChartSettings::*field;
};
constexpr CheckItem CheckItems[] = {
    {3, &ChartSettings::ShowStars},
    {4, &ChartSettings::ShowStarColors},
    {5, &ChartSettings::ShowLargeStars},
    {6, &ChartSettings::ShowMultipleStars},
    {7, &ChartSettings::ShowVariableStars},
    {14, &ChartSettings::ShowPlanets},
    {15, &ChartSettings::ShowPlanetGrids},
    {26, &ChartSettings::ShowConstellations},
    {27, &ChartSettings::ShowConstellationFigures},
    {28, &ChartSettings::ShowConstellationBoundaries},
    {29, &ChartSettings::ShowConstellationLabels},
    {30, &ChartSettings::ShowDeepSkyObjects},
    {43, &ChartSettings::ShowGridLines},
    {44, &ChartSettings::ShowEquator},
    {45, &ChartSettings::ShowEcliptic},
    {46, &ChartSettings::ShowGalacticEquator},
    {47, &ChartSettings::ShowHorizonLine},
    {48, &ChartSettings::ShowRADecGrid},
    {55, &ChartSettings::ShowGridLabels},
};

struct MagnitudeItem {
  int item;
  int16_t ChartSettings::*field;
  bool mayBeAbsent;
};
constexpr MagnitudeItem MagnitudeItems[] = {
    {9, &ChartSettings::BrightestStarMagnitude, false},
    {11, &ChartSettings::FaintestStarMagnitude, false},
    {13, &ChartSettings::FaintestStarLabelMagnitude, true},
    {23, &ChartSettings::FaintestPlanetMagnitude, true},
    {25, &ChartSettings::FaintestPlanetLabelMagnitude, true},
    {32, &ChartSettings::FaintestOpenClusterMagnitude, true},
    {34, &ChartSettings::FaintestGlobularClusterMagnitude, true},
    {36, &ChartSettings::FaintestDiffuseNebulaMagnitude, true},
    {38, &ChartSettings::FaintestPlanetaryNebulaMagnitude, true},
    {40, &ChartSettings::FaintestGalaxyMagnitude, true},
    {42, &ChartSettings::FaintestDeepSkyLabelMagnitude, true},
};

void ShowSymbolsGrids(WindowRef dialog, const ChartSettings& s) {
  for (const CheckItem& c : CheckItems) SetItemValue(dialog, c.item, s.*c.field ? 1 : 0);
  SetRadioGroup(dialog, StarsRadio, SymbolsRadio, s.ShowPlanetSymbols ? SymbolsRadio : StarsRadio);
  for (const MagnitudeItem& m : MagnitudeItems) {
    SetItemText(dialog, m.item, MagnitudeFieldText(s.*m.field, m.mayBeAbsent).c_str());
  }
  SetItemText(dialog, MagnificationItem, FormatFixedKeeping(s.PlanetMagnification, 0, 6).c_str());
  SetItemText(dialog, RightAscensionItem,
              IntervalFieldText(s.GridRAInterval, RightAscensionInterval).c_str());
  SetItemText(dialog, DeclinationItem,
              IntervalFieldText(s.GridDecInterval, DeclinationInterval).c_str());
  SetItemText(dialog, SegmentsItem, std::to_string(s.GridSegmentsPerCircle).c_str());
}

void ReadSymbolsGrids(WindowRef dialog, ChartSettings& s) {
  for (const CheckItem& c : CheckItems) s.*c.field = GetItemValue(dialog, c.item) != 0;
  s.ShowPlanetSymbols = GetItemValue(dialog, SymbolsRadio) != 0;
  for (const MagnitudeItem& m : MagnitudeItems) {
    ReadMagnitudeField(GetItemText(dialog, m.item), m.mayBeAbsent, s.*m.field);
  }
  size_t used = 0;
  const double magnification = ParseDecimal(GetItemText(dialog, MagnificationItem), &used);
  if (used > 0) s.PlanetMagnification = magnification;
  ReadIntervalField(GetItemText(dialog, RightAscensionItem), RightAscensionInterval,
                    s.GridRAInterval);
  ReadIntervalField(GetItemText(dialog, DeclinationItem), DeclinationInterval, s.GridDecInterval);
  // A circle needs at least one segment: the grid divides by the count.
  const int64_t segments =
      ParseWhole(GetItemText(dialog, SegmentsItem), INT16_MIN, INT16_MAX, &used);
  if (used > 0 && segments >= 1) s.GridSegmentsPerCircle = static_cast<int16_t>(segments);
}

}  // namespace

bool RunSymbolsGridsDialog() {
  const int answer =
      RunModalDialog(SymbolsGridsDialog, 0, [](int code, WindowRef dialog, int p1, int) {
        if (code == WindowCreatedEvent) {
          ShowSymbolsGrids(dialog, Settings());
          return 0;
        }
        if (code != ControlEvent || (p1 != OkItem && p1 != CancelItem)) return 1;
        if (p1 == OkItem) ReadSymbolsGrids(dialog, Settings());
        EndModalDialog(p1 == OkItem ? 1 : 0);
        return 0;
      });
  return answer == 1;
}

const IntervalUnits RightAscensionInterval{RadToHours, SettingsHourToRad,
                                           SettingsHourToRad / 60};  // hours; one minute of time
const IntervalUnits DeclinationInterval{RadToDeg, DegToRad,
                                        SettingsDegToRad / 60};  // degrees; one arcminute

std::string MagnitudeFieldText(int16_t hundredths, bool mayBeAbsent) {
  if (mayBeAbsent && hundredths == NoMagnitudeLimit) return std::string();
  return FormatFixedKeeping(hundredths * 0.01, 1, 2);
}

void ReadMagnitudeField(std::string_view text, bool mayBeAbsent, int16_t& hundredths) {
  if (mayBeAbsent && text.find_first_not_of(" \t") == std::string_view::npos) {
    hundredths = NoMagnitudeLimit;
    return;
  }
  size_t used = 0;
  const double value = ParseDecimal(text, &used);
  if (used > 0) hundredths = MagnitudeHundredths(value);
}

std::string IntervalFieldText(double radians, const IntervalUnits& units) {
  const double minutes = std::round(radians * units.perRadian * 60);
  const double whole = std::trunc(minutes / 60);
  char text[64];
  std::snprintf(text, sizeof text, "%02.0f %02.0f", whole, minutes - whole * 60);
  return text;
}

void ReadIntervalField(std::string_view text, const IntervalUnits& units, double& radians) {
  size_t used = 0;
  const int64_t whole = ParseWhole(text, INT16_MIN, INT16_MAX, &used);
  if (used == 0) return;
  const double minutes = ParseDecimal(text.substr(used));
  const double value = (static_cast<double>(whole) + minutes * UnitsPerMinute) * units.radiansPer;
  radians = value > 0 ? value : units.least;
}

}  // namespace qv
