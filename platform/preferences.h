// platform/preferences.h - the user's preferences of the program itself, kept apart from the
// settings files (which describe a view and travel between people): one INI file,
// $XDG_CONFIG_HOME/quorvane/preferences.ini (~/.config when unset), read and written at once.
#pragma once

namespace qv {

// Names of the preferences.
constexpr const char* PreferenceAboutBoxAtStart = "AboutBoxAtStart";  // on unless turned off

// GetPreference: the stored value, or fallback when there is none or the file is unreadable.
bool GetPreference(const char* name, bool fallback);
// SetPreference: stores the value; false when the file cannot be written.
bool SetPreference(const char* name, bool value);

}  // namespace qv
