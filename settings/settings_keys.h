// settings/settings_keys.h - the keys of a settings file's <Settings> section: each key's name, and
// how its field of the settings record is written as a value and read back from one.
//
// Values in the file: angles in degrees, the time zone in hours, the star-motion threshold in
// years, the precession epoch as a year, magnitudes in magnitudes (empty for "no limit" where a
// limit may be absent), enumerations and objects by name, colours as "red,green,blue".
// Reading never fails on a bad value: numbers that do not parse read as 0, unknown names leave
// the field as it was (and are reported by the reader). Only an object name that matches no object
// stops the reading. Numbers have ranges where a value outside would draw nothing sensible or not
// end (a grid interval of 0, a field of no width, a date the calendars do not reach): the reader of
// a file checks them.
#pragma once

#include <limits>
#include <span>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace qv {

struct SettingsKey {
  const char* name;
  std::string (*write)(const ChartSettings& settings);
  // read: ResultOk, ResultNotFound when the value names no object (note 523 was shown), or
  // SettingsNameUnknown when it is not one of an enumeration's names (the field is kept).
  int (*read)(ChartSettings& settings, std::string_view value);
  // The range of the value's number in the file's units (degrees, hours, years, magnitudes);
  // number takes it from the value (its leading decimal number when none is given).
  double min = -std::numeric_limits<double>::infinity();
  double max = std::numeric_limits<double>::infinity();
  double (*number)(std::string_view value) = nullptr;
};

constexpr int SettingsNameUnknown = 2;

// SettingsValueInRange: whether the value's number is within the key's range (NaN never is).
bool SettingsValueInRange(const SettingsKey& key, std::string_view value);
// DefaultSettingsValue: the key's value in the built-in defaults, as a file holds it.
std::string DefaultSettingsValue(const SettingsKey& key);

// SettingsKeys: every key, in the order a settings file lists them.
std::span<const SettingsKey> SettingsKeys();

// FindSettingsKey: the key of that exact name (case counts), or nullptr.
const SettingsKey* FindSettingsKey(std::string_view name);

// Font style words, in bit order: "Bold" is bit 1, "Italic" 2, ... "Strikeout" 128.
std::string FormatFontSetting(const FontSetting& font);
FontSetting ParseFontSetting(std::string_view value);

// MagnitudeHundredths: a magnitude as settings files and the Symbols & Grids dialog store it:
// value x 100 truncated toward zero, held within the 16-bit range. The truncation allows for the
// binary form of decimal text: "+0.29" gives 29, not 28, while "+6.559" still gives 655.
int16_t MagnitudeHundredths(double value);

// CutText: text cut to at most maxBytes without splitting a UTF-8 character.
std::string CutText(std::string_view text, size_t maxBytes);

}  // namespace qv
