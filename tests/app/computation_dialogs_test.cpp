// The Location, Date & Time and Precision dialogs driven through their items: what they show,
// what OK stores, what Cancel and bad input leave alone, and the site list kept in the database.
#include "app/computation_dialogs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/shell.h"
#include "astro/constants.h"
#include "astro/time.h"
#include "objects/database.h"
#include "objects/store.h"
#include "settings/settings.h"
#include "shell_fixture.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

using test::Deg;

// ---- Date & Time -----------------------------------------------------------------------------

TEST_F(ShellTest, CalendarSwitchRewritesTheSameInstant) {
  ChartSettings& s = Settings();
  s.CalendarSystem = CalendarGregorian;
  s.TimeZone = 0;
  s.DaylightSavingsTime = false;
  s.JulianDate = 2299160.5;  // 1582 Oct 15 0h, the first day of the Gregorian calendar
  std::string gregorian, julian, back;
  Then([&](WindowRef d) {
    gregorian = GetItemText(d, 4);
    ClickRadio(d, 9, 10, 9);
    julian = GetItemText(d, 4);
    ClickRadio(d, 9, 10, 10);
    back = GetItemText(d, 4);
    ClickRadio(d, 9, 10, 9);
    Press(d, 1);
  });
  EXPECT_EQ(RunDateTimeDialog(), 1);
  EXPECT_EQ(gregorian, "1582/10/15 00:00:00");
  EXPECT_EQ(julian, "1582/10/05 00:00:00");
  EXPECT_EQ(back, gregorian);
  EXPECT_DOUBLE_EQ(s.JulianDate, 2299160.5);
  EXPECT_EQ(s.CalendarSystem, CalendarJulian);
}

TEST_F(ShellTest, LocalTimeBecomesUniversalWithZoneAndDaylightSaving) {
  ChartSettings& s = Settings();
  const struct {
    const char* local;
    double ut;  // 2000 Jul 1 16h and Jan 15 17h UT
  } cases[] = {{"2000/07/01 12:00:00", 2451727.0 + 4 / 24.0},
               {"2000/01/15 12:00:00", 2451559.0 + 5 / 24.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.local);
    Then([&](WindowRef d) {
      SetItemText(d, 4, c.local);
      SetItemText(d, 6, "-5.0");
      Click(d, 7, 1);
      ClickRadio(d, 12, 13, 13);
      Press(d, 1);
    });
    ASSERT_EQ(RunDateTimeDialog(), 1);
    EXPECT_NEAR(s.JulianDate, c.ut, 1e-8);
    EXPECT_DOUBLE_EQ(s.TimeZone, -5 / 24.0);
    EXPECT_TRUE(s.DaylightSavingsTime);
    EXPECT_TRUE(s.DynamicTime);
    // Opened again, the dialog shows the same local time.
    std::string shown;
    Then([&](WindowRef d) {
      shown = GetItemText(d, 4);
      Press(d, 2);
    });
    RunDateTimeDialog();
    EXPECT_EQ(shown, c.local);
  }
}

TEST_F(ShellTest, UnreadableDateKeepsTheDialogOpenAndCancelChangesNothing) {
  const ChartSettings before = Settings();
  bool stayedOpen = false;
  Then([&](WindowRef d) {
    SetItemText(d, 4, "2000/13/01");
    SetItemText(d, 6, "+3");
    Press(d, 1);
    stayedOpen = IsPlatformWindowVisible(d);
    Press(d, 2);
  });
  EXPECT_EQ(RunDateTimeDialog(), 0);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(Shown(525));
  EXPECT_EQ(Settings().JulianDate, before.JulianDate);
  EXPECT_EQ(Settings().TimeZone, before.TimeZone);
}

// ---- Precision -------------------------------------------------------------------------------

