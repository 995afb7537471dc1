// qv/session.cpp - set-up and take-down of a qv run (session.h).
#include "qv/session.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "generated/string_numbers.h"
#include "objects/database.h"
#include "objects/designations.h"
#include "objects/messages.h"
#include "objects/namesearch.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "objects/textformat.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/result.h"
#include "platform/strings.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace qv {
namespace {

constexpr int QvScreenBits = 32;  // qv draws 32-bit images: the defaults of a true-colour screen
constexpr int DefaultChartWidth = 1600, DefaultChartHeight = 1000;
constexpr int MinChartSide = 64;  // room for the legend band and some sky above it
constexpr int MaxChartSide = 16384;

bool ParseChartSize(const std::string& text, int& width, int& height) {
  char* end = nullptr;
  const long w = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || (*end != 'x' && *end != 'X')) return false;
  const char* heightText = end + 1;
  const long h = std::strtol(heightText, &end, 10);
  if (end == heightText || *end != '\0') return false;
  if (w < MinChartSide || h < MinChartSide || w > MaxChartSide || h > MaxChartSide) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

// CanonicalDesignation: a catalog designation as the database writes it ("M 31" is "M31");
// "" when the text is none.
std::string CanonicalDesignation(const std::string& name) {
  CatalogNumber number = 0;
  if (ParseDeepSkyDesignation(name, number) || ParseStarDesignation(name, number))
    return RenderDesignation(number);
  return std::string();
}

bool unreadableFilesUsed = false;  // by the last session that ended

std::string DefaultIndexPath() {
  std::string folder, index;
  LoadString(StringDatabaseFolder, folder);
  LoadString(StringIndexFile, index);
  std::string path = PathBesideProgram(folder);
  AppendPathComponent(path, index);
  return path;
}

std::string IndexPathOf(const std::string& given) {
  if (FileExists(given)) return given;
  std::string index;
  LoadString(StringIndexFile, index);
  std::string path = given;
  AppendPathComponent(path, index);
  return path;
}

bool ReadNumber(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return end && *end == '\0' && std::isfinite(value);
}

bool InQvRange(JulianDate jd) { return jd >= QvEarliestDate && jd <= QvLatestDate; }

}  // namespace

std::string QvText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, again);
  va_end(again);
  return text;
}

int ExitCodeOf(int result) {
  switch (result) {
    case ResultOk:
      return QvSuccess;
    case ResultOpenError:
    case ResultReadError:
    case ResultWriteError:
    case ResultNoMemory:
      return QvFileError;
    default:
      return QvUserError;
  }
}

QvSession::QvSession(const QvOutput& output) : output_(output) {
  InitHeadlessPlatform();
  SetAlertSwitch(true);
  previousPresenter_ =
      SetAlertPresenter([this](int, int buttons, int number, const std::string& message) {
        shown_.insert(number);
        output_.err("qv: " + message + "\n");
        const auto chosen = answers_.find(number);
        if (chosen != answers_.end()) return chosen->second;
        return static_cast<int>(buttons == ButtonsOk ? AnswerOk : AnswerCancel);
      });
  SetDefaultSettings(QvScreenBits);
  InitObjectStore();
}

QvSession::~QvSession() {
  unreadableFilesUsed = ReportUnreadableFiles() > 0;
  CloseDatabase();
  SetAlertPresenter(previousPresenter_);
}

ObjectRecord* FindQvObject(const std::string& name) {
  const std::string designation = CanonicalDesignation(name);
  ObjectId found = 0;
  if (FindObjectByName(name.c_str(), false, true, 0, found) == ResultOk ||
      (!designation.empty() &&
       FindObjectByName(designation.c_str(), false, true, 0, found) == ResultOk) ||
      FindObjectByName(name.c_str(), false, false, 0, found) == ResultOk) {
    if (ObjectRecord* record = ObjectOfId(found)) return record;
  }
  Note(ButtonsOk, MessageNoSuchObject, name.c_str());
  return nullptr;
}

bool QvSession::ReadChartSize(const QvArguments& args, int& width, int& height) const {
  width = DefaultChartWidth;
  height = DefaultChartHeight;
  if (!args.Has("--size") || ParseChartSize(args.Value("--size"), width, height)) return true;
  Fail(QvUserError, "--size needs WIDTHxHEIGHT in pixels, each 64 to 16384, not \"" +
                        args.Value("--size") + "\"");
  return false;
}

bool QvSession::UsedUnreadableFiles() { return unreadableFilesUsed; }

int QvSession::Fail(int exitCode, const std::string& message) const {
  output_.err("qv: " + message + "\n");
  return exitCode;
}

std::string QvSession::IndexPath(const QvArguments& args) const {
  return args.Has("--database") ? IndexPathOf(args.Value("--database")) : DefaultIndexPath();
}

int QvSession::OpenDatabase(const QvArguments& args) {
  const std::string path = IndexPath(args);
  if (!FileExists(path)) {
    Stop(ButtonsOk, MessageCannotOpen, path.c_str());
    return ResultOpenError;
  }
  return qv::OpenDatabase(path);
}

int QvSession::OpenSky(const QvArguments& args) {
  const int opened = OpenDatabase(args);
  if (opened != ResultOk) return opened;
  return LoadSettings(args);
}

int QvSession::LoadSettings(const QvArguments& args) {
  const auto keepDescription = [](std::string&) { return true; };
  // A value that is not one of its key's names is read as the program reads it, and reported.
  const auto warn = [this](const std::string& path, const std::vector<std::string>& unknown) {
    for (const std::string& text : unknown)
      output_.err("qv: warning: " + GetFileTitle(path) + ": " + text + "\n");
  };
  std::vector<std::string> unknown;
  if (FileExists(DefaultSettingsPath())) ReadDefaultSettings(keepDescription, &unknown);
  warn(DefaultSettingsPath(), unknown);
  Settings().JulianDate = LocalToUniversal(Settings(), CurrentJulianDate());
  if (args.Has("--settings")) {
    shown_.clear();
    unknown.clear();
    if (!ReadSettingsFile(args.Value("--settings"), keepDescription, &unknown))
      return ResultOpenError;
    warn(args.Value("--settings"), unknown);
    if (WasShown(MessageNoSuchObject)) return ResultNotFound;
  }
  const int timeSet = SetTime(args);
  if (timeSet == ResultOk) UpdateSkyContext();
  return timeSet;
}

int QvSession::SetTime(const QvArguments& args) {
  if (args.Has("--jd") && args.Has("--date")) {
    Fail(QvUserError, "give either --jd or --date, not both");
    return ResultFailed;
  }
  if (args.Has("--jd")) {
    double jd = 0;
    if (!ReadNumber(args.Value("--jd"), jd) || !InQvRange(jd)) {
      Fail(QvUserError,
           "--jd needs a Julian date from 0 to 5373484.5, not \"" + args.Value("--jd") + "\"");
      return ResultFailed;
    }
    Settings().JulianDate = jd;
  }
  if (args.Has("--date") && !ParseLocalDate(args.Value("--date"), Settings().JulianDate))
    return ResultFailed;
  return ResultOk;
}

bool QvSession::ParseLocalDate(const std::string& text, JulianDate& jd) const {
  JulianDate local = 0;
  const bool read = ParseDateTime(text, 0, Settings().CalendarSystem, local);
  const JulianDate universal = LocalToUniversal(Settings(), local);
  if (!read || !InQvRange(universal)) {
    Note(ButtonsOk, MessageBadDate, text.c_str());
    return false;
  }
  jd = universal;
  return true;
}

}  // namespace qv
