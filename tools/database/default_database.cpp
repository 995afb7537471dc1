// tools/database/default_database.cpp - the default database, built by the program's importer.
#include "tools/database/default_database.h"

#include <filesystem>

#include "objects/database.h"
#include "objects/import.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/files.h"
#include "platform/result.h"

namespace qv {

namespace {

namespace fs = std::filesystem;

constexpr int AskCreateDatabase = 528;  // "can't find the Database directory ... create one?"

// Answers every question of an unattended import with Yes/OK, so the importer creates the
// database, keeps reading past a bad line and replaces nothing silently lost; records each one.
AlertPresenter RecordingPresenter(std::vector<std::string>& messages) {
  return [&messages](int, int, int number, const std::string& message) {
    if (number != AskCreateDatabase) messages.push_back(std::to_string(number) + ": " + message);
    return static_cast<int>(AnswerYes);
  };
}

int ImportInto(const std::string& path, std::string& error) {
  const int result = ImportObjectTextFile(path);
  if (result != ResultOk) error = "importing " + path + " failed";
  return result;
}

// Builds workDir/Database with workDir as the program's folder.
int BuildInto(const std::string& workDir, const std::vector<std::string>& textFiles,
              const std::string& fileList, DatabaseBuildReport& report, std::string& error) {
  SetProgramPath(workDir + "/quorvane");
  int result = CreateDatabaseDirectory();
  if (result != ResultOk) {
    error = "cannot create " + workDir + "/Database";
    return result;
  }
  for (const std::string& path : textFiles) {
    if (result == ResultOk) result = ImportInto(path, error);
  }
  if (result == ResultOk) result = ImportInto(fileList, error);
  if (result == ResultOk) report.counts = CountDatabase();
  CloseDatabase();
  return result;
}

// Puts the new database in place of programDir/Database; the old one, which the user may have
// edited, becomes Database.previous (an older previous one goes).
void ReplaceDatabase(const fs::path& built, const fs::path& programDir, std::string& error) {
  const fs::path target = programDir / "Database", kept = programDir / "Database.previous";
  std::error_code ec;
  const bool hadOne = fs::exists(target, ec);
  if (hadOne) {
    fs::remove_all(kept, ec);
    fs::rename(target, kept, ec);
    if (ec) {
      error = "cannot move the old database aside to " + kept.string();
      return;
    }
  }
  fs::rename(built, target, ec);
  if (!ec) return;
  error = "cannot move the new database to " + target.string();
  if (hadOne) fs::rename(kept, target, ec);
}

}  // namespace

DatabaseCounts CountDatabase() {
  DatabaseCounts counts;
  for (ObjectId id = FirstFile(); id != 0; id = NextFile(id)) {
    const DatabaseFile& file = *FileOfId(id);
    ++counts.files;
    counts.solarSystem += file.summary.solarSystemCount;
    counts.stars += file.summary.starCount;
    counts.deepSky += file.summary.deepSkyCount;
    counts.lines += file.summary.lineCount;
    counts.locations += file.summary.locationCount;
    std::error_code ec;
    const uintmax_t size = fs::file_size(FullPathOf(file.name), ec);
    if (!ec) counts.bytesOnDisk += static_cast<int64_t>(size);
  }
  std::error_code ec;
  const uintmax_t indexSize = fs::file_size(Store().indexPath, ec);
  if (!ec) counts.bytesOnDisk += static_cast<int64_t>(indexSize);
  return counts;
}

int BuildDefaultDatabase(const std::string& programDir, const std::vector<std::string>& textFiles,
                         const std::string& fileList, DatabaseBuildReport& report,
                         std::string& error) {
  const fs::path work = fs::path(programDir) / ".database-build";
  std::error_code ec;
  fs::remove_all(work, ec);
  fs::create_directories(work, ec);
  if (ec) {
    error = "cannot create " + work.string();
    return ResultWriteError;
  }
  const AlertPresenter previous = SetAlertPresenter(RecordingPresenter(report.messages));
  const int result = BuildInto(work.string(), textFiles, fileList, report, error);
  SetAlertPresenter(previous);
  SetProgramPath("");
  if (result == ResultOk) ReplaceDatabase(work / "Database", fs::path(programDir), error);
  fs::remove_all(work, ec);
  return error.empty() ? result : ResultWriteError;
}

}  // namespace qv
