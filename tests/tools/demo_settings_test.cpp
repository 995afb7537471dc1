// The demo settings files (resources/demo_settings/*.qvs) read with the program's settings
// reader: each has a description and reads without a message, the bodies they centre on are
// found, and writing the settings back gives the file byte for byte, so they are in exactly the
// form the program writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "chart/trails.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "tests/support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

const fs::path DemoDir = fs::path(QV_SOURCE_DIR) / "resources" / "demo_settings";

class DemoSettings : public testing::Test {
 protected:
  void SetUp() override {
    SetAlertPresenter([this](int, int, int number, const std::string&) {
      alerts.push_back(number);
      return AnswerOk;
    });
    SetDefaultSettings(32);
    DeleteAllTrails();
    // The bodies the demos name, as the solar-system file gives them.
    std::unique_ptr<DatabaseFile> file = NewDatabaseFile("SolarSystem.qvd");
    const ObjectId fileId = RegisterFile(file);
    ASSERT_NE(fileId, 0u);
    for (const auto& [kind, name] : std::map<ObjectKind, const char*>{{KindSun, "Sun"},
                                                                      {KindEarth, "Earth"},
                                                                      {KindMars, "Mars"},
                                                                      {KindJupiter, "Jupiter"},
                                                                      {KindSaturn, "Saturn"}}) {
      auto record = NewRecord(kind);
      SetObjectName(*record, name);
      ids[name] = AddObject(record, fileId);
      ASSERT_NE(ids[name], 0u);
    }
  }
  void TearDown() override {
    DeleteAllTrails();
    SetDefaultSettings(32);
    Store() = ObjectStore();
    SetAlertPresenter(nullptr);
  }

  std::vector<int> alerts;
  std::map<std::string, ObjectId> ids;
};

TEST_F(DemoSettings, ReadWithoutMessagesAndWriteBackUnchanged) {
  int files = 0;
  for (const fs::directory_entry& e : fs::directory_iterator(DemoDir)) {
    if (e.path().extension() != ".qvs") continue;
    ++files;
    SCOPED_TRACE(e.path().filename().string());
    std::string shownDescription;
    ASSERT_TRUE(ReadSettingsFile(e.path().string(), [&](std::string& description) {
      shownDescription = description;
      return true;
    }));
    EXPECT_EQ(alerts, std::vector<int>{});
    EXPECT_GT(shownDescription.size(), 100u);
    EXPECT_EQ(FormatSettingsFile(shownDescription), ReadTextFile(e.path().string()));
    alerts.clear();
    DeleteAllTrails();
    SetDefaultSettings(32);
  }
  EXPECT_GE(files, 5);
}

TEST_F(DemoSettings, EachDemoShowsWhatItsDescriptionPromises) {
  const auto read = [](const char* name) {
    return ReadSettingsFile((DemoDir / name).string(), [](std::string&) { return true; });
  };
  ASSERT_TRUE(read("Galilean Moons.qvs"));
  EXPECT_EQ(Settings().CenteredObject, ids["Jupiter"]);
  EXPECT_LT(Settings().ChartFieldWidth, SettingsDegrees(0.5));  // Callisto is 10' out
  EXPECT_TRUE(Settings().ShowRenderedObjects);

  ASSERT_TRUE(read("Total Solar Eclipse 2024.qvs"));
  EXPECT_EQ(Settings().CenteredObject, ids["Sun"]);
  EXPECT_NEAR(Settings().JulianDate, 2460409.2566, 0.0005);  // 2024 Apr 8 18:09:30 UT
  EXPECT_TRUE(Settings().PlanetLightTime);  // the Sun's 20" of light time matter here

  ASSERT_TRUE(read("Saturn Rings.qvs"));
  EXPECT_EQ(Settings().CenteredObject, ids["Saturn"]);

  ASSERT_TRUE(read("Sky from Mars.qvs"));
  EXPECT_EQ(Settings().ViewerObject, ids["Mars"]);
  EXPECT_EQ(Settings().CenteredObject, ids["Earth"]);

  ASSERT_TRUE(read("Pleiades.qvs"));
  EXPECT_EQ(Settings().FaintestStarMagnitude, 1200);
  EXPECT_NEAR(Settings().ChartCenterLongitude, SettingsDegrees(56.75), 1e-9);

  ASSERT_TRUE(read("Mars Retrograde Loop.qvs"));
  const int slot = FindTrail(ids["Mars"]);
  ASSERT_NE(slot, 0);
  EXPECT_EQ(TrailCount(), 1);
  EXPECT_TRUE(alerts.empty());
}

}  // namespace
}  // namespace qv