TEST_F(ShellTest, PrecisionShowsAndReadsBackInTheUnitsOfItsLabels) {
  ChartSettings& s = Settings();
  s.StarMotionThreshold = 36525;     // 100 years
  s.PrecessionEpoch = 2415020.3135;  // B1900 as a Julian-year date: 1900.0 minus 0.002 years
  s.HorizonAltitude = -0.5667 * Deg;
  s.PlanetComputation = PlanetVSOP87;
  s.Precession = true;
  std::string motion, epoch, horizon;
  int theory = 0, current = 0;
  Then([&](WindowRef d) {
    motion = GetItemText(d, 10);
    epoch = GetItemText(d, 23);
    horizon = GetItemText(d, 27);
    theory = GetCheckedRadio(d, 13, 15);
    current = GetItemValue(d, 22);
    Press(d, 1);  // OK on what was shown
  });
  ASSERT_EQ(RunPrecisionDialog(), 1);
  EXPECT_EQ(motion, "100.0");
  EXPECT_EQ(epoch, "1900.0");
  EXPECT_EQ(horizon, "-0.57");
  EXPECT_EQ(theory, 15);
  EXPECT_EQ(current, 1);
  EXPECT_DOUBLE_EQ(s.StarMotionThreshold, 36525);
  EXPECT_NEAR(s.HorizonAltitude, -0.57 * Deg, 1e-12);
  EXPECT_EQ(s.PlanetComputation, PlanetVSOP87);
  // Typing a threshold turns its correction on; typing an epoch chooses the fixed epoch.
  s.StarParallax = s.StarMotion = false;
  Then([&](WindowRef d) {
    SetItemText(d, 6, "500");
    SetItemText(d, 10, "2.5");
    SetItemText(d, 23, "1950.0");
    ClickRadio(d, 13, 15, 13);
    SetItemText(d, 27, "no number");
    Press(d, 1);
  });
  ASSERT_EQ(RunPrecisionDialog(), 1);
  EXPECT_TRUE(s.StarParallax);
  EXPECT_TRUE(s.StarMotion);
  EXPECT_DOUBLE_EQ(s.StarParallaxThreshold, 500);
  EXPECT_DOUBLE_EQ(s.StarMotionThreshold, 2.5 * 365.25);
  EXPECT_FALSE(s.Precession);
  EXPECT_DOUBLE_EQ(s.PrecessionEpoch, 2433282.5);  // 1950.0: 50 Julian years before J2000
  EXPECT_EQ(s.PlanetComputation, PlanetElements);
  EXPECT_NEAR(s.HorizonAltitude, -0.57 * Deg, 1e-12);  // no number: unchanged
}

// ---- Location --------------------------------------------------------------------------------

class LocationTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    CreateDatabase();
  }
  // A star in the custom file to view from.
  ObjectId AddStar(const char* name) {
    std::unique_ptr<ObjectRecord> star = MakeStar(name, 1.0, 0.5, 100);
    return AddObject(star, DefaultFile());
  }
  void TypeSite(WindowRef d, const char* name, const char* altitude) {
    SetItemText(d, 4, name);
    SetItemText(d, 6, "+008 32 00.0");
    SetItemText(d, 8, "+47 22 00.0");
    SetItemText(d, 10, altitude);
    SetItemText(d, 12, "+1.0");
  }
  static std::vector<std::string> Sites(WindowRef d) {
    std::vector<std::string> names;
    for (int k = 1; k <= CountComboItems(d, 13); ++k) names.push_back(GetComboItemText(d, 13, k));
    return names;
  }
};

TEST_F(LocationTest, ViewerOffsetIsShownInTheUnitOfItsSize) {
  ChartSettings& s = Settings();
  s.ViewerObject = AddStar("Tau Ceti");
  const struct {
    double au;
    const char* text;
    int unit;
  } cases[] = {{0.01, "1495979", 22}, {5.2, "5.20000", 23}, {20000, "0.097", 24}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    s.ViewerObjectOffset[0] = 0;
    s.ViewerObjectOffset[1] = c.au;  // R.A. 6h, Dec. 0
    s.ViewerObjectOffset[2] = 0;
    std::string distance, ra, dec, name;
    int unit = 0, from = 0;
    Then([&](WindowRef d) {
      distance = GetItemText(d, 21);
      ra = GetItemText(d, 26);
      dec = GetItemText(d, 28);
      name = GetItemText(d, 18);
      unit = GetCheckedRadio(d, 22, 24);
      from = GetItemValue(d, 17);
      Press(d, 1);  // OK gives back the same offset
    });
    ASSERT_EQ(RunLocationDialog(), 1);
    EXPECT_EQ(distance, c.text);
    EXPECT_EQ(unit, c.unit);
    EXPECT_EQ(ra, "06 00 00.00");
    EXPECT_EQ(dec, "+00 00 00.0");
    EXPECT_EQ(name, "Tau Ceti");
    EXPECT_EQ(from, 1);
    // OK reads back what was shown: 1 km, 1e-5 AU or 0.0005 pc.
    EXPECT_NEAR(s.ViewerObjectOffset[1], c.au, c.unit == 24 ? 0.0005 * 206264.8062 : 1e-5);
    EXPECT_NEAR(s.ViewerObjectOffset[0], 0, c.au * 1e-9);
  }
}

