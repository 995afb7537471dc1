// app/field_dialog.cpp - the Field dialog (see view_dialogs.h).
// Items: 1 OK, 2 Cancel, 4 field "d m s", 6 rotation (degrees), 8 zoom factor, 10 scroll rate
// ("Scroll Rate:    (1/" ... "th of Field)"), 12 and 13 the mirror check boxes.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/view_dialogs.h"
#include "chart/view.h"
#include "objects/textformat.h"
#include "platform/dialogs.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int FieldDialog = 258;
enum FieldItem : int {
  ItemOk = 1,
  ItemCancel = 2,
  ItemField = 4,
  ItemRotation = 6,
  ItemZoom = 8,
  ItemScrollRate = 10,
  ItemInvertHorizontally = 12,
  ItemInvertVertically = 13,
};

void SetNumber(WindowRef dialog, int item, double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f", value);
  SetItemText(dialog, item, text);
}

double ReadNumber(WindowRef dialog, int item) {
  return std::strtod(GetItemText(dialog, item).c_str(), nullptr);
}

void FillFieldDialog(WindowRef dialog) {
  const ChartSettings& s = Settings();
  const AngleParts field = SplitSexagesimal(s.ChartFieldWidth * RadToDeg, 0);
  char text[64];
  std::snprintf(text, sizeof text, "%d %02d %02.0f", field.whole, field.minutes, field.seconds);
  SetItemText(dialog, ItemField, text);
  SetNumber(dialog, ItemRotation, s.ChartFieldRotation * RadToDeg);
  SetNumber(dialog, ItemZoom, s.ChartZoomFactor);
  SetNumber(dialog, ItemScrollRate, s.ChartScrollRate);
  SetItemValue(dialog, ItemInvertHorizontally, s.ChartInvertedHorizontally);
  SetItemValue(dialog, ItemInvertVertically, s.ChartInvertedVertically);
}

void ReadFieldDialog(WindowRef dialog) {
  SetFieldWidth(Settings(), ParseAngleText(GetItemText(dialog, ItemField)) * SettingsDegToRad);
  ChartSettings& s = Settings();
  s.ChartFieldRotation = ReadNumber(dialog, ItemRotation) * SettingsDegToRad;
  // A zoom factor or scroll rate of zero or less would send the field or the centre to
  // infinity at the next step: such entries keep the old value.
  const double zoom = ReadNumber(dialog, ItemZoom), rate = ReadNumber(dialog, ItemScrollRate);
  if (zoom > 0) s.ChartZoomFactor = zoom;
  if (rate > 0) s.ChartScrollRate = rate;
  s.ChartInvertedHorizontally = GetItemValue(dialog, ItemInvertHorizontally) != 0;
  s.ChartInvertedVertically = GetItemValue(dialog, ItemInvertVertically) != 0;
}

int FieldDialogHandler(int code, WindowRef dialog, int item, int) {
  if (code == WindowCreatedEvent) {
    FillFieldDialog(dialog);
    return 0;
  }
  if (code != ControlEvent) return 1;
  if (item == ItemOk) ReadFieldDialog(dialog);
  if (item == ItemOk || item == ItemCancel) EndModalDialog(item);
  return 0;
}

}  // namespace

int RunFieldDialog() { return RunModalDialog(FieldDialog, 0, FieldDialogHandler); }

}  // namespace qv
