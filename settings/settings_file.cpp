// settings/settings_file.cpp - writing and reading settings files.
#include "settings/settings_file.h"

#include <cstdio>
#include <string_view>

#include "chart/trails.h"
#include "generated/string_numbers.h"
#include "objects/decimal_text.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/result.h"
#include "platform/strings.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"
#include "settings/settings_objects.h"

namespace qv {
namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr size_t KeyLineMaxLength = LineBufferSize - 1;  // 255: key, "=" and value

constexpr const char* TrailTypeNames[] = {"InSpace", "InSky", "InCurrentCoordinates"};

// ---- Writing ----------------------------------------------------------------------------------

void AddLine(std::string& text, std::string_view line) {
  text += line;
  text += LineEnd;
}

void AddKeyLine(std::string& text, std::string_view key, std::string_view value) {
  AddLine(text, CutText(std::string(key) + "=" + std::string(value), KeyLineMaxLength));
}

void AddDescription(std::string& text, const std::string& description) {
  if (description.empty()) return;
  AddLine(text, "<Description>");
  text += description;
  if (description.back() != '\n' && description.back() != '\r') text += LineEnd;
  AddLine(text, "</Description>");
  AddLine(text, "");
}

void AddTrail(std::string& text, const Trail& trail) {
  AddLine(text, "<Trail>");
  const std::string name = SettingsObjectName(trail.Object);
  if (!name.empty()) AddKeyLine(text, "TrailObject", name);
  if (trail.Type >= TrailInSpace && trail.Type <= TrailInCurrentCoordinates) {
    AddKeyLine(text, "TrailType", TrailTypeNames[trail.Type - TrailInSpace]);
  }
  AddKeyLine(text, "TrailPoints", std::to_string(trail.Capacity));
  AddKeyLine(text, "TrailTicksInterval", std::to_string(trail.TicksInterval));
  AddKeyLine(text, "TrailDatesInterval", std::to_string(trail.DatesInterval));
  AddLine(text, "</Trail>");
  AddLine(text, "");
}

// ---- Reading ----------------------------------------------------------------------------------

// ReadKeyLine: the next line, at most 255 characters; the rest of a longer line is passed over
// so that it never reads as a line of its own. False at the end of the file.
bool ReadKeyLine(PlatformFile& file, std::string& line) {
  std::string ending;
  if (ReadLine(file, line, LineBufferSize, &ending) == 0) return false;
  std::string rest = line;
  while (ending.empty() && rest.size() == KeyLineMaxLength) {
    if (ReadLine(file, rest, LineBufferSize, &ending) == 0) break;
  }
  return true;
}

void SplitKeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
  const size_t equals = line.find('=');
  key = line.substr(0, equals);
  value = equals == std::string_view::npos ? std::string_view{} : line.substr(equals + 1);
}

// ReadDescription: the lines up to </Description>, joined as they ended (a piece of a long line
// joins the next piece directly), at most DescriptionMaxLength bytes in all.
std::string ReadDescription(PlatformFile& file) {
  std::string description, line, ending;
  bool lineStart = true;  // line begins a line of the file, not a piece of a long one
  while (ReadLine(file, line, LineBufferSize, &ending) != 0) {
    if (lineStart && line == "</Description>") break;
    lineStart = !ending.empty();
    if (description.size() < DescriptionMaxLength) {
      description += line;
      if (!ending.empty()) description += LineEnd;
    }
  }
  return CutText(description, DescriptionMaxLength);
}

// ReadTrailSection: one <Trail> section up to </Trail>. A trail without an object name is passed
// over; ResultNotFound (note 523 shown) when the name matches no object; ResultReadError when
// the file ends first.
int ReadTrailSection(PlatformFile& file) {
  std::string objectName, line;
  Trail trail;
  while (ReadKeyLine(file, line)) {
    if (line == "</Trail>") {
      if (objectName.empty()) return ResultOk;
      const int found = FindSettingsObject(objectName, trail.Object);
      if (found != ResultOk) return found;
      CreateTrail(trail.Object, trail.Type, trail.Capacity, trail.TicksInterval,
                  trail.DatesInterval);
      return ResultOk;
    }
    std::string_view key, value;
    SplitKeyLine(line, key, value);
    if (key == "TrailObject") {
      objectName = value;
    } else if (key == "TrailType") {
      for (int type = TrailInSpace; type <= TrailInCurrentCoordinates; ++type) {
        if (value == TrailTypeNames[type - TrailInSpace]) trail.Type = type;
      }
    } else if (key == "TrailPoints") {
      trail.Capacity = static_cast<int32_t>(ParseWhole(value, INT32_MIN, INT32_MAX));
    } else if (key == "TrailTicksInterval") {
      trail.TicksInterval = static_cast<int32_t>(ParseWhole(value, INT32_MIN, INT32_MAX));
    } else if (key == "TrailDatesInterval") {
      trail.DatesInterval = static_cast<int32_t>(ParseWhole(value, INT32_MIN, INT32_MAX));
    }
  }
  return ResultReadError;
}

