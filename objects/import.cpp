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

constexpr const char* LongLineProblem = "it is longer than 1,023 characters";

enum class ReadOutcome { Record, Nothing, End };
// A line reader: the next record of the file, lines consumed without one (problem says why,
// unless a message has said so already), or the end.
using RecordReader =
    std::function<ReadOutcome(PlatformFile&, std::unique_ptr<ObjectRecord>&, std::string& problem)>;

enum class LineRead { Line, TooLong, End };

// ReadImportLine: the next line of at most 1,023 characters. A longer one is read to its end and
// is one line too long: none of its pieces may pass for a line of its own.
LineRead ReadImportLine(PlatformFile& file, std::string& line) {
  std::string ending;
  if (ReadLine(file, line, ObjectLineSize, &ending) == 0) return LineRead::End;
  if (!ending.empty() || line.size() < ObjectLineSize - 1) return LineRead::Line;
  bool longer = false;
  std::string rest;
  while (ending.empty() && ReadLine(file, rest, ObjectLineSize, &ending) > 0) {
    longer = longer || !rest.empty();
  }
  return longer ? LineRead::TooLong : LineRead::Line;
}

ReadOutcome ReadObjectLine(PlatformFile& file, std::unique_ptr<ObjectRecord>& out,
                           std::string& problem) {
  std::string line;
  for (;;) {
    const LineRead got = ReadImportLine(file, line);
    if (got == LineRead::End) return ReadOutcome::End;
    if (got == LineRead::TooLong) {
      problem = LongLineProblem;
      return ReadOutcome::Nothing;
    }
    const int result = ParseObjectLine(line, out);
    if (result == ResultOk) return ReadOutcome::Record;
    if (result != ResultNotFound) return ReadOutcome::Nothing;
  }
}

RecordReader ElementSetReader() {
  auto window = std::make_shared<ElementWindow>();
  return [window](PlatformFile& file, std::unique_ptr<ObjectRecord>& out, std::string& problem) {
    std::string line, nameLine, line1, line2;
    for (;;) {
      const LineRead got = ReadImportLine(file, line);
      if (got == LineRead::End) return ReadOutcome::End;
      if (got == LineRead::TooLong) {
        window->lines.clear();
        problem = LongLineProblem;
        return ReadOutcome::Nothing;
      }
      if (PushElementLine(*window, line, nameLine, line1, line2)) {
        return ElementSetToRecord(nameLine, line1, line2, out, &problem) == ResultOk
                   ? ReadOutcome::Record
                   : ReadOutcome::Nothing;
      }
    }
  };
}

bool KeepReading(const std::string& title) {
  return Caution(ButtonsYesNoCancel, MessageKeepReading, title.c_str()) == AnswerYes;
}

// One import: the new database files it fills, in order. The first takes the imported file's
// name; a file of 16,000 objects is followed by one with the next free numbered name.
struct Import {
  std::string title;                           // the imported file's title, for messages
  std::vector<ObjectId> parts;                 // the new database files
  ObjectId replaced = 0;                       // the file the first part replaces (531, Yes), or 0
  std::unique_ptr<DatabaseFile> replacedFile;  // that file while it is out of the store
};

enum class ReadEnd { Complete, Stopped, Cancelled };

// NewPart: a new database file of that name for the import, locked against the memory trim.
bool NewPart(Import& import, const std::string& name) {
  std::unique_ptr<DatabaseFile> file = NewDatabaseFile(name);
  file->lockCount = 1;  // from the start: registering may trim memory
  const ObjectId fileId = RegisterFile(file);
  if (fileId == 0) {
    Stop(ButtonsOk, MessageNoMemory);
    return false;
  }
  import.parts.push_back(fileId);
  return true;
}

// AddToImport: the record into the last part, or into a new one when that is full.
bool AddToImport(Import& import, std::unique_ptr<ObjectRecord>& record) {
  const DatabaseFile& last = *FileOfId(import.parts.back());
  if (last.count >= MaxObjectsPerFile) {
    std::string name;
    if (NumberedDatabaseFileName(FileOfId(import.parts.front())->name, name) != ResultOk ||
        !NewPart(import, name)) {
      return false;
    }
  }
  return AddObject(record, import.parts.back()) != 0;
}

// ReadRecords: every record the reader gives, into the import's files.
ReadEnd ReadRecords(PlatformFile& input, const RecordReader& read, Import& import) {
  const bool progress =
      OpenProgress(static_cast<double>(std::max<int64_t>(FileLength(input), 1)), 0, 1, 0,
                   MessageText(MessageImporting, import.title).c_str(), nullptr, true);
  ReadEnd end = ReadEnd::Complete;
  for (;;) {
    std::unique_ptr<ObjectRecord> record;
    std::string problem;
    const ReadOutcome got = read(input, record, problem);
    if (got == ReadOutcome::End) break;
    bool keepReading = true;
    if (got == ReadOutcome::Nothing) {
      if (!problem.empty()) {
        Caution(ButtonsOk, MessageBadLine, LineNumber(input), import.title.c_str(),
                problem.c_str());
      }
      keepReading = KeepReading(import.title);
    } else if (!AddToImport(import, record)) {
      Caution(ButtonsOk, MessageCannotAdd, DisplayName(*record).c_str());
      keepReading = KeepReading(import.title);
    }
    if (progress && UpdateProgress(static_cast<double>(TellFile(input))) == 0) {
      end = ReadEnd::Cancelled;
      break;
    }
    if (!keepReading) {
      end = ReadEnd::Stopped;
      break;
    }
  }
  if (progress) CloseProgress();
  return end;
}

