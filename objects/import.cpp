// objects/import.cpp - the import of object text files, file lists and satellite element files.
#include "objects/import.h"

#include <functional>
#include <memory>
#include <string>

#include "objects/database.h"
#include "objects/messages.h"
#include "objects/store.h"
#include "objects/textimport.h"
#include "objects/textscan.h"
#include "objects/tleimport.h"
#include "platform/alert.h"
#include "platform/files.h"
#include "platform/progress.h"
#include "platform/result.h"

namespace qv {
namespace {

enum class ReadOutcome { Record, Nothing, End };
// A line reader: the next record of the file, lines consumed without one, or the end.
using RecordReader = std::function<ReadOutcome(PlatformFile&, std::unique_ptr<ObjectRecord>&)>;

ReadOutcome ReadObjectLine(PlatformFile& file, std::unique_ptr<ObjectRecord>& out) {
  std::string line;
  while (ReadLine(file, line, ObjectLineSize) > 0) {
    const int result = ParseObjectLine(line, out);
    if (result == ResultOk) return ReadOutcome::Record;
    if (result != ResultNotFound) return ReadOutcome::Nothing;
  }
  return ReadOutcome::End;
}

RecordReader ElementSetReader() {
  auto window = std::make_shared<ElementWindow>();
  return [window](PlatformFile& file, std::unique_ptr<ObjectRecord>& out) {
    std::string line, nameLine, line1, line2;
    while (ReadLine(file, line, ObjectLineSize) > 0) {
      if (PushElementLine(*window, line, nameLine, line1, line2)) {
        return ElementSetToRecord(nameLine, line1, line2, out) == ResultOk ? ReadOutcome::Record
                                                                           : ReadOutcome::Nothing;
      }
    }
    return ReadOutcome::End;
  };
}

bool KeepReading(const std::string& title) {
  return Caution(ButtonsYesNoCancel, MessageKeepReading, title.c_str()) == AnswerYes;
}

// ReadRecords: every record the reader gives, into the file. ResultOk, or ResultCancelled when
// the progress box was cancelled.
int ReadRecords(PlatformFile& input, const RecordReader& read, ObjectId fileId,
                const std::string& title) {
  const bool progress =
      OpenProgress(static_cast<double>(std::max<int64_t>(FileLength(input), 1)), 0, 1, 0,
                   MessageText(MessageImporting, title).c_str(), nullptr, true);
  int result = ResultOk;
  for (;;) {
    std::unique_ptr<ObjectRecord> record;
    const ReadOutcome got = read(input, record);
    if (got == ReadOutcome::End) break;
    bool keepReading = true;
    if (got == ReadOutcome::Nothing) {
      keepReading = KeepReading(title);
    } else if (AddObject(record, fileId) == 0) {
      Caution(ButtonsOk, MessageCannotAdd, DisplayName(*record).c_str());
      keepReading = KeepReading(title);
    }
    if (progress && UpdateProgress(static_cast<double>(TellFile(input))) == 0) {
      result = ResultCancelled;
      break;
    }
    if (!keepReading) break;
  }
  if (progress) CloseProgress();
  return result;
}

// FinishImport: writes a file that received objects (replacing the file it was named after, if
// any) and drops it from memory; otherwise the new file goes without a trace.
int FinishImport(ObjectId fileId, ObjectId replaced, int readResult, ObjectId* imported) {
  DatabaseFile& file = *FileOfId(fileId);
  if (readResult != ResultOk || file.count == 0) {
    UnlockFile(fileId);
    UnregisterFile(fileId);
    return readResult == ResultOk ? ResultNotFound : readResult;
  }
  const int written = WriteDatabaseFile(file);
  UnlockFile(fileId);
  if (written != ResultOk) {
    UnregisterFile(fileId);
    return written;
  }
  if (replaced != 0) UnregisterFile(replaced);  // its file on disk is the one just replaced
  DropFromMemory(*FileOfId(fileId));
  if (imported) *imported = fileId;
  return ResultOk;
}

int ImportFile(std::string_view path, const RecordReader& read, ObjectId* imported) {
  const ObjectStore& store = Store();
  if (store.readOnly || store.indexPath.empty()) {  // no database that could take the objects
    Note(ButtonsOk, MessageReadOnly);
    return ResultFailed;
  }
  FileHandle input = OpenFile(path, "rb", "TEXT");
  if (!input) {
    Stop(ButtonsOk, MessageCannotOpen, std::string(path).c_str());
    return ResultOpenError;
  }
  const std::string title = GetFileTitle(path);
  std::string name;
  ObjectId replaced = 0;
  const int resolved = ResolveDatabaseFileName(title, name, replaced);
  if (resolved != ResultOk) return resolved;
  std::unique_ptr<DatabaseFile> file = NewDatabaseFile(name);
  const ObjectId fileId = RegisterFile(file);
  if (fileId == 0) {
    Stop(ButtonsOk, MessageNoMemory);
    return ResultNoMemory;
  }
  LockFile(fileId);
  const int readResult = ReadRecords(*input, read, fileId, title);
  return FinishImport(fileId, replaced, readResult, imported);
}

int ImportFileList(std::string_view path) {
  FileHandle list = OpenFile(path, "rb", "TEXT");
  if (!list) {
    Stop(ButtonsOk, MessageCannotOpen, std::string(path).c_str());
    return ResultOpenError;
  }
  std::string folder(path);
  StripLastComponent(folder);
  const std::string title = GetFileTitle(path);
  int result = ResultNotFound;
  std::string line;
  while (ReadLine(*list, line, LineBufferSize) > 0) {
    if (line.empty()) continue;
    std::string target = folder;
    AppendPathComponent(target, line);
    const int imported = ImportFile(target, ReadObjectLine, nullptr);
    if (imported == ResultOk)
      result = ResultOk;
    else if (!KeepReading(title))
      break;
  }
  return result;
}

}  // namespace

int ImportObjectTextFile(std::string_view path, ObjectId* imported) {
  if (StartsWithIgnoringCase(GetFileTitle(path), "FileList")) return ImportFileList(path);
  return ImportFile(path, ReadObjectLine, imported);
}

int ImportSatelliteFile(std::string_view path, ObjectId* imported) {
  return ImportFile(path, ElementSetReader(), imported);
}

}  // namespace qv
