// qv/database_commands.cpp - qv db, qv find and qv import (commands.h).
#include <string>

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

std::string ImportedText(const std::string& path, ObjectId imported) {
  const DatabaseFile* file = imported ? FileOfId(imported) : nullptr;
  if (!file) return "imported " + path + "\n";
  return QvText("imported %s into %s (%u objects)\n", path.c_str(), file->name.c_str(),
                file->count);
}

// ImportOne: one file into the open database; its exit code. Stopping at a line that gave no
// object (the safe answer to 524) keeps what was read before it, and fails.
int ImportOne(const std::string& path, QvSession& session, const QvOutput& output,
              const QvArguments& args) {
  session.ForgetShown();
  ObjectId imported = 0;
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
  return QvSuccess;
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
  if (Store().indexChanged && SaveIndex(Store().indexPath) != ResultOk) return QvFileError;
  return exitCode;
}

}  // namespace qv
