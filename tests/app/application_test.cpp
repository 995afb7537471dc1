// The program through its own events: start-up, menu commands by number with their effects and
// the enabling rules, the refresh of the time, opening documents by their content, quitting
// with every change saved, idle work and the help pages.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/open_document.h"
#include "app_fixture.h"
#include "astro/time.h"
#include "chart/trails.h"
#include "chart/view.h"
#include "objects/namesearch.h"
#include "objects/sky.h"
#include "platform/boxes.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/help_window.h"
#include "settings/settings_file.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

using test::Deg;

// ExpectClockReadBetween: a time set from the clock (as a Julian date read at zone 0) is no earlier
// than a reading taken before and no later than one taken after, however slow the machine; the
// slack only absorbs the rounding of Julian-date arithmetic.
void ExpectClockReadBetween(double reading, double before, double after) {
  constexpr double Rounding = 1e-8;  // days, about 1 ms: 20 ulps of a present-day Julian date
  EXPECT_GE(reading, before - Rounding);
  EXPECT_LE(reading, after + Rounding);
}

// ---- Start-up --------------------------------------------------------------------------------

TEST_F(ShellTest, StartUpMakesTheDatabaseDirectoryAfterAsking) {
  answers.push_back(AnswerYes);  // 528: create the database directory?
  Then([](WindowRef d) { Press(d, 1); });
  const double before = CurrentJulianDate();
  ASSERT_TRUE(StartApplication());
  const double after = CurrentJulianDate();
  EXPECT_TRUE(Shown(528));
  EXPECT_TRUE(FileExists(DatabasePath("Index.qvd")));
  EXPECT_TRUE(FileExists(DatabasePath("Custom.qvd")));
  EXPECT_EQ(opened, std::vector<int>{256});  // the About box, last
  EXPECT_NE(MenuByNumber(FileMenu), nullptr);
  EXPECT_NE(Shell().infoWindow, nullptr);
  EXPECT_FALSE(IsInfoWindowShown());
  EXPECT_TRUE(IsPlatformWindowVisible(Shell().chartWindow));
  // The time is now, the clock read as universal time at the zone of the settings.
  ExpectClockReadBetween(Settings().JulianDate + Settings().TimeZone, before, after);
}

TEST_F(ShellTest, TheAboutBoxAtStartAndExitIsTurnedOffInItselfAndOnAgainFromTheHelpMenu) {
  CreateDatabase();
  Then([](WindowRef d) { Click(d, 4), Press(d, 1); });  // "Don't show again"
  ASSERT_TRUE(StartApplication());
  EXPECT_EQ(opened, std::vector<int>{256});
  Shell() = ShellState();
  InitPlatform();
  opened.clear();
  ASSERT_TRUE(StartApplication());  // the next start
  EXPECT_TRUE(opened.empty());
  int ticked = -1;
  Then([&](WindowRef d) { ticked = GetItemValue(d, 4), Click(d, 4, 0), Press(d, 1); });
  DispatchMenuCommand(HelpMenu, 5);  // Help > About Quorvane...
  EXPECT_EQ(ticked, 1);
  EXPECT_EQ(QuitRequested(), 1);
  EXPECT_EQ(opened, (std::vector<int>{256, 256})) << "the box from the menu, then at exit";
}

TEST_F(ShellTest, FilesNamedOnTheCommandLineOpenAfterStartUp) {
  CreateDatabase();
  Settings().ChartFieldWidth = 5 * Deg;
  ASSERT_EQ(WriteSettingsFile(scratch / "tonight.qvs", ""), ResultOk);
  Settings() = DefaultSettings(32);
  SetStartupDocuments({scratch / "tonight.qvs", scratch / "missing.qvs"});
  Then([](WindowRef d) { Press(d, 1); });
  ASSERT_TRUE(StartApplication());
  EXPECT_NEAR(Settings().ChartFieldWidth, 5 * Deg, 1e-9);
  EXPECT_EQ(Settings().SettingsPath, scratch / "tonight.qvs");
  EXPECT_TRUE(Shown(257)) << "the missing one is reported";
}

