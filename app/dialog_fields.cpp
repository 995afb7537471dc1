// app/dialog_fields.cpp - numbers in dialog fields (dialog_fields.h).
#include "app/dialog_fields.h"

#include "objects/decimal_text.h"
#include "objects/printf_text.h"
#include "objects/textformat.h"
#include "platform/dialogs.h"

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

}  // namespace qv
