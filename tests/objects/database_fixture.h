// A database in a scratch folder for tests of the store, the commands and import: "beside the
// program" is the scratch folder, alerts are recorded and answered from a script, and the store
// is closed and emptied afterwards.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "astro/angles.h"
#include "objects/database.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/files.h"
#include "platform/result.h"
#include "tests/support/scratch_folder.h"

namespace qv {

struct ShownAlert {
  int number;
  std::string message;
};

class DatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(scratch.path().empty());
    SetProgramPath(scratch / "quorvane");
    SetAlertPresenter([this](int, int buttons, int number, const std::string& message) {
      shown.push_back({number, message});
      if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
      }
      return static_cast<int>(buttons == ButtonsOk ? AnswerOk : AnswerCancel);
    });
  }

  void TearDown() override {
    CloseDatabase();
    Store() = ObjectStore();
    SetAlertPresenter(nullptr);
    SetAlertSwitch(true);
    SetProgramPath("");
  }

  // A new database: the "Database" folder beside the program with its index and Custom.qvd.
  void CreateDatabase() {
    answers.push_back(AnswerYes);
    ASSERT_EQ(CreateDatabaseDirectory(), ResultOk);
    shown.clear();
  }

  std::string DatabasePath(const std::string& name) const { return scratch / ("Database/" + name); }

  bool Shown(int number) const {
    for (const ShownAlert& a : shown) {
      if (a.number == number) return true;
    }
    return false;
  }

  ScratchFolder scratch;
  std::vector<ShownAlert> shown;
  std::deque<int> answers;
};

// A star at a right ascension and declination in radians with a V magnitude in hundredths.
inline std::unique_ptr<ObjectRecord> MakeStar(const char* name, double ra, double dec, int16_t v) {
  auto record = NewRecord(KindSingleStar);
  SkyObjectRecord& sky = *SkyObjectOf(*record);
  sky.position = DirectionFromVector(SphericalToRectangular(ra, dec, 1.0));
  sky.visualMagnitude = v;
  sky.distance = UnknownValue;
  SetObjectName(*record, name);
  return record;
}

}  // namespace qv