TEST_F(ShellTest, StartUpEndsWhenThereIsNoDatabaseDirectory) {
  answers.push_back(AnswerCancel);
  EXPECT_FALSE(StartApplication());
  EXPECT_TRUE(Shown(528));
  EXPECT_FALSE(DirectoryExists(scratch / "Database"));
}

TEST_F(ShellTest, StartUpReadsTheDefaultSettingsBesideTheProgram) {
  CreateDatabase();
  Settings().ChartFieldWidth = 15 * Deg;
  Settings().ViewerSiteName = "Home";
  Settings().ViewerLongitude = 8.5 * Deg;
  ASSERT_EQ(SaveDefaultSettings(), ResultOk);
  Settings() = DefaultSettings(32);
  Then([](WindowRef d) { Press(d, 1); });
  ASSERT_TRUE(StartApplication());
  EXPECT_NEAR(Settings().ChartFieldWidth, 15 * Deg, 1e-9);
  EXPECT_EQ(Shell().here.siteName, "Home");
  EXPECT_NEAR(Shell().here.longitude, 8.5 * Deg, 1e-9);
}

// ---- Commands and menus ----------------------------------------------------------------------

TEST_F(AppTest, NowIsTheClockLessTheZoneAndTheSavingHour) {
  Settings().DaylightSavingsTime = false;
  Settings().TimeZone = 2 / 24.0;
  Settings().JulianDate = J2000;
  double before = CurrentJulianDate();
  Choose(ComputationMenu, 6);
  ExpectClockReadBetween(Settings().JulianDate + 2 / 24.0, before, CurrentJulianDate());
  EXPECT_NEAR(CurrentSky().jde, DynamicalTime(Settings().JulianDate, false),
              1e-9);  // the sky followed
  // With saving on, one hour more comes off while saving applies on that date.
  Settings().DaylightSavingsTime = true;
  before = CurrentJulianDate();
  Choose(ComputationMenu, 6);
  const double after = CurrentJulianDate();
  const double saving = DaylightSavingInEffect(after - 2 / 24.0, 2 / 24.0) ? 1 / 24.0 : 0;
  ExpectClockReadBetween(Settings().JulianDate + 2 / 24.0 + saving, before, after);
}

TEST_F(AppTest, ZoomAndFieldPresetsWithTheirCheckMarks) {
  Choose(ViewMenu, 20);  // 1° Field
  EXPECT_DOUBLE_EQ(Settings().ChartFieldWidth, 0.01745329252);
  EXPECT_TRUE(Checked(ViewMenu, 20));
  Choose(ViewMenu, 10);  // Zoom In, factor 2
  EXPECT_DOUBLE_EQ(Settings().ChartFieldWidth, 0.00872664626);
  EXPECT_TRUE(Checked(ViewMenu, 21));  // 1/2° Field
  EXPECT_FALSE(Checked(ViewMenu, 20));
  Choose(ViewMenu, 11);
  Choose(ViewMenu, 11);  // Zoom Out twice: 2°, no preset
  for (int item = 13; item <= 26; ++item) EXPECT_FALSE(Checked(ViewMenu, item)) << item;
}

TEST_F(AppTest, FieldTooWideForPlanarAsksAndCancelChangesNothing) {
  Choose(ViewMenu, 16);  // 90°
  Choose(ProjectionMenu, ProjectionPlanar);
  ASSERT_EQ(Settings().ChartProjection, ProjectionPlanar);
  answers.push_back(AnswerCancel);
  Choose(ViewMenu, 15);  // 180°
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].number, 522);
  EXPECT_NE(shown[0].message.find("Spherical"), std::string::npos);
  EXPECT_DOUBLE_EQ(Settings().ChartFieldWidth, 1.5707963268);
  EXPECT_EQ(Settings().ChartProjection, ProjectionPlanar);
  EXPECT_TRUE(Checked(ProjectionMenu, ProjectionPlanar));
  answers.push_back(AnswerOk);
  Choose(ViewMenu, 15);
  EXPECT_EQ(Settings().ChartProjection, ProjectionSpherical);
  // At 180° only Planar cannot serve the field.
  EXPECT_FALSE(Enabled(ProjectionMenu, ProjectionPlanar));
  for (int p = ProjectionSpherical; p <= ProjectionMollweide; ++p)
    EXPECT_TRUE(Enabled(ProjectionMenu, p)) << p;
  EXPECT_TRUE(Checked(ProjectionMenu, ProjectionSpherical));
}

