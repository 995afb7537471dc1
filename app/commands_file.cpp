// app/commands_file.cpp - the File menu and its New, Open and Import submenus.
#include <optional>
#include <string>

#include "app/chart_window.h"
#include "app/command_handlers.h"
#include "app/commands.h"
#include "app/description_dialog.h"
#include "app/edit_object.h"
#include "app/info_window.h"
#include "app/open_document.h"
#include "app/viewpoint.h"
#include "generated/string_numbers.h"
#include "objects/database.h"
#include "objects/import.h"
#include "objects/store.h"
#include "platform/boxes.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/result.h"
#include "platform/strings.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace qv {
namespace {

enum FileCommandNumber : int {
  NewStar = 1101,
  NewPlanet = 1102,
  OpenSettings = 1201,
  OpenDefaultSettingsCommand = 1202,
  OpenDatabaseCommand = 1204,
  OpenDefaultDatabaseCommand = 1205,
  OpenLargeDatabase = 1206,
  ImportText = 1301,
  ImportSatellites = 1302,
  CloseInfo = 25703,
  SaveSettings = 25705,
  SaveSettingsAs = 25706,
  SaveSettingsAsDefault = 25707,
  DeleteDatabaseFileCommand = 25711,
  Exit = 25716,
};
constexpr int NewStarKind = KindSingleStar, NewPlanetKind = KindComet;
constexpr const char* DemoSettingsFolder = "Demo Settings Files";

std::string Text(int number) {
  const char* text = GetString(number);
  return text ? text : "";
}

// AskFile: the open-file dialog with the title and filter strings; none when cancelled.
std::optional<std::string> AskFile(int titleString, const std::string& folder) {
  int filterIndex = 1;
  return AskOpenFile(Text(titleString).c_str(), Text(titleString + 1).c_str(), filterIndex,
                     folder.empty() ? nullptr : folder.c_str());
}

void OpenChosenDocument(int titleString, const std::string& folder) {
  if (const auto path = AskFile(titleString, folder)) OpenDocument(*path);
}

void OpenDefaultSettingsFile() {
  if (!ReadDefaultSettings(AskDescriptionOnOpening)) return;
  RefreshChart(false);
  UpdateMenus();
}

void OpenDefaultDatabaseFile() {
  if (OpenDefaultDatabase() == ResultOk)
    ForgetDatabaseObjects();
  else
    ForgetMissingObjects();
  RefreshChart(true);
}

// The large database: its index where the string table says; where that is not (a Windows
// drive letter means nothing here), the user finds it as any other index.
void OpenLargeDatabaseFile() {
  const std::string index = DiskPath(Text(StringLargeDatabaseIndex));
  if (FileExists(index))
    OpenDocument(index);
  else
    OpenChosenDocument(702, Store().databaseDirectory);
}

void Import(int titleString, int (*import)(std::string_view, std::vector<ObjectId>*)) {
  const auto path = AskFile(titleString, "");
  if (!path) return;
  import(*path, nullptr);
  RefreshChart(false);
}

void WriteSettingsTo(const std::string& path) {
  SetWaitCursor();
  const int written = WriteSettingsFile(path, Settings().Description);  // 530 inside
  SetArrowCursor();
  if (written != ResultOk) return;
  Settings().SettingsPath = path;
  UpdateMenus();
}

void SaveSettingsFileAs() {
  int filterIndex = 1;
  const auto path = AskSaveFile(Text(710).c_str(), Text(711).c_str(),
                                GetFileTitle(Settings().SettingsPath).c_str(), filterIndex, true);
  if (!path) return;
  std::string description = Settings().Description;
  if (!AskDescriptionToSave(description)) return;
  Settings().Description = description;
  WriteSettingsTo(*path);
}

void SaveSettingsFile() {
  if (Settings().SettingsPath.empty())
    SaveSettingsFileAs();
  else
    WriteSettingsTo(Settings().SettingsPath);
}

void DeleteChosenDatabaseFile() {
  const auto path = AskFile(750, Store().databaseDirectory);
  if (!path || DeleteDatabaseFile(*path) != ResultOk) return;  // 533, 534, 535 inside
  ForgetMissingObjects();
  RefreshChart(false);
}

}  // namespace

void FileCommand(int command) {
  switch (command) {
    case NewStar:
      EditObject(0, NewStarKind);
      return;
    case NewPlanet:
      EditObject(0, NewPlanetKind);
      return;
    case OpenSettings:
      OpenChosenDocument(700, PathBesideProgram(DemoSettingsFolder));
      return;
    case OpenDefaultSettingsCommand:
      OpenDefaultSettingsFile();
      return;
    case OpenDatabaseCommand:
      OpenChosenDocument(702, Store().databaseDirectory);
      return;
    case OpenDefaultDatabaseCommand:
      OpenDefaultDatabaseFile();
      return;
    case OpenLargeDatabase:
      OpenLargeDatabaseFile();
      return;
    case ImportText:
      Import(730, ImportObjectTextFile);
      return;
    case ImportSatellites:
      Import(732, ImportSatelliteFile);
      return;
    case CloseInfo:
      CloseInfoWindow();
      return;
    case SaveSettings:
      SaveSettingsFile();
      return;
    case SaveSettingsAs:
      SaveSettingsFileAs();
      return;
    case SaveSettingsAsDefault:
      SaveDefaultSettings();
      return;
    case DeleteDatabaseFileCommand:
      DeleteChosenDatabaseFile();
      return;
    case Exit:
      QuitApplication(0);
      return;
    default:
      return;
  }
}

}  // namespace qv