// DiscardImport: the import's files out of the store, and the replaced file back in it.
void DiscardImport(Import& import) {
  for (ObjectId part : import.parts) UnregisterFile(part);
  if (import.replacedFile) {
    import.replacedFile->fileId = import.replaced;
    ListFile(import.replacedFile);
  }
}

// StoreImport: writes the import's files and the index, or nothing at all. Numbered parts come
// first, and a file being replaced goes last, after the index: until then the old file stays
// whole on disk, and a failure removes every file written and leaves the store as it was.
int StoreImport(Import& import, std::vector<ObjectId>* imported) {
  std::vector<std::string> written;
  FileHandle replacement;
  int result = ResultOk;
  for (size_t k = import.parts.size(); k-- > 0 && result == ResultOk;) {
    DatabaseFile& part = *FileOfId(import.parts[k]);
    if (k == 0 && import.replaced != 0) {
      result = PrepareDatabaseFile(part, replacement);
    } else {
      result = WriteDatabaseFile(part);
      if (result == ResultOk) written.push_back(FullPathOf(part.name));
    }
  }
  if (result == ResultOk && import.replaced != 0)
    import.replacedFile = UnregisterFile(import.replaced);  // its name passes to the new file
  if (result == ResultOk) result = SaveIndex(Store().indexPath);
  if (result == ResultOk && replacement)
    result = CommitDatabaseFile(*FileOfId(import.parts.front()), std::move(replacement));
  if (result != ResultOk) {
    for (const std::string& path : written) DeleteFileAt(path);
    const bool indexWritten = !Store().indexChanged;
    DiscardImport(import);
    if (indexWritten) SaveIndex(Store().indexPath);  // the replacement failed after the index
    return result;
  }
  for (ObjectId part : import.parts) DropFromMemory(*FileOfId(part));
  if (imported) *imported = import.parts;
  return ResultOk;
}

// FinishImport: the import's files written, or gone without a trace when it was cancelled,
// imported nothing, or stopped early while replacing a file (which then stays as it was).
int FinishImport(Import& import, ReadEnd end, std::vector<ObjectId>* imported) {
  for (ObjectId part : import.parts) UnlockFile(part);
  int result = ResultCancelled;
  if (end == ReadEnd::Cancelled) {
    result = ResultCancelled;
  } else if (FileOfId(import.parts.front())->count == 0) {
    result = ResultNotFound;
  } else if (end == ReadEnd::Stopped && import.replaced != 0) {
    Caution(ButtonsOk, MessageNotReplaced, FileOfId(import.replaced)->name.c_str(),
            import.title.c_str());
    result = ResultFailed;
  } else {
    return StoreImport(import, imported);
  }
  DiscardImport(import);
  return result;
}

// A database file's name is a plain file name here: a ":" or "\" in the imported file's name
// would make folders of it, and ".." among them would lead out of the database folder.
bool IsPlainFileName(std::string_view title) {
  return !title.empty() && title.find_first_of(":\\") == std::string_view::npos &&
         IsInsideDatabaseFolder(title);
}

// ImportInChange: the import within the change that ImportFile began.
int ImportInChange(PlatformFile& input, const RecordReader& read, Import& import,
                   std::vector<ObjectId>* imported) {
  std::string name;
  const int resolved = ResolveDatabaseFileName(import.title, name, import.replaced);
  if (resolved != ResultOk || !NewPart(import, name)) {
    return resolved != ResultOk ? resolved : ResultNoMemory;
  }
  const ReadEnd end = ReadRecords(input, read, import);
  return FinishImport(import, end, imported);
}

int ImportFile(std::string_view path, const RecordReader& read, std::vector<ObjectId>* imported) {
  ObjectStore& store = Store();
  if (store.readOnly || store.indexPath.empty()) {  // no database that could take the objects
    Note(ButtonsOk, MessageReadOnly);
    return ResultFailed;
  }
  FileHandle input = OpenFile(path, "rb", "TEXT");
  if (!input) {
    Stop(ButtonsOk, MessageCannotOpen, std::string(path).c_str());
    return ResultOpenError;
  }
  Import import;
  import.title = GetFileTitle(path);
  if (!IsPlainFileName(import.title)) {
    Stop(ButtonsOk, MessageNameOutside, import.title.c_str());
    return ResultFailed;
  }
  const int begun = BeginDatabaseChange();
  if (begun != ResultOk) return begun;
  const bool pending = store.indexChanged;  // changes before this import, still to be written
  const int result = ImportInChange(*input, read, import, imported);
  if (result != ResultOk) store.indexChanged = pending;  // the store is as it was
  const int ended = EndDatabaseChange();
  return result == ResultOk ? ended : result;
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

int ImportObjectTextFile(std::string_view path, std::vector<ObjectId>* imported) {
  if (StartsWithIgnoringCase(GetFileTitle(path), "FileList")) return ImportFileList(path);
  return ImportFile(path, ReadObjectLine, imported);
}

int ImportSatelliteFile(std::string_view path, std::vector<ObjectId>* imported) {
  return ImportFile(path, ElementSetReader(), imported);
}

}  // namespace qv
