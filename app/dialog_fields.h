// app/dialog_fields.h - numbers, dates and object names in the items of the application's
// dialogs: numbers written with a printf format and read back as "%lf" reads them, whatever the
// user's locale; dates as local date-and-time texts of the settings' zone and calendar.
#pragma once

#include <string>

#include "astro/time.h"
#include "objects/records.h"
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

// ReadStepItem: a positive number of days; note 560 with the text and false otherwise (step
// unchanged).
bool ReadStepItem(WindowRef dialog, int item, double& step);

// SetDateItem: the item's text = the date and time of jd (the chart's time scale) local in the
// settings' zone in effect then and in their calendar.
void SetDateItem(WindowRef dialog, int item, JulianDate jd);

// ReadDateItem: the item's local date and time as SetDateItem writes it; note 525 with the text
// and false when it does not read (jd unchanged).
bool ReadDateItem(WindowRef dialog, int item, JulianDate& jd);

// SetObjectItem: the item shows the object's name, or "Object not selected!" (string 513) when
// object is 0 or names nothing, in which case it becomes 0. True when it names an object.
bool SetObjectItem(WindowRef dialog, int item, ObjectId& object);

}  // namespace qv