TEST_F(LocationTest, ViewingFromTheCentredObjectCentresThePreviousViewer) {
  ChartSettings& s = Settings();
  const ObjectId vega = AddStar("Vega"), deneb = AddStar("Deneb");
  s.ViewerObject = deneb;
  s.CenteredObject = vega;
  Then([&](WindowRef d) {
    Press(d, 19);
    Press(d, 1);
  });
  Then([](WindowRef d) {
    SetItemText(d, 5, "Vega");
    Press(d, 1);
    Press(d, 1);
  });
  ASSERT_EQ(RunLocationDialog(), 1);
  EXPECT_EQ(s.ViewerObject, vega);
  EXPECT_EQ(s.CenteredObject, deneb);
}

TEST_F(LocationTest, ViewFromEarthStoresTheTypedSite) {
  ChartSettings& s = Settings();
  s.ViewerObject = AddStar("Vega");
  Then([&](WindowRef d) {
    TypeSite(d, "Zurich", "408");
    EXPECT_EQ(GetItemValue(d, 3), 1);  // typing chose the Earth
    Press(d, 1);
  });
  ASSERT_EQ(RunLocationDialog(), 1);
  EXPECT_EQ(s.ViewerObject, 0u);
  EXPECT_EQ(s.ViewerSiteName, "Zurich");
  EXPECT_NEAR(s.ViewerLongitude, (8 + 32 / 60.0) * Deg, 1e-9);
  EXPECT_NEAR(s.ViewerLatitude, (47 + 22 / 60.0) * Deg, 1e-9);
  EXPECT_DOUBLE_EQ(s.ViewerAltitude, 408);
  EXPECT_DOUBLE_EQ(s.TimeZone, 1 / 24.0);
}

TEST_F(LocationTest, ViewFromObjectNeedsAnObject) {
  const ChartSettings before = Settings();
  bool stayedOpen = false;
  Then([&](WindowRef d) {
    SetItemText(d, 21, "1.5");  // typing an offset chooses View from Object
    Press(d, 1);
    stayedOpen = IsPlatformWindowVisible(d);
    Press(d, 2);
  });
  EXPECT_EQ(RunLocationDialog(), 0);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(Shown(513));
  EXPECT_EQ(Settings().ViewerObject, before.ViewerObject);
  EXPECT_EQ(Settings().ViewerSiteName, before.ViewerSiteName);
}

TEST_F(LocationTest, SelectedObjectBecomesTheViewerWithItsOffset) {
  const ObjectId vega = AddStar("Vega");
  Then([&](WindowRef d) {
    Press(d, 19);  // Select...: the next script answers the Select Object dialog
    EXPECT_EQ(GetItemText(d, 18), "Vega");
    EXPECT_EQ(GetItemValue(d, 17), 1);
    SetItemText(d, 21, "2.0");
    ClickRadio(d, 22, 24, 23);
    SetItemText(d, 26, "12 00 00");
    SetItemText(d, 28, "+30 00 00");
    Press(d, 1);
  });
  Then([](WindowRef d) {
    SetItemText(d, 5, "Vega");
    Press(d, 1);  // Find
    Press(d, 1);  // Select
  });
  ASSERT_EQ(RunLocationDialog(), 1);
  const ChartSettings& s = Settings();
  EXPECT_EQ(s.ViewerObject, vega);
  EXPECT_NEAR(s.ViewerObjectOffset[0], -2 * std::cos(30 * Deg), 1e-9);
  EXPECT_NEAR(s.ViewerObjectOffset[1], 0, 1e-9);
  EXPECT_NEAR(s.ViewerObjectOffset[2], 2 * std::sin(30 * Deg), 1e-9);
}

