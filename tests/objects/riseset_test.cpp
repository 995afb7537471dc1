// Rising and setting of the Sun, the Moon and stars with the refinement, against PyEphem; the
// bound on evaluations and the chart left as it was; the local day and objects without events.
#include "astro/riseset.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "objects/apparent.h"
#include "objects/bodies.h"
#include "objects/sky.h"
#include "tests/astro/ref_table.h"
#include "tests/objects/sky_fixture.h"

namespace qv {
namespace {

using test::SkyTest;

class RiseSetTest : public SkyTest {
 protected:
  void SetUp() override {
    SkyTest::SetUp();
    test::Observing().TimeZone = 1.0 / 24;  // the site's zone: the local day runs from 23:00 UT
    test::Observing().StarMotion = false;
  }

  // The event on the local day of the chart time, refined; evaluations counted.
  RiseSet Event(ObjectRecord& object, int event, int* evaluations = nullptr) {
    test::UpdateSky();
    RecomputeObject(object);
    const Spherical place = PlaceOfDate(CurrentSky(), CurrentDirectionVector(object));
    RiseSet r = RiseSetTime(CurrentSky(), place.lon, place.lat, event);
    const int n = RefineRiseSetTime(object, CurrentSky(), event, r);
    if (evaluations) *evaluations = n;
    return r;
  }
};

// Reference: astro/ref/riseset_pyephem.tsv (24 days 2000-2030, the site at 47.5 N in zone +1),
// written by tools/make_astro_ref.py: PyEphem's next rising and setting after local midnight for
// the centre of the body with the horizon altitude of the row and no refraction, as the program
// computes them. Limit one minute; the refinement is what brings the Moon (13 degrees a day)
// within it, and a missing parallax, nutation or aberration costs the Moon minutes.
TEST_F(RiseSetTest, RefinedEventsMatchPyEphemWithinAMinute) {
  std::map<std::string, double> worst;
  for (const test::RefRow& row : test::LoadRefTable("riseset_pyephem.tsv")) {
    const std::string& name = row.Text("body");
    ObjectRecord* object;
    if (name == "Sun")
      object = &Body(KindSun);
    else if (name == "Moon")
      object = &Body(KindMoon);
    else
      object = &AddSkyObject(
          KindSingleStar,
          test::UnitFromDegrees(row.Number("star_ra_j2000_deg"), row.Number("star_dec_j2000_deg")),
          HUGE_VAL, 0);
    test::Observing().HorizonAltitude = row.Number("horizon_deg") * test::Deg;
    test::Observing().JulianDate = row.Number("local_midnight_jd_ut") + 0.4;
    const RiseSet r = Event(*object, row.Text("event") == "rise" ? RiseEvent : SetEvent);
    ASSERT_TRUE(r.happens) << name << " line " << row.line;
    const double minutes = (r.instant - row.Number("event_jd_ut")) * 1440;
    EXPECT_LE(std::fabs(minutes), 1.0) << name << " " << row.Text("event") << " line " << row.line;
    worst[name] = std::max(worst[name], std::fabs(minutes));
  }
  for (const auto& [name, error] : worst)
    std::printf("  rise/set %-9s largest error %5.2f min\n", name.c_str(), error);
}

TEST_F(RiseSetTest, RefinementIsBoundedAndLeavesTheChartAsItWas) {
  ObjectRecord& moon = Body(KindMoon);
  ObjectRecord& mars = Body(KindMars);
  test::Observing().JulianDate = 2455000.3;
  test::UpdateSky();
  ComputeApparentPlace(mars);
  const DirectionVector marsBefore = OrbitOf(mars)->current;
  const uint32_t generation = PlanetGeneration();
  for (int event : {RiseEvent, SetEvent}) {
    int evaluations = 0;
    const RiseSet r = Event(moon, event, &evaluations);
    EXPECT_GE(evaluations, 1);
    EXPECT_LE(evaluations, RiseSetMaxEvaluations);
    EXPECT_TRUE(r.happens);
    EXPECT_EQ(test::Observing().JulianDate, 2455000.3);
    EXPECT_EQ(PlanetGeneration(), generation);
    EXPECT_TRUE(IsCurrent(moon, generation));
    EXPECT_TRUE(IsCurrent(mars, generation));
    EXPECT_EQ(OrbitOf(mars)->current.x, marsBefore.x);
    // The instant lies on the current local day.
    const double midnight =
        std::floor(2455000.3 - 0.5 + CurrentSky().zone) + 0.5 - CurrentSky().zone;
    EXPECT_GE(r.instant, midnight);
    EXPECT_LT(r.instant, midnight + 1);
  }
  // Without "higher precision" nothing is refined.
  test::Observing().PreciseRiseSetTimes = false;
  test::UpdateSky();
  int evaluations = -1;
  Event(moon, RiseEvent, &evaluations);
  EXPECT_EQ(evaluations, 0);
}

TEST_F(RiseSetTest, CircumpolarAndNeverRisingStars) {
  test::Observing().JulianDate = 2455000.3;
  ObjectRecord& polaris =
      AddSkyObject(KindSingleStar, test::UnitFromDegrees(37.95, 89.26), HUGE_VAL, 200);
  ObjectRecord& southern =
      AddSkyObject(KindSingleStar, test::UnitFromDegrees(100, -60), HUGE_VAL, 200);
  const RiseSet up = Event(polaris, RiseEvent);
  EXPECT_FALSE(up.happens);
  EXPECT_EQ(up.timeOfDay, TwoPi);
  const RiseSet down = Event(southern, SetEvent);
  EXPECT_FALSE(down.happens);
  EXPECT_EQ(down.timeOfDay, 0);
  // At 60 N a star at +35 never sets and one at -35 never rises.
  test::Observing().ViewerLatitude = 60 * test::Deg;
  test::UpdateSky();
  EXPECT_EQ(RiseSetTime(CurrentSky(), 1.0, 35 * test::Deg, RiseEvent).timeOfDay, TwoPi);
  EXPECT_EQ(RiseSetTime(CurrentSky(), 1.0, -35 * test::Deg, RiseEvent).timeOfDay, 0);
}

// Reference: astro/ref/riseset_days_pyephem.tsv, written by tools/make_observing_ref.py: the
// events of each local day of runs of days at southern, northern and polar sites (1850-2150) where
// the Moon skips a rise or a set and the Sun stays up or down, found by PyEphem's altitude of the
// centre. Asked at any hour, each day gets its own events within a minute, "missed" for an event
// the day lacks, and the polar day and night as never setting and never rising.
TEST_F(RiseSetTest, EachDayHasItsOwnEventsOrNone) {
  int missed = 0, found = 0;
  for (const test::RefRow& row : test::LoadRefTable("riseset_days_pyephem.tsv")) {
    ObservingSettings& s = test::Observing();
    s.ViewerLatitude = row.Number("lat_deg") * test::Deg;
    s.ViewerLongitude = row.Number("lon_deg") * test::Deg;
    s.ViewerAltitude = 0;
    s.TimeZone = row.Number("zone_h") / 24;
    ObjectRecord& body = Body(row.Text("body") == "Sun" ? KindSun : KindMoon);
    const int event = row.Text("event") == "rise" ? RiseEvent : SetEvent;
    const std::string& want = row.Text("event_jd_ut");
    for (const double hour : {0.1, 11.5, 23.9}) {
      s.JulianDate = row.Number("local_midnight_jd_ut") + hour / 24;
      const RiseSet r = Event(body, event);
      const std::string where = row.Text("site") + " " + row.Text("body") + " line " +
                                std::to_string(row.line) + " at " + std::to_string(hour) + " h";
      if (want != "none") {
        ASSERT_TRUE(r.happens) << where;
        EXPECT_LE(std::fabs(r.instant - row.Number("event_jd_ut")) * 1440, 1.0) << where;
        ++found;
      } else if (r.missed) {
        ++missed;
      } else {
        // No event of either kind: up (never sets) or down (never rises) all day.
        EXPECT_FALSE(r.happens) << where;
        EXPECT_EQ(r.timeOfDay, row.Text("at_day_end") == "up" ? TwoPi : 0) << where;
      }
    }
  }
  EXPECT_GT(found, 300);
  EXPECT_GT(missed, 10);
}

}  // namespace
}  // namespace qv
