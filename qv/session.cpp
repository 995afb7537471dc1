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
#include "objects/messages.h"
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
  CloseDatabase();
  SetAlertPresenter(previousPresenter_);
}

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