TEST_F(AppTest, CoordinateSwitchesKeepTheCentre) {
  Settings().JulianDate = 2451545.25;
  Choose(ComputationMenu, 10);  // Recompute All at that time
  const ChartFrame& frame = CurrentChartFrame();
  const Vector3 centre = SkyAt(frame.cx, frame.cy);
  for (int system :
       {CoordinatesEquatorial, CoordinatesEcliptic, CoordinatesGalactic, CoordinatesHorizon}) {
    SCOPED_TRACE(system);
    Choose(CoordinatesMenu, system);
    EXPECT_EQ(Settings().ChartCoordinateSystem, system);
    EXPECT_TRUE(Checked(CoordinatesMenu, system));
    const ChartFrame& now = CurrentChartFrame();
    EXPECT_LT(Apart(SkyAt(now.cx, now.cy), centre), 1e-6);
  }
}

TEST_F(AppTest, MenuItemsFollowTheState) {
  EXPECT_FALSE(Enabled(FileMenu, 3));  // Close Info Window: the window is hidden
  EXPECT_FALSE(Enabled(FileMenu, 5));  // Save Settings: no settings file yet
  EXPECT_TRUE(Enabled(FileMenu, 6));
  // What has nothing to act on stays disabled; the rest follows the state.
  EXPECT_TRUE(Enabled(ExportMenu, 1));  // Ephemeris As...
  EXPECT_TRUE(Enabled(ExportMenu, 2));  // Chart As...
  EXPECT_TRUE(Enabled(FileMenu, 14));   // Print...
  EXPECT_FALSE(Enabled(EditMenu, 3));   // Cut: nothing on the chart to cut
  EXPECT_TRUE(Enabled(AnimationMenu, 3));
  EXPECT_TRUE(Enabled(TelescopeMenu, 2));     // Connect...
  EXPECT_FALSE(Enabled(TelescopeMenu, 3));    // Disconnect: not connected
  EXPECT_TRUE(Enabled(ComputationMenu, 11));  // Find Configuration...
  EXPECT_TRUE(Checked(AnimationMenu, AnimationOff));
  EXPECT_TRUE(Checked(AnimationMenu, 13));  // time step 1 day
  // Draw toggles check and uncheck their fields.
  const bool before = Settings().ShowGridLines;
  Choose(DrawMenu, 8);
  EXPECT_EQ(Settings().ShowGridLines, !before);
  EXPECT_EQ(Checked(DrawMenu, 8), !before);
  Choose(EditMenu, 12);
  EXPECT_TRUE(Settings().ConstellationEditing);
  EXPECT_TRUE(Checked(EditMenu, 12));
  Choose(SkyBackgroundMenu, SkyWhite);
  EXPECT_EQ(Settings().SkyBackground, SkyWhite);
  EXPECT_TRUE(Checked(SkyBackgroundMenu, SkyWhite));
  EXPECT_FALSE(Checked(SkyBackgroundMenu, SkyBlack));
}

