// settings/settings_file.h - settings files (".qvs", and "Quorvane.ini" beside the program): the
// settings record, its description and the trail list as XML-like sections of key=value lines.
//
//   <QuorvaneSettingsFile>
//   FileVersion=3.5
//
//   <Description>            only when there is a description
//   ...the text, CR LF lines...
//   </Description>
//
//   <Settings>
//   ViewerObject=...         every key of settings/settings_keys.h, in its order
//   </Settings>
//
//   <Trail>                  one section per trail, in slot order
//   TrailObject=Mars         omitted when the trail's object has no name
//   TrailType=InSky          InSpace, InSky or InCurrentCoordinates
//   TrailPoints=100
//   TrailTicksInterval=1
//   TrailDatesInterval=0
//   </Trail>
//
//   </QuorvaneSettingsFile>
//
// Lines end with CR LF when written and with CR LF, LF or CR when read; key=value lines hold at
// most 255 characters.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace qv {

constexpr const char* SettingsFileHeader = "<QuorvaneSettingsFile>";
constexpr const char* SettingsFileVersion = "3.5";

// DescriptionPrompt: shows a description being opened; true (with the text the user kept or
// edited) to go on reading, false when the user cancels.
using DescriptionPrompt = std::function<bool(std::string& description)>;

// FormatSettingsFile: the whole text of a settings file for the settings record, that
// description and the trail list.
std::string FormatSettingsFile(const std::string& description);

// WriteSettingsFile: writes FormatSettingsFile(description) to path (type ".QVS", creator
// "Qrvn"). The file is replaced only by a complete new one, so an old file at path stays as it
// was on any failure: caution 530 with the file's title when it cannot be created, 259 when it
// cannot be written (a full disk). ResultOk or the failure.
int WriteSettingsFile(const std::string& path, const std::string& description);

// ReadSettingsFile: applies a settings file to the settings record and the trail list, line by
// line, so that a file that ends early or stops at an error keeps what was read before.
//   - Cannot be opened: caution 257 with the file's title, false.
//   - First line not exactly the header: caution 258 with the file's title, false, nothing changed.
//   - Otherwise the trails are deleted and the description cleared first; a <Description> is
//     shown with prompt, and Cancel stops the reading there; an object name that matches no
//     object shows note 523 and stops the reading there. True.
// unknownNames, when given, gets "Key=Value is not one of its names; it stays X" for each
// enumeration value that names none of the key's values.
bool ReadSettingsFile(const std::string& path, const DescriptionPrompt& prompt,
                      std::vector<std::string>* unknownNames = nullptr);
// ReadSettingsFile: the same from a file already open at its start; title names it in messages.
bool ReadSettingsFile(PlatformFile& file, const std::string& title, const DescriptionPrompt& prompt,
                      std::vector<std::string>* unknownNames = nullptr);

// DefaultSettingsPath: "Quorvane.ini" beside the program.
std::string DefaultSettingsPath();

// ReadDefaultSettings: reads DefaultSettingsPath() (start-up, and File > Open >
// Default Settings).
bool ReadDefaultSettings(const DescriptionPrompt& prompt,
                         std::vector<std::string>* unknownNames = nullptr);

// SaveDefaultSettings: writes DefaultSettingsPath() with an empty description; the
// description of the settings record is left as it is.
int SaveDefaultSettings();

}  // namespace qv
