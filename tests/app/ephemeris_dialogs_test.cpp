// The Save Ephemeris and Find Configuration dialogs driven through their items: the file they
// write and its rows, cancelling, bad dates, the conjunction found, Display, and the chart's time
// left alone.
#include "app/ephemeris_dialogs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "objects/records.h"
#include "objects/store.h"
#include "platform/boxes.h"
#include "platform/progress.h"
#include "settings/settings.h"
#include "shell_fixture.h"

namespace qv {
namespace {

constexpr int MessageBadDate = 525;

class EphemerisDialogsTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    CreateDatabase();
    for (const ObjectKind kind : {KindJupiter, KindSaturn}) {
      std::unique_ptr<ObjectRecord> body = NewRecord(kind);
      SetObjectName(*body, kind == KindJupiter ? "Jupiter" : "Saturn");
      bodies.push_back(AddObject(body, DefaultFile()));
    }
    ChartSettings& s = Settings();
    s.TimeZone = 0;
    s.DaylightSavingsTime = false;
    s.JulianDate = 2460000.5;
    previousHook = SetFileDialogHook([this](const FileDialogRequest&, std::string& path, int& i) {
      path = scratch / "table";  // the filter's ".eph" is added
      i = 1;
      return true;
    });
  }
  void TearDown() override {
    SetFileDialogHook(previousHook);
    SetProgressHook(nullptr);
    ShellTest::TearDown();
  }

  // ThenSelect: the Select Object dialog that opens next chooses the object named.
  void ThenSelect(const char* name) {
    Then([name](WindowRef d) {
      SetItemText(d, 5, name);
      Press(d, 1);  // Find
      Press(d, 1);  // Select
    });
  }

  // The rows of the table written: the lines after the column headers.
  std::vector<std::string> Rows() const {
    std::ifstream in(scratch / "table.eph");
    std::vector<std::string> rows;
    bool table = false;
    for (std::string line; std::getline(in, line);) {
      if (table) rows.push_back(line);
      if (line.find("Date:") != std::string::npos) table = true;
    }
    return rows;
  }

  std::vector<ObjectId> bodies;
  FileDialogHook previousHook;
};

// A bad date keeps the dialog open with its message; a step that does not divide the range ends
// at the last step before the end; start after end writes the headers only; Cancel in the
// progress box keeps the rows so far. The chart's time stays.
TEST_F(EphemerisDialogsTest, SaveEphemerisWritesTheRowsOfTheRange) {
  const struct {
    const char *start, *end, *step;
    int cancelAfter;  // progress updates before Cancel, or -1
    size_t rows;
  } cases[] = {
      {"2021/01/01 00:00:00", "2021/01/02 00:00:00", "0.3", -1, 4},
      {"2021/01/02 00:00:00", "2021/01/01 00:00:00", "1", -1, 0},
      {"2021/01/01 00:00:00", "2021/01/31 00:00:00", "1", 3, 4},  // Cancel keeps the 4th row
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.step);
    int updates = 0;
    SetProgressHook(
        [&updates, &c](double) { return c.cancelAfter < 0 || ++updates <= c.cancelAfter; });
    bool enabledBefore = true, openAfterBadDate = false;
    Then([&](WindowRef d) {
      enabledBefore = IsItemEnabled(d, 1);
      Press(d, 5);
      SetItemText(d, 7, "2021/13/45");
      SetItemText(d, 9, c.end);
      SetItemText(d, 11, c.step);
      Press(d, 1);
      openAfterBadDate = IsItemEnabled(d, 1);
      SetItemText(d, 7, c.start);
      Press(d, 1);
    });
    ThenSelect("Jupiter");
    shown.clear();
    std::filesystem::remove(scratch / "table.eph");  // no question about replacing it
    ExportEphemeris();
    EXPECT_EQ(enabledBefore, &c != cases);  // no object until the first Select
    EXPECT_TRUE(Shown(MessageBadDate));
    EXPECT_TRUE(openAfterBadDate);
    const std::vector<std::string> rows = Rows();
    ASSERT_EQ(rows.size(), c.rows);
    if (!rows.empty()) {
      EXPECT_NE(rows.front().find("2021/01/01 00:00:00"), std::string::npos);
      EXPECT_NE(rows.back().find(c.cancelAfter < 0 ? "2021/01/01 21:36:00" : "2021/01/04 00:00:00"),
                std::string::npos);
    }
    EXPECT_EQ(Settings().JulianDate, 2460000.5);
  }
}

// The 2020 great conjunction: the status line gives its date and separation; Next goes on from
// it; the chart's time stays until Display centres Jupiter at the found date.
TEST_F(EphemerisDialogsTest, FindConfigurationFindsTheGreatConjunctionAndDisplaysIt) {
  std::string status;
  bool searchBefore = true, displayEnabled = false;
  std::string nextLabel;
  JulianDate timeAfterSearch = 0;
  Then([&](WindowRef d) {
    Press(d, 11);
    Press(d, 13);
    searchBefore = IsItemEnabled(d, 1);
    SetItemText(d, 15, "2020/12/01 00:00:00");
    SetItemText(d, 17, "2021/01/10 00:00:00");
    SetItemText(d, 19, "1.0");
    Press(d, 1);
    status = GetItemText(d, 20);
    nextLabel = GetItemText(d, 21);
    displayEnabled = IsItemEnabled(d, 22);
    timeAfterSearch = Settings().JulianDate;
    Press(d, 22);
  });
  ThenSelect("Jupiter");
  ThenSelect("Saturn");
  EXPECT_EQ(RunFindConfigurationDialog(), 1);
  EXPECT_TRUE(searchBefore);
  EXPECT_EQ(status.substr(0, 17), "Date: 2020/12/21 ");
  EXPECT_NE(status.find("Distance: 0.1\u00b0"), std::string::npos) << status;
  EXPECT_EQ(nextLabel, "Next");
  EXPECT_TRUE(displayEnabled);
  EXPECT_EQ(timeAfterSearch, 2460000.5);
  EXPECT_NEAR(Settings().JulianDate, 2459205.27, 0.03);  // the default site: parallax moves it
  EXPECT_EQ(Settings().CenteredObject, bodies[0]);
}

// A bad start date shows its message and searches nothing; a range without an extremum leaves
// the status line empty and Display disabled.
TEST_F(EphemerisDialogsTest, FindConfigurationWithoutAResult) {
  std::vector<std::string> statuses;
  std::vector<bool> display;
  Then([&](WindowRef d) {
    Press(d, 11);
    Press(d, 13);
    SetItemText(d, 15, "yesterday");
    Press(d, 1);
    statuses.push_back(GetItemText(d, 20));
    SetItemText(d, 15, "2020/11/01 00:00:00");
    SetItemText(d, 17, "2020/11/20 00:00:00");  // Jupiter and Saturn only draw closer
    Press(d, 1);
    statuses.push_back(GetItemText(d, 20));
    display.push_back(IsItemEnabled(d, 22));
    display.push_back(IsItemEnabled(d, 21));
    Press(d, 2);
  });
  ThenSelect("Jupiter");
  ThenSelect("Saturn");
  EXPECT_EQ(RunFindConfigurationDialog(), 0);
  EXPECT_TRUE(Shown(MessageBadDate));
  EXPECT_EQ(statuses, (std::vector<std::string>{"", ""}));
  EXPECT_EQ(display, (std::vector<bool>{false, false}));
  EXPECT_EQ(Settings().JulianDate, 2460000.5);
}

}  // namespace
}  // namespace qv
