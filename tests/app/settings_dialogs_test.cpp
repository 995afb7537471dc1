// The Symbols & Grids dialog and the description dialogs, driven through their items as a person
// would fill them in.
#include <gtest/gtest.h>

#include <string>

#include "app/description_dialog.h"
#include "app/symbols_dialog.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace qv {
namespace {

constexpr double Pi = 3.14159265358979323846;

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitPlatform();
    SetDefaultSettings(32);
  }
  void TearDown() override {
    SetModalDialogHook(nullptr);
    InitPlatform();
    SetDefaultSettings(32);
  }
};

TEST_F(SettingsDialogTest, SymbolsAndGridsShowsTheSettings) {
  Settings().FaintestGalaxyMagnitude = NoMagnitudeLimit;
  Settings().ShowPlanetSymbols = true;
  Settings().ShowEcliptic = true;
  Settings().PlanetMagnification = 1.5;
  int shownIn = 0;
  SetModalDialogHook([&](WindowRef dialog, int number) {
    shownIn = number;
    EXPECT_EQ(GetItemValue(dialog, 3), 1);   // Draw Stars
    EXPECT_EQ(GetItemValue(dialog, 5), 0);   // Show Large Symbols
    EXPECT_EQ(GetItemValue(dialog, 45), 1);  // Ecliptic
    EXPECT_EQ(GetItemValue(dialog, 44), 0);  // Equator
    EXPECT_EQ(GetItemValue(dialog, 18), 0);
    EXPECT_EQ(GetItemValue(dialog, 19), 1);
    EXPECT_EQ(GetItemText(dialog, 9), "0.5");
    EXPECT_EQ(GetItemText(dialog, 11), "5.5");
    EXPECT_EQ(GetItemText(dialog, 13), "3.5");
    EXPECT_EQ(GetItemText(dialog, 21), "1.5");
    EXPECT_EQ(GetItemText(dialog, 32), "6.5");
    EXPECT_EQ(GetItemText(dialog, 40), "");
    EXPECT_EQ(GetItemText(dialog, 42), "10.5");
    EXPECT_EQ(GetItemText(dialog, 50), "01 00");
    EXPECT_EQ(GetItemText(dialog, 52), "10 00");
    EXPECT_EQ(GetItemText(dialog, 54), "72");
    PressItem(dialog, 2);
  });
  EXPECT_FALSE(RunSymbolsGridsDialog());
  EXPECT_EQ(shownIn, 262);
}

TEST_F(SettingsDialogTest, SymbolsAndGridsOkReadsEveryItemBack) {
  SetModalDialogHook([](WindowRef dialog, int) {
    SetItemValue(dialog, 3, 0);
    SetItemValue(dialog, 46, 1);
    SetRadioGroup(dialog, 18, 19, 19);
    SetItemText(dialog, 11, "6.5");
    SetItemText(dialog, 13, " ");
    SetItemText(dialog, 40, "12");
    SetItemText(dialog, 21, "x");  // no number: unchanged
    SetItemText(dialog, 50, "02 30");
    SetItemText(dialog, 52, "0 0");
    SetItemText(dialog, 54, "0");  // no circle has no segments: unchanged
    PressItem(dialog, 1);
  });
  EXPECT_TRUE(RunSymbolsGridsDialog());
  const ChartSettings& s = Settings();
  EXPECT_FALSE(s.ShowStars);
  EXPECT_TRUE(s.ShowGalacticEquator);
  EXPECT_TRUE(s.ShowPlanetSymbols);
  EXPECT_EQ(s.FaintestStarMagnitude, 650);
  EXPECT_EQ(s.FaintestStarLabelMagnitude, NoMagnitudeLimit);
  EXPECT_EQ(s.FaintestGalaxyMagnitude, 1200);
  EXPECT_EQ(s.BrightestStarMagnitude, 50);
  EXPECT_EQ(s.PlanetMagnification, 1.0);
  EXPECT_NEAR(s.GridRAInterval, 2.5 * Pi / 12, 1e-9);
  EXPECT_NEAR(s.GridDecInterval, Pi / 180 / 60, 1e-12);
  EXPECT_EQ(s.GridSegmentsPerCircle, 72);
}

TEST_F(SettingsDialogTest, SymbolsAndGridsOkOnAnUnchangedDialogChangesNothing) {
  Settings().FaintestOpenClusterMagnitude = 655;
  Settings().PlanetMagnification = 2.25;
  Settings().GridSegmentsPerCircle = 36;
  const std::string before = FormatSettingsFile("");
  SetModalDialogHook([](WindowRef dialog, int) { PressItem(dialog, 1); });
  EXPECT_TRUE(RunSymbolsGridsDialog());
  EXPECT_EQ(FormatSettingsFile(""), before);
  EXPECT_EQ(Settings().GridSegmentsPerCircle, 36);
}

TEST_F(SettingsDialogTest, SymbolsAndGridsCancelChangesNothing) {
  const std::string before = FormatSettingsFile("");
  SetModalDialogHook([](WindowRef dialog, int) {
    SetItemValue(dialog, 3, 0);
    SetItemText(dialog, 11, "9");
    SetItemText(dialog, 54, "12");
    PressItem(dialog, 2);
  });
  EXPECT_FALSE(RunSymbolsGridsDialog());
  EXPECT_EQ(FormatSettingsFile(""), before);
  EXPECT_EQ(Settings().GridSegmentsPerCircle, 72);
}

TEST_F(SettingsDialogTest, DescriptionDialogsShowAndReplaceTheText) {
  struct Case {
    bool (*ask)(std::string&);
    int dialog, field, ok;
  };
  for (const Case c :
       {Case{AskDescriptionOnOpening, 268, 3, 1}, Case{AskDescriptionToSave, 269, 1, 3}}) {
    SCOPED_TRACE(c.dialog);
    std::string description = "Winter sky\r\nfrom the garden\r\n";
    SetModalDialogHook([&](WindowRef dialog, int number) {
      EXPECT_EQ(number, c.dialog);
      EXPECT_EQ(GetItemText(dialog, c.field), "Winter sky\nfrom the garden\n");
      SetItemText(dialog, c.field, "Summer sky\nby the lake");
      PressItem(dialog, c.ok);
    });
    EXPECT_TRUE(c.ask(description));
    EXPECT_EQ(description, "Summer sky\r\nby the lake");

    SetModalDialogHook([&](WindowRef dialog, int) {
      SetItemText(dialog, c.field, "not taken");
      PressItem(dialog, 2);
    });
    EXPECT_FALSE(c.ask(description));
    EXPECT_EQ(description, "Summer sky\r\nby the lake");
  }
}

TEST_F(SettingsDialogTest, LongDescriptionsComeBackWhole) {
  std::string description;
  for (int line = 0; line < 400; ++line)
    description += "line " + std::to_string(line) + " of the notes\r\n";
  ASSERT_GT(description.size(), 5000u);
  const std::string shown = description;
  SetModalDialogHook([](WindowRef dialog, int) { PressItem(dialog, 1); });
  EXPECT_TRUE(AskDescriptionOnOpening(description));
  EXPECT_EQ(description, shown);
}

}  // namespace
}  // namespace qv
