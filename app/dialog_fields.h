// app/dialog_fields.h - numbers in the edit fields of the application's dialogs: written with a
// printf format, read back as "%lf" reads them, whatever the user's locale.
#pragma once

#include <string>

#include "platform/events.h"

namespace qv {

// FormatNumber: one double through a printf format such as "%+.1f".
std::string FormatNumber(const char* format, double value) __attribute__((format(printf, 1, 0)));

// SetNumberItem: the item's text = FormatNumber(format, value).
void SetNumberItem(WindowRef dialog, int item, const char* format, double value);

// ReadNumberItem: the number at the start of the item's text into value; a text without a
// number leaves value as it was and returns false.
bool ReadNumberItem(WindowRef dialog, int item, double& value);

// ReadAngleItem: degrees (or hours) from sexagesimal text "whole minutes seconds".
double ReadAngleItem(WindowRef dialog, int item);

}  // namespace qv
