// qv/database_commands.cpp - qv db, qv find and qv import (commands.h).
#include <string>
#include <vector>

#include "generated/string_numbers.h"
#include "objects/database.h"
#include "objects/import.h"
#include "objects/messages.h"
#include "objects/namesearch.h"
#include "objects/store.h"
#include "objects/summary.h"
#include "platform/files.h"
#include "platform/result.h"
#include "qv/commands.h"

namespace qv {
namespace {

constexpr double HoursPerBinaryAngle = 24.0 / 1073741824.0;  // a full circle is 2^30
constexpr double DegreesPerBinaryAngle = 360.0 / 1073741824.0;

std::string KindText(const ObjectRecord& record) {
  const char* name = KindName(record.kind);
  return *name ? std::string(name) : QvText("kind %d", record.kind);
}

// ---- db ----------------------------------------------------------------------------------------

std::string MagnitudeRange(int count, int16_t brightest, int16_t faintest) {
  if (count == 0 || brightest > faintest) return "-";
  return QvText("%+.2f .. %+.2f", brightest / 100.0, faintest / 100.0);
}

std::string SkyRange(const FileSummary& s) {
  if (s.raMin > s.raMax || s.decMin > s.decMax) return "-\t-";
  return QvText("%04.1f .. %04.1f\t%+05.1f .. %+05.1f", s.raMin * HoursPerBinaryAngle,
                s.raMax * HoursPerBinaryAngle, s.decMin * DegreesPerBinaryAngle,
                s.decMax * DegreesPerBinaryAngle);
}

std::string FileLine(const DatabaseFile& file) {
  const FileSummary& s = file.summary;
  return QvText("%u\t%s\t%u\t%d\t%d\t%d\t%d\t%d\t", FileNumberOf(file.fileId), file.name.c_str(),
                file.count, s.solarSystemCount, s.starCount, s.deepSkyCount, s.lineCount,
                s.locationCount) +
         MagnitudeRange(s.starCount, s.starBrightest, s.starFaintest) + "\t" +
         MagnitudeRange(s.deepSkyCount, s.deepSkyBrightest, s.deepSkyFaintest) + "\t" +
         SkyRange(s) + "\n";
}

// ---- import -------------------------------------------------------------------------------------

bool IsSatelliteFile(const std::string& path) {
  const std::string extension = GetFileExtension(path);
  return extension == ".tle" || extension == ".TLE";
}

// ImportedText: "imported PATH into a.qvd (16000 objects) and a1.qvd (12 objects)".
std::string ImportedText(const std::string& path, const std::vector<ObjectId>& imported) {
  std::string text = "imported " + path;
  for (size_t k = 0; k < imported.size(); ++k) {
    const DatabaseFile& file = *FileOfId(imported[k]);
    text += k == 0 ? " into " : k + 1 == imported.size() ? " and " : ", ";
    text += QvText("%s (%u objects)", file.name.c_str(), file.count);
  }
  return text + "\n";
}

// ImportOne: one file into the open database; its exit code. Stopping at a line that gave no
// object (the safe answer to 524) keeps what was read before it, and fails.
int ImportOne(const std::string& path, QvSession& session, const QvOutput& output,
              const QvArguments& args) {
  session.ForgetShown();
  std::vector<ObjectId> imported;
  const int result = args.Has("--satellites") || IsSatelliteFile(path)
                         ? ImportSatelliteFile(path, &imported)
                         : ImportObjectTextFile(path, &imported);
  const bool keepGoing = args.Has("--keep-going");
  if (result == ResultOk) {
    output.out(ImportedText(path, imported));
    if (!keepGoing && session.WasShown(MessageKeepReading)) {
      return session.Fail(QvUserError, path +
                                           " was imported only up to a line that gave no object: "
                                           "give --keep-going to read past such lines");
    }
    return QvSuccess;
  }
  if (result == ResultNotFound)
    return session.Fail(QvUserError, "nothing was imported from " + path);
  if (result == ResultCancelled && session.WasShown(MessageReplaceFile)) {
    return session.Fail(QvUserError, path + " was not imported: give --replace or --rename");
  }
  return ExitCodeOf(result);
}

// OpenOrCreate: the database to import into; with --create a missing one is made first.
int OpenOrCreate(QvSession& session, const QvArguments& args, const QvOutput& output) {
  const std::string index = session.IndexPath(args);
  if (!args.Has("--create") || FileExists(index)) return session.OpenDatabase(args);
  std::string folder = index;
  StripLastComponent(folder);
  const int created = CreateDatabase(folder);
  if (created == ResultOk) output.out("created the database " + index + "\n");
  return created;
}

// CheckFiles: reads every file; those that cannot be read are listed with the problem and
// marked, so that the session reports them and ends with a file error.
void CheckFiles(const QvOutput& output) {
  std::string text;
  if (!Store().indexProblem.empty()) text += "\tIndex\t" + Store().indexProblem + "\n";
  for (ObjectId id = FirstFile(); id != 0; id = NextFile(id)) {
    DatabaseFile& file = *FileOfId(id);
    const int checked = CheckDatabaseFile(file, file.problem);
    if (checked == ResultOk) continue;
    file.readFailure = checked;
    text += QvText("%u\t%s\t%s\n", FileNumberOf(id), file.name.c_str(), file.problem.c_str());
  }
  output.out(text.empty() ? "\nEvery file reads well.\n" : "\nFiles that cannot be read:\n" + text);
}

}  // namespace

int RunDbCommand(const QvArguments& args, const QvOutput& output) {
  QvSession session(output);
  const int opened = session.OpenDatabase(args);
  if (opened != ResultOk) return ExitCodeOf(opened);
  output.out("Database: " + Store().indexPath + "\n");
  output.out(QvText("Files: %u\tObjects: %u\n\n", FileCount(), TotalObjectCount()));
  output.out(
      "File\tName\tCount\tSolar system\tStars\tDeep sky\tLines\tLocations\t"
      "Star magnitudes\tDeep-sky magnitudes\tR.A. (h)\tDec. (deg)\n");
  for (ObjectId id = FirstFile(); id != 0; id = NextFile(id)) output.out(FileLine(*FileOfId(id)));
  if (args.Has("--check")) CheckFiles(output);
  return Store().indexProblem.empty() ? QvSuccess : QvFileError;
}

int RunFindCommand(const QvArguments& args, const QvOutput& output) {
  QvSession session(output);
  const int opened = session.OpenDatabase(args);
  if (opened != ResultOk) return ExitCodeOf(opened);
  const std::string& text = args.arguments.front();
  const bool caseSensitive = args.Has("--case"), exact = args.Has("--exact");
  int matches = 0;
  ObjectId found = 0;
  while (FindObjectByName(text.c_str(), caseSensitive, exact, found, found) == ResultOk) {
    const ObjectRecord* record = ObjectOfId(found);
    if (!record) break;
    output.out(DisplayName(*record) + "\t" + KindText(*record) + "\n");
    ++matches;
  }
  if (matches > 0) return QvSuccess;
  Note(ButtonsOk, MessageNoMatch);
  return QvUserError;
}

int RunImportCommand(const QvArguments& args, const QvOutput& output) {
  QvSession session(output);
  if (args.Has("--replace") && args.Has("--rename")) {
    return session.Fail(QvUserError, "give either --replace or --rename, not both");
  }
  if (args.Has("--replace")) session.Answer(MessageReplaceFile, AnswerYes);
  if (args.Has("--rename")) session.Answer(MessageReplaceFile, AnswerNo);
  if (args.Has("--keep-going")) session.Answer(MessageKeepReading, AnswerYes);
  const int opened = OpenOrCreate(session, args, output);
  if (opened != ResultOk) return ExitCodeOf(opened);
  int exitCode = QvSuccess;
  for (const std::string& path : args.arguments) {
    const int code = ImportOne(path, session, output, args);
    if (code > exitCode) exitCode = code;
  }
  return exitCode;
}

}  // namespace qv