TEST_F(LocationTest, SitesAreKeptInTheDatabaseAndReplacedOnlyWhenAsked) {
  std::vector<std::string> afterAdd, afterCancel;
  Then([&](WindowRef d) {
    TypeSite(d, "Zurich", "408");
    Press(d, 14);
    afterAdd = Sites(d);
    answers.push_back(AnswerCancel);  // replace existing location? no
    TypeSite(d, "zurich", "999");
    Press(d, 14);
    afterCancel = Sites(d);
    Press(d, 2);
  });
  RunLocationDialog();
  EXPECT_EQ(afterAdd, std::vector<std::string>{"Zurich"});
  EXPECT_EQ(afterCancel, afterAdd);
  EXPECT_TRUE(Shown(520));
  // The site was written with the database: it is there after reopening.
  CloseDatabase();
  ASSERT_EQ(OpenDatabase(DatabasePath("Index.qvd")), ResultOk);
  const ObjectId site = FindLocationByName("Zurich");
  ASSERT_NE(site, 0u);
  EXPECT_FLOAT_EQ(SiteOf(*ObjectOfId(site))->altitude, 408);
  EXPECT_NEAR(SiteOf(*ObjectOfId(site))->timeZone, 1 / 24.0, 1e-7);
  // Replacing after OK, then choosing the site fills the fields, then deleting it.
  std::vector<std::string> afterReplace, afterDelete;
  std::string altitude;
  Then([&](WindowRef d) {
    answers.push_back(AnswerOk);
    TypeSite(d, "Zurich", "500");
    Press(d, 14);
    afterReplace = Sites(d);
    SetItemText(d, 10, "");
    Click(d, 13, 1);
    altitude = GetItemText(d, 10);
    Press(d, 15);
    afterDelete = Sites(d);
    Press(d, 2);
  });
  RunLocationDialog();
  EXPECT_EQ(afterReplace, std::vector<std::string>{"Zurich"});
  EXPECT_EQ(altitude, "500");
  EXPECT_TRUE(afterDelete.empty());
  CloseDatabase();
  ASSERT_EQ(OpenDatabase(DatabasePath("Index.qvd")), ResultOk);
  EXPECT_EQ(FindLocationByName("Zurich"), 0u);
}

TEST_F(LocationTest, UseAsHereSetsTheHomeSiteOnly) {
  const ChartSettings before = Settings();
  Then([&](WindowRef d) {
    TypeSite(d, "A site name longer than forty-seven characters in all", "1200");
    Press(d, 16);
    Press(d, 2);
  });
  RunLocationDialog();
  const HereLocation& here = Shell().here;
  EXPECT_EQ(here.siteName, "A site name longer than forty-seven characters ");
  EXPECT_NEAR(here.longitude, (8 + 32 / 60.0) * Deg, 1e-9);
  EXPECT_NEAR(here.latitude, (47 + 22 / 60.0) * Deg, 1e-9);
  EXPECT_DOUBLE_EQ(here.altitude, 1200);
  EXPECT_DOUBLE_EQ(here.timeZone, 1 / 24.0);
  EXPECT_EQ(Settings().ViewerSiteName, before.ViewerSiteName);  // Cancel: the viewer unchanged
}

TEST_F(LocationTest, ReadOnlyCustomFileRefusesNewSites) {
  DatabaseFile* custom = FileOfId(DefaultFile());
  ASSERT_NE(custom, nullptr);
  custom->readOnly = true;
  std::vector<std::string> sites;
  Then([&](WindowRef d) {
    TypeSite(d, "Zurich", "408");
    Press(d, 14);
    sites = Sites(d);
    Press(d, 2);
  });
  RunLocationDialog();
  EXPECT_TRUE(Shown(539));
  EXPECT_TRUE(sites.empty());
}

}  // namespace
}  // namespace qv