std::string RangeEnd(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// CheckedValue: the value, or the key's default when its number is out of range (576, naming
// the file's title, the line, the key and the value).
std::string CheckedValue(const SettingsKey& key, std::string_view value, const PlatformFile& file,
                         const std::string& title) {
  if (SettingsValueInRange(key, value)) return std::string(value);
  const std::string fallback = DefaultSettingsValue(key);
  Caution(ButtonsOk, MessageSettingOutOfRange, title.c_str(), LineNumber(file), key.name,
          std::string(value).c_str(), RangeEnd(key.min).c_str(), RangeEnd(key.max).c_str(),
          fallback.c_str());
  return fallback;
}

// ReadSettingsSection: key=value lines into the settings record up to an EndOfSettings key
// (ResultOk) or the end of the file (ResultReadError). </Settings> is not a key, so a section
// written by this program runs on through the trail sections to the end of the file.
int ReadSettingsSection(PlatformFile& file, const std::string& title,
                        std::vector<std::string>* unknownNames) {
  std::string line;
  while (ReadKeyLine(file, line)) {
    if (line == "<Trail>") {
      ReadTrailSection(file);  // a trail that fails does not end the settings
      continue;
    }
    std::string_view key, value;
    SplitKeyLine(line, key, value);
    if (key == "EndOfSettings") return ResultOk;
    const SettingsKey* settingsKey = FindSettingsKey(key);
    if (!settingsKey) continue;
    const int result =
        settingsKey->read(Settings(), CheckedValue(*settingsKey, value, file, title));
    if (result == SettingsNameUnknown) {
      if (unknownNames)
        unknownNames->push_back(std::string(line) + " is not one of its names; it stays " +
                                settingsKey->write(Settings()));
      continue;
    }
    if (result != ResultOk) return result;
  }
  return ResultReadError;
}

// ReadSections: the body of a settings file after its first two lines.
void ReadSections(PlatformFile& file, const std::string& title, const DescriptionPrompt& prompt,
                  std::vector<std::string>* unknownNames) {
  std::string line;
  while (ReadKeyLine(file, line) && line != "</QuorvaneSettingsFile>") {
    if (line == "<Description>") {
      Settings().Description = ReadDescription(file);
      if (!prompt(Settings().Description)) return;
    } else if (line == "<Settings>") {
      if (ReadSettingsSection(file, title, unknownNames) != ResultOk) return;
    } else if (line == "<Trail>") {
      if (ReadTrailSection(file) != ResultOk) return;
    }
  }
}

}  // namespace

std::string FormatSettingsFile(const std::string& description) {
  std::string text;
  AddLine(text, SettingsFileHeader);
  AddKeyLine(text, "FileVersion", SettingsFileVersion);
  AddLine(text, "");
  AddDescription(text, description);
  AddLine(text, "<Settings>");
  for (const SettingsKey& key : SettingsKeys()) AddKeyLine(text, key.name, key.write(Settings()));
  AddLine(text, "</Settings>");
  AddLine(text, "");
  for (int slot = FirstTrail(); slot != 0; slot = NextTrail(slot)) AddTrail(text, *GetTrail(slot));
  AddLine(text, "</QuorvaneSettingsFile>");
  return text;
}

int WriteSettingsFile(const std::string& path, const std::string& description) {
  SetWaitCursor();
  FileHandle file = OpenFileForReplace(path, ".QVS", "Qrvn");
  // A full disk shows at the write or the commit; either way the old file stays whole.
  const int result = !file ? ResultOpenError
                     : WriteBytes(*file, FormatSettingsFile(description))
                         ? CommitReplacedFile(std::move(file))
                         : ResultWriteError;
  SetArrowCursor();
  if (result != ResultOk) {
    Caution(ButtonsOk, result == ResultOpenError ? MessageCannotCreateFile : MessageCannotWrite,
            GetFileTitle(path).c_str());
  }
  return result;
}

bool ReadSettingsFile(const std::string& path, const DescriptionPrompt& prompt,
                      std::vector<std::string>* unknownNames) {
  FileHandle file = OpenFile(path, "rb");
  if (!file) {
    Caution(ButtonsOk, MessageCannotOpen, GetFileTitle(path).c_str());
    return false;
  }
  return ReadSettingsFile(*file, GetFileTitle(path), prompt, unknownNames);
}

bool ReadSettingsFile(PlatformFile& file, const std::string& title, const DescriptionPrompt& prompt,
                      std::vector<std::string>* unknownNames) {
  std::string line;
  if (ReadLine(file, line) == 0 || line != SettingsFileHeader) {
    Caution(ButtonsOk, MessageCannotRead, title.c_str());
    return false;
  }
  ReadKeyLine(file, line);  // FileVersion: every version reads alike
  DeleteAllTrails();
  Settings().Description.clear();
  ReadSections(file, title, prompt, unknownNames);
  return true;
}

std::string DefaultSettingsPath() {
  std::string name;
  LoadString(StringDefaultSettingsFile, name);
  return PathBesideProgram(name);
}

bool ReadDefaultSettings(const DescriptionPrompt& prompt, std::vector<std::string>* unknownNames) {
  return ReadSettingsFile(DefaultSettingsPath(), prompt, unknownNames);
}

int SaveDefaultSettings() { return WriteSettingsFile(DefaultSettingsPath(), std::string()); }

}  // namespace qv
