// app/dialog_fields.cpp - numbers in dialog fields (dialog_fields.h).
#include "app/dialog_fields.h"

#include <cmath>

#include "generated/string_numbers.h"
#include "objects/decimal_text.h"
#include "objects/printf_text.h"
#include "objects/store.h"
#include "objects/textformat.h"
#include "platform/alert.h"
#include "platform/dialogs.h"
#include "settings/settings.h"

namespace qv {

std::string FormatNumber(const char* format, double value) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  return PrintfText(format, value);
#pragma GCC diagnostic pop
}

void SetNumberItem(WindowRef dialog, int item, const char* format, double value) {
  SetItemText(dialog, item, FormatNumber(format, value).c_str());
}

bool ReadNumberItem(WindowRef dialog, int item, double& value) {
  size_t used = 0;
  const double read = ParseDecimal(GetItemText(dialog, item), &used);
  if (used == 0) return false;
  value = read;
  return true;
}

double ReadAngleItem(WindowRef dialog, int item) {
  return ParseAngleText(GetItemText(dialog, item));
}

bool ReadStepItem(WindowRef dialog, int item, double& step) {
  double read = 0;
  if (ReadNumberItem(dialog, item, read) && read > 0 && std::isfinite(read)) {
    step = read;
    return true;
  }
  Note(ButtonsOk, MessageBadStep, GetItemText(dialog, item).c_str());
  return false;
}

void SetDateItem(WindowRef dialog, int item, JulianDate jd) {
  const ChartSettings& s = Settings();
  SetItemText(dialog, item, FormatDateTime(jd, ZoneInEffect(s, jd), s.CalendarSystem).c_str());
}

bool ReadDateItem(WindowRef dialog, int item, JulianDate& jd) {
  const std::string text = GetItemText(dialog, item);
  JulianDate local = 0;
  if (!ParseDateTime(text, 0, Settings().CalendarSystem, local)) {
    Note(ButtonsOk, MessageBadDate, text.c_str());
    return false;
  }
  jd = LocalToUniversal(Settings(), local);
  return true;
}

bool SetObjectItem(WindowRef dialog, int item, ObjectId& object) {
  const ObjectRecord* record = object ? ObjectOfId(object) : nullptr;
  if (!record) object = 0;
  const char* none = GetString(MessageObjectNotSelected);
  SetItemText(dialog, item, record ? DisplayName(*record).c_str() : none ? none : "");
  return record != nullptr;
}

}  // namespace qv
