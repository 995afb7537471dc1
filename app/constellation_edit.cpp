// app/constellation_edit.cpp - figure lines added and removed by hand (constellation_edit.h).
#include "app/constellation_edit.h"

#include <memory>

#include "objects/database.h"
#include "objects/store.h"
#include "platform/result.h"

namespace qv {
namespace {

int RemoveLine(ObjectId line) {
  ObjectId fileId = 0;
  if (BeginObjectEdit(line, fileId) != ResultOk) return ResultFailed;  // read-only: note 539
  const int removed = CommitObjectRemoval(line);
  EndObjectEdit(fileId);
  return removed;
}

int AddLine(const ObjectRecord& from, const ObjectRecord& to) {
  std::unique_ptr<ObjectRecord> record = NewRecord(KindObjectLine);
  if (!record) return ResultNoMemory;
  LineRecord& line = *LineOf(*record);
  line.ends = {from.id, to.id};
  line.positions = {SkyObjectOf(from)->position, SkyObjectOf(to)->position};
  ObjectId fileId = 0;
  if (BeginObjectEdit(0, fileId) != ResultOk) return ResultFailed;  // read-only: note 539
  const ObjectId stored = CommitObjectEdit(fileId, 0, record);      // 527 when refused
  EndObjectEdit(fileId);
  return stored != 0 ? ResultOk : ResultFailed;
}

}  // namespace

ObjectId FindFigureLine(ObjectId a, ObjectId b) {
  for (ObjectId fileId = FirstFile(); fileId != 0; fileId = NextFile(fileId)) {
    const DatabaseFile* file = FileOfId(fileId);
    if (!file || file->summary.lineCount == 0) continue;
    for (ObjectId id = FirstObjectInFile(fileId); id != 0; id = NextObjectInFile(id)) {
      const ObjectRecord* object = ObjectOfId(id);
      if (!object || object->kind != KindObjectLine) continue;
      const auto& ends = LineOf(*object)->ends;
      if ((ends[0] == a && ends[1] == b) || (ends[0] == b && ends[1] == a)) return id;
    }
  }
  return 0;
}

int ToggleFigureLine(ObjectId a, ObjectId b) {
  const ObjectRecord* from = ObjectOfId(a);
  const ObjectRecord* to = ObjectOfId(b);
  if (a == b || !from || !to || !IsSkyObjectKind(from->kind) || !IsSkyObjectKind(to->kind))
    return ResultNotFound;
  if (const ObjectId line = FindFigureLine(a, b)) return RemoveLine(line);
  return AddLine(*from, *to);
}

}  // namespace qv
