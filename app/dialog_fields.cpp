// app/dialog_fields.cpp - numbers in dialog fields (dialog_fields.h).
#include "app/dialog_fields.h"

#include <cstdio>

#include "app/decimal_text.h"
#include "app/textformat.h"
#include "platform/dialogs.h"

namespace qv {

std::string FormatNumber(const char* format, double value) {
  char text[256];  // the program's text buffers: 255 characters
  std::snprintf(text, sizeof text, format, value);
  return text;
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

double ReadAngleItem(WindowRef dialog, int item) { return ParseAngleText(GetItemText(dialog, item)); }

}  // namespace qv