TEST_F(AppTest, RedScreenRestoresTheExactColoursAndKeepsUseColor) {
  uint32_t before[SystemColorCount];
  GetSystemColorTable(before, 0);
  Settings().ShowColors = true;
  Choose(DrawMenu, 21);
  ASSERT_TRUE(Settings().RedScreen);
  EXPECT_TRUE(Settings().ShowColors);   // the chart is drawn without colours; the option stays
  EXPECT_FALSE(Enabled(DrawMenu, 20));  // Use Color
  EXPECT_FALSE(Enabled(DrawMenu, 19));  // Custom Colors
  EXPECT_FALSE(Enabled(SkyBackgroundMenu, SkyColor));
  uint32_t red[SystemColorCount], night[SystemColorCount];
  GetSystemColorTable(red, 0);
  GetNightColorTable(night);
  for (int i = 0; i < SystemColorCount; ++i) EXPECT_EQ(red[i], night[i]) << i;
  // Another program in front gets the desktop's colours, and the red ones come back after.
  ApplicationEventHandler(SuspendEvent, nullptr, 0, 0);
  uint32_t suspended[SystemColorCount];
  GetSystemColorTable(suspended, 0);
  for (int i = 0; i < SystemColorCount; ++i) EXPECT_EQ(suspended[i], before[i]) << i;
  ApplicationEventHandler(ResumeEvent, nullptr, 0, 0);
  GetSystemColorTable(red, 0);
  EXPECT_EQ(red[0], night[0]);
  Choose(DrawMenu, 21);
  EXPECT_FALSE(Settings().RedScreen);
  EXPECT_TRUE(Settings().ShowColors);
  uint32_t after[SystemColorCount];
  GetSystemColorTable(after, 0);
  for (int i = 0; i < SystemColorCount; ++i) EXPECT_EQ(after[i], before[i]) << i;
  EXPECT_TRUE(Enabled(DrawMenu, 20));
}

TEST_F(AppTest, JulianDateBoxAndLimitShifts) {
  Then([](WindowRef d) {
    SetItemText(d, 4, "2451545.5");
    Press(d, 1);
  });
  Choose(ComputationMenu, 5);
  EXPECT_DOUBLE_EQ(Settings().JulianDate, 2451545.5);
  // Each bad text is said so and shown again in the box, which Cancel then closes.
  for (const char* bad : {"not a date", "2451546.5x", "", "-1", "5373485"}) {
    SCOPED_TRACE(bad);
    shown.clear();
    Then([bad](WindowRef d) {
      SetItemText(d, 4, bad);
      Press(d, 1);
    });
    Then([bad](WindowRef d) {
      EXPECT_EQ(GetItemText(d, 4), bad);
      Press(d, 2);
    });
    Choose(ComputationMenu, 5);
    EXPECT_TRUE(Shown(561));
    EXPECT_TRUE(scripts.empty());
    EXPECT_DOUBLE_EQ(Settings().JulianDate, 2451545.5);
  }
  const int16_t faintest = Settings().FaintestStarMagnitude;
  Choose(DrawMenu, 14);
  EXPECT_EQ(Settings().FaintestStarMagnitude, faintest + 100);
  Choose(DrawMenu, 15);
  Choose(DrawMenu, 15);
  EXPECT_EQ(Settings().FaintestStarMagnitude, faintest - 100);
}

TEST_F(AppTest, SavingSettingsMakesTheFileCurrent) {
  FileDialogHook previous =
      SetFileDialogHook([this](const FileDialogRequest& request, std::string& path, int& index) {
        EXPECT_TRUE(request.save);
        path = scratch / "view";  // the filter's ".qvs" is added
        index = 1;
        return true;
      });
  Then([](WindowRef d) {
    SetItemText(d, 1, "My view");
    Press(d, 3);  // the description dialog's OK
  });
  Settings().ChartFieldWidth = 45 * Deg;
  Choose(FileMenu, 6);  // Save Settings As...
  SetFileDialogHook(previous);
  EXPECT_EQ(Settings().SettingsPath, scratch / "view.qvs");
  EXPECT_EQ(Settings().Description, "My view");
  ASSERT_TRUE(Enabled(FileMenu, 5));
  Settings().ChartFieldWidth = 15 * Deg;
  Choose(FileMenu, 5);  // Save Settings: the same file, no questions
  Settings().ChartFieldWidth = 5 * Deg;
  ASSERT_TRUE(ReadSettingsFile(scratch / "view.qvs", [](std::string&) { return true; }));
  EXPECT_NEAR(Settings().ChartFieldWidth, 15 * Deg, 1e-9);
  EXPECT_EQ(Settings().Description.rfind("My view", 0), 0u);
}

