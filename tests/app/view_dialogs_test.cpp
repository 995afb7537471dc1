// The Field and Center Coordinates dialogs, answered by a hook in place of a person.
#include "app/view_dialogs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/alert.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "settings/settings.h"

namespace qv {
namespace {

// An equatorial chart 60 degrees wide at J2000; alerts answered Yes and recorded.
class ViewDialogsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitPlatform());
    ChartSettings& s = Settings() = DefaultSettings(32);
    s.ChartCoordinateSystem = CoordinatesEquatorial;
    s.ChartFieldWidth = 60 * SettingsDegToRad;
    UpdateSkyContext();
    SetAlertPresenter([this](int, int, int number, const std::string&) {
      asked.push_back(number);
      return AnswerYes;
    });
  }
  void TearDown() override {
    SetModalDialogHook({});
    SetAlertPresenter({});
    Settings() = DefaultSettings(32);
    UpdateSkyContext();
  }
  std::vector<int> asked;
};

TEST_F(ViewDialogsTest, FieldDialogAppliesEveryField) {
  Settings().ChartProjection = ProjectionPlanar;
  SetModalDialogHook([](WindowRef dialog, int number) {
    EXPECT_EQ(number, 258);
    EXPECT_EQ(GetItemText(dialog, 4), "60 00 00");
    EXPECT_EQ(GetItemText(dialog, 10), "36.0");
    SetItemText(dialog, 4, "200 30 00");
    SetItemText(dialog, 6, "12.5");
    SetItemText(dialog, 8, "3");
    SetItemText(dialog, 10, "0");  // no sense: the rate stays
    SetItemValue(dialog, 12, 1);
    PressItem(dialog, 1);
  });
  EXPECT_EQ(RunFieldDialog(), 1);
  const ChartSettings& s = Settings();
  EXPECT_EQ(asked, std::vector<int>{522});
  EXPECT_EQ(s.ChartProjection, ProjectionLambert);
  EXPECT_NEAR(s.ChartFieldWidth, 200.5 * SettingsDegToRad, 1e-9);
  EXPECT_NEAR(s.ChartFieldRotation, 12.5 * SettingsDegToRad, 1e-9);
  EXPECT_DOUBLE_EQ(s.ChartZoomFactor, 3);
  EXPECT_DOUBLE_EQ(s.ChartScrollRate, 36);
  EXPECT_TRUE(s.ChartInvertedHorizontally);
  EXPECT_FALSE(s.ChartInvertedVertically);
}

TEST_F(ViewDialogsTest, CenterCoordinatesConvertsWhenTheSystemChanges) {
  Settings().ChartCenterLongitude = 90 * SettingsDegToRad;  // 6h on the equator
  Settings().ChartCenterLatitude = 0;
  Settings().CenteredObject = 99999;
  std::string eclipticLon, eclipticLat;
  SetModalDialogHook([&](WindowRef dialog, int number) {
    EXPECT_EQ(number, 257);
    EXPECT_EQ(GetItemValue(dialog, 4), 1);
    EXPECT_EQ(GetItemText(dialog, 9), "06 00 00.00");
    SendEvent(ControlEvent, dialog, 5, PartClick);  // Ecliptic
    EXPECT_EQ(GetItemValue(dialog, 5), 1);
    EXPECT_EQ(GetItemValue(dialog, 4), 0);
    eclipticLon = GetItemText(dialog, 9);
    eclipticLat = GetItemText(dialog, 11);
    EXPECT_EQ(GetItemText(dialog, 8), "Ecliptic Lon:");
    SetItemText(dialog, 9, "100.5");
    SetItemText(dialog, 11, "-5");
    PressItem(dialog, 1);
  });
  EXPECT_EQ(RunCenterCoordinatesDialog(), 1);
  // 6h on the equator lies at ecliptic longitude 90, latitude minus the obliquity.
  EXPECT_EQ(eclipticLon, "090.0000");
  EXPECT_EQ(eclipticLat.substr(0, 6), "-23.43");
  const ChartSettings& s = Settings();
  EXPECT_EQ(s.ChartCoordinateSystem, CoordinatesEcliptic);
  EXPECT_NEAR(s.ChartCenterLongitude, 100.5 * SettingsDegToRad, 1e-9);
  EXPECT_NEAR(s.ChartCenterLatitude, -5 * SettingsDegToRad, 1e-9);
  EXPECT_EQ(s.CenteredObject, 0u);
}

TEST_F(ViewDialogsTest, CancelledDialogsChangeNothing) {
  const ChartSettings before = Settings();
  SetModalDialogHook([](WindowRef dialog, int) {
    SetItemText(dialog, 4, "10 00 00");
    PressItem(dialog, 2);
  });
  EXPECT_EQ(RunFieldDialog(), 2);
  EXPECT_EQ(RunCenterCoordinatesDialog(), 2);
  EXPECT_EQ(Settings().ChartFieldWidth, before.ChartFieldWidth);
  EXPECT_EQ(Settings().ChartCenterLongitude, before.ChartCenterLongitude);
}

}  // namespace
}  // namespace qv
