// app/open_document.cpp - opening documents by their content (open_document.h).
#include "app/open_document.h"

#include "app/chart_window.h"
#include "app/commands.h"
#include "app/description_dialog.h"
#include "app/viewpoint.h"
#include "generated/string_numbers.h"
#include "objects/database.h"
#include "objects/import.h"
#include "objects/textscan.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/result.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace qv {
namespace {

bool StartsWithSettingsHeader(PlatformFile& file) {
  std::string line;
  ReadLine(file, line);
  return line == SettingsFileHeader;
}

bool EndsWithIgnoringCase(const std::string& text, std::string_view ending) {
  return text.size() >= ending.size() &&
         EqualsIgnoringCase(std::string_view(text).substr(text.size() - ending.size()), ending);
}

int OpenSettingsDocument(const std::string& path) {
  if (!ReadSettingsFile(path, AskDescriptionOnOpening)) return ResultReadError;
  Settings().SettingsPath = path;
  RefreshChart(false);
  UpdateMenus();
  return ResultOk;
}

int Classify(const std::string& path) {
  FileHandle file = OpenFile(path, "rb");
  if (!file) {
    Caution(ButtonsOk, MessageCannotOpen, GetFileTitle(path).c_str());
    return ResultOpenError;
  }
  const bool settings = StartsWithSettingsHeader(*file);
  file.reset();
  if (settings) return OpenSettingsDocument(path);
  const int database = OpenDatabaseDocument(path);  // 538 for a database file
  if (database != ResultNotFound) {
    if (database == ResultOk)
      ForgetDatabaseObjects();
    else
      ForgetMissingObjects();  // a bad index may have closed the database
    RefreshChart(true);
    return database;
  }
  const std::string title = GetFileTitle(path);
  int imported = ResultNotFound;
  if (EndsWithIgnoringCase(title, ".tle"))
    imported = ImportSatelliteFile(path);
  else if (EndsWithIgnoringCase(title, ".txt"))
    imported = ImportObjectTextFile(path);
  else {
    Caution(ButtonsOk, MessageCannotRead, title.c_str());
    return ResultReadError;
  }
  RefreshChart(false);
  return imported;
}

}  // namespace

int OpenDocument(const std::string& path) {
  SetWaitCursor();
  const int result = Classify(path);
  SetArrowCursor();
  return result;
}

}  // namespace qv