// ---- Opening documents -------------------------------------------------------------------------

TEST_F(AppTest, DocumentsAreToldApartByTheirContent) {
  // A settings file with any name.
  Settings().ChartFieldWidth = 5 * Deg;
  ASSERT_EQ(WriteSettingsFile(scratch / "view.dat", ""), ResultOk);
  Settings().ChartFieldWidth = 90 * Deg;
  EXPECT_EQ(OpenDocument(scratch / "view.dat"), ResultOk);
  EXPECT_NEAR(Settings().ChartFieldWidth, 5 * Deg, 1e-9);
  EXPECT_EQ(Settings().SettingsPath, scratch / "view.dat");
  // A database file: only through its index.
  EXPECT_NE(OpenDocument(DatabasePath("Custom.qvd")), ResultOk);
  EXPECT_TRUE(Shown(538));
  // Text: satellites by ".TLE", objects by ".txt"; anything else is refused.
  WriteTextFile(scratch / "stars.txt",
                "S01\t2000.0\t06 45 08.9\t-16 42 58\t\t\t-1.46\t\t\t\t\tSirius\r\n");
  EXPECT_EQ(OpenDocument(scratch / "stars.txt"), ResultOk);
  EXPECT_TRUE(FileExists(DatabasePath("stars.qvd")));
  WriteTextFile(scratch / "ISS.TLE",
                "ISS (ZARYA)\n"
                "1 25544U 98067A   08264.51782528 -.00002182  00000-0 -11606-4 0  2927\n"
                "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537\n");
  shown.clear();
  OpenDocument(scratch / "ISS.TLE");
  EXPECT_TRUE(Shown(523));  // read as elements: the test database holds no Earth
  WriteTextFile(scratch / "notes.md", "# nothing of ours\n");
  shown.clear();
  EXPECT_EQ(OpenDocument(scratch / "notes.md"), ResultReadError);
  EXPECT_TRUE(Shown(258));
  shown.clear();
  EXPECT_EQ(OpenDocument(scratch / "missing.qvs"), ResultOpenError);
  EXPECT_TRUE(Shown(257));
}

TEST_F(AppTest, OpeningAnIndexForgetsTheObjectsOfTheOldDatabase) {
  const ObjectId star = AddStar("Vega", {0, 0, 1}, 3);
  ShowObjectInfo(star);
  Settings().CenteredObject = star;
  ASSERT_NE(CreateTrail(star, TrailInSky, 10, 0, 0), 0);
  ASSERT_EQ(SaveIndex(DatabasePath("Index.qvd")), ResultOk);
  EXPECT_EQ(OpenDocument(DatabasePath("Index.qvd")), ResultOk);
  EXPECT_EQ(InfoObject(), 0u);
  EXPECT_EQ(Settings().CenteredObject, 0u);
  EXPECT_EQ(TrailCount(), 0);
  EXPECT_NE(FindFileByName("Custom.qvd"), nullptr);  // the changed file was saved on closing
}

// ---- Quitting ----------------------------------------------------------------------------------

TEST_F(AppTest, QuitSavesEveryChangedFileAndTheIndex) {
  const ObjectId star = AddStar("Deneb", {0, 1, 0}, 125);
  ASSERT_NE(star, 0u);
  ASSERT_TRUE(FileOfId(star)->modified);
  EXPECT_EQ(QuitRequested(), 1);
  EXPECT_EQ(opened, std::vector<int>{256});
  EXPECT_EQ(Store().files.size(), 0u);
  ASSERT_EQ(OpenDatabase(DatabasePath("Index.qvd")), ResultOk);
  ObjectId found = 0;
  EXPECT_EQ(FindObjectByName("Deneb", true, true, 0, found), ResultOk);
}

