// fuzz/objects_store.h - the store the text-line and element-set targets look names up in: one
// in-memory file holding the Earth and two stars, and alerts that go nowhere.
#pragma once

#include <string>

#include "objects/records.h"
#include "objects/store.h"
#include "platform/alert.h"

namespace qv {

inline void PrepareFuzzStore() {
  static const bool ready = [] {
    SetAlertPresenter([](int, int, int, const std::string&) { return static_cast<int>(AnswerOk); });
    std::unique_ptr<DatabaseFile> file = NewDatabaseFile("fuzz.qvd");
    const ObjectId fileId = RegisterFile(file);
    for (const auto& [kind, name] :
         {std::pair{KindEarth, "Earth"}, std::pair{KindSingleStar, "Sirius"},
          std::pair{KindGalaxy, "M 31"}}) {
      std::unique_ptr<ObjectRecord> record = NewRecord(kind);
      SetObjectName(*record, name);
      AddObject(record, fileId);
    }
    return true;
  }();
  (void)ready;
}

}  // namespace qv