TEST_F(AppTest, QuitIsRefusedWhenAChangeCannotBeWritten) {
  const ObjectId star = AddStar("Deneb", {0, 1, 0}, 125);
  // The database's folder becomes a plain file: nothing can be written into it.
  ASSERT_EQ(std::rename(DatabasePath("").c_str(), (scratch / "moved").c_str()), 0);
  WriteTextFile(scratch / "Database", "in the way");
  EXPECT_EQ(QuitRequested(), 0);
  EXPECT_TRUE(Shown(529) || Shown(530) || Shown(259));
  EXPECT_NE(ObjectOfId(star), nullptr);  // still in memory, still changed
  EXPECT_TRUE(FileOfId(star)->modified);
  DeleteFileAt(scratch / "Database");
  ASSERT_EQ(std::rename((scratch / "moved").c_str(), DatabasePath("").c_str()), 0);
  EXPECT_EQ(QuitRequested(), 1);
}

// ---- Idle, keys and help
// -------------------------------------------------------------------------

TEST_F(AppTest, IdlePollsTheTelescopeOnlyWhenItsRateAsksForIt) {
  int polls = 0;
  Hooks().pollTelescope = [&] { return ++polls, true; };
  Settings().AnimationTimeStep = 1;
  const double start = Settings().JulianDate;
  Settings().TelescopeConnected = true;
  Settings().TelescopeUpdatesPerSec = 0;
  for (int k = 0; k < 3; ++k) ApplicationEventHandler(IdleEvent, nullptr, 0, 0);
  EXPECT_EQ(polls, 0);
  EXPECT_EQ(Settings().JulianDate, start);  // animation is off
  Settings().TelescopeUpdatesPerSec = 4;
  ApplicationEventHandler(IdleEvent, nullptr, 0, 0);
  ApplicationEventHandler(IdleEvent, nullptr, 0, 0);  // within 250 ms of the last poll
  EXPECT_EQ(polls, 1);
  Delay(260);
  ApplicationEventHandler(IdleEvent, nullptr, 0, 0);
  EXPECT_EQ(polls, 2);
  Settings().AnimationState = AnimationForward;
  ApplicationEventHandler(IdleEvent, nullptr, 0, 0);
  EXPECT_EQ(Settings().JulianDate, start + 1);
  Settings().AnimationState = AnimationOff;
  Settings().TelescopeConnected = false;
  ApplicationEventHandler(IdleEvent, nullptr, 0, 0);  // continuous idle is asked no more
}

TEST_F(AppTest, RedrawTimingReportsRedrawsAndRate) {
  Send(KeyDownEvent, 0, 't');
  for (int k = 0; k < 3; ++k) {
    InvalidateWindow(Chart(), nullptr);
    UpdateWindowNow(Chart());
  }
  Send(KeyDownEvent, 0, 't');
  ASSERT_TRUE(Shown(269));
  EXPECT_NE(shown.back().message.find("for 3 window redrawings"), std::string::npos)
      << shown.back().message;
}

TEST_F(AppTest, HelpOpensItsPagesBesideTheProgram) {
  std::vector<std::string> urls;
  BrowserHook previous = SetBrowserHook([&](const std::string& url) {
    urls.push_back(url);
    return true;
  });
  Choose(HelpMenu, 1);
  EXPECT_TRUE(Shown(257));  // no help beside the program yet
  ASSERT_TRUE(CreateFolder(scratch / "Help"));
  for (const char* page : {"index.html", "search.html", "keywords.html"})
    WriteTextFile(scratch / ("Help/" + std::string(page)), "<html></html>");
  Choose(HelpMenu, 1);
  Choose(HelpMenu, 2);
  Choose(HelpMenu, 3);
  SetBrowserHook(previous);
  ASSERT_EQ(urls.size(), 3u);
  EXPECT_EQ(urls[0], "file://" + scratch / "Help/index.html");
  EXPECT_EQ(urls[1], "file://" + scratch / "Help/search.html?q=");
  EXPECT_EQ(urls[2], "file://" + scratch / "Help/keywords.html");
  // No browser on the desktop: the page shows in the program's own window, and nobody blames it.
  shown.clear();
  SetBrowserHook([](const std::string&) { return false; });
  Choose(HelpMenu, 3);
  SetBrowserHook(previous);
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(HelpWindowPage(), "file://" + scratch / "Help/keywords.html");
}

}  // namespace
}  // namespace qv
