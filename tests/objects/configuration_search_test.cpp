// The closest and widest approach search: real events against PyEphem, the refinement's steps,
// extrema it must not find, stopping, and the current sky left alone.
#include "objects/configuration_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "objects/apparent.h"
#include "tests/astro/ref_table.h"
#include "tests/objects/sky_fixture.h"

namespace qv {
namespace {

using test::SkyTest;

constexpr double ConjunctionJd = 2459205.2685;  // Jupiter and Saturn closest, 2020 Dec 21.77 UT

class ConfigurationTest : public SkyTest {
 protected:
  ConfigurationSearch Search(int a, int b, bool minimum = true, bool angular = true) {
    return ConfigurationSearch{&Body(a), &Body(b), test::Observing(), minimum, angular};
  }
  static int KindOfName(const std::string& name) {
    return name == "Earth" ? KindEarth : test::BodyKindOfName(name);
  }
};

// Reference: astro/ref/approach_pyephem.tsv, written by tools/make_approach_ref.py: the instant
// and value of the least (or greatest) separation PyEphem finds in each range, between places
// seen from the site or the Earth's centre, or the geometric distance of the Earth and Mars.
// Searched with a 1-day step, as the dialog starts. Limits: the date within 0.01 day (measured at
// most 0.007; the search resolves 0.0001 day, and a missing correction such as light time moves a
// conjunction by hours); the angle within 1' and the distance within 2e-3 of itself, what the
// series reach in the apparent places' test (measured 30" for the Sun and Venus, 4e-4 AU for
// Mars); a chord taken for the arc misses the elongation by degrees.
TEST_F(ConfigurationTest, RealEventsMatchPyEphem) {
  for (const test::RefRow& row : test::LoadRefTable("approach_pyephem.tsv")) {
    SCOPED_TRACE(row.Text("event"));
    const bool angular = row.Text("kind") == "angular";
    test::Observing().ViewerObject = row.Text("viewer") == "centre" ? ids.at(KindEarth) : 0;
    const ConfigurationSearch search = Search(KindOfName(row.Text("a")), KindOfName(row.Text("b")),
                                              row.Text("sense") == "min", angular);
    ConfigurationFound found;
    ASSERT_EQ(FindConfiguration(search, row.Number("start_jd"), row.Number("end_jd"), 1.0, nullptr,
                                found),
              1);
    EXPECT_NEAR(found.date, row.Number("jd_ut"), 0.01);
    const double separation = angular ? found.separation * RadToDeg : found.separation;
    EXPECT_NEAR(separation, row.Number("separation"),
                angular ? 1 / 60.0 : 2e-3 * row.Number("separation"));
    std::printf("  %-32s date off by %7.4f d, separation by %.2g %s\n", row.Text("event").c_str(),
                found.date - row.Number("jd_ut"), separation - row.Number("separation"),
                angular ? "deg" : "AU");
  }
}

// A 1-day step is refined at 0.1, 0.01, 0.001 and 0.0001 day: 0.1 x 0.1 x 0.1 is a hair above
// 0.001, so one more pass runs. The samples progress sees show each step.
TEST_F(ConfigurationTest, RefinesAtATenthOfTheStepUntilBelowAThousandthOfADay) {
  std::vector<double> dates;
  const auto progress = [&dates](JulianDate date, double) {
    dates.push_back(date);
    return false;
  };
  ConfigurationFound found;
  ASSERT_EQ(FindConfiguration(Search(KindJupiter, KindSaturn), ConjunctionJd - 20,
                              ConjunctionJd + 20, 1.0, progress, found),
            1);
  std::set<long> steps;  // in units of 1e-5 day
  for (size_t i = 1; i < dates.size(); ++i)
    if (dates[i] > dates[i - 1]) steps.insert(std::lround((dates[i] - dates[i - 1]) * 1e5));
  EXPECT_EQ(steps, (std::set<long>{10, 100, 1000, 10000, 100000}));
  // The found date lies on the 0.0001-day grid of the last pass.
  const double offset = (found.date - (ConjunctionJd - 20)) * 1e4;
  EXPECT_NEAR(offset, std::round(offset), 1e-3);
}

// Near a close conjunction the separation changes by only 0.002" in 5 minutes: noise of that size
// would move the minimum by minutes. Second differences of samples 86 s apart stay at the level
// of the stored directions' resolution (2^-30, 0.0002"); an arc-cosine of the dot product gives
// 0.08".
TEST_F(ConfigurationTest, SeparationIsSmoothNearAConjunction) {
  const ConfigurationSearch search = Search(KindJupiter, KindSaturn);
  double sum = 0, before = 0, last = 0;
  constexpr int Samples = 41;
  for (int k = 0; k < Samples; ++k) {
    const double arcsec =
        ObjectSeparation(search, ConjunctionJd + (k - Samples / 2) * 0.001) * RadToDeg * 3600;
    if (k >= 2) sum += std::fabs(arcsec - 2 * last + before);
    before = last;
    last = arcsec;
  }
  EXPECT_LT(sum / (Samples - 2), 0.002);
}

// Three samples make an extremum: one within the first two steps has no sample before it, and
// a range whose separation only falls has none inside; both end past the range, nothing found.
TEST_F(ConfigurationTest, ExtremaAtTheEdgesAreNotFound) {
  const struct {
    double start, end;
    bool minimum;
  } cases[] = {
      {ConjunctionJd - 0.1, ConjunctionJd + 10, true},   // closest before the second sample
      {ConjunctionJd - 1.5, ConjunctionJd + 10, false},  // the separation has no maximum here
      {ConjunctionJd - 40, ConjunctionJd - 1, true},     // falling all the way
  };
  for (const auto& c : cases) {
    ConfigurationFound found;
    EXPECT_EQ(FindConfiguration(Search(KindJupiter, KindSaturn, c.minimum), c.start, c.end, 1.0,
                                nullptr, found),
              0);
    EXPECT_GT(found.date, c.end);
    EXPECT_LE(found.date, c.end + 1);
    EXPECT_GT(found.separation, 0);
  }
  ConfigurationFound found;  // moved back by a step and a half, the same event is found
  EXPECT_EQ(FindConfiguration(Search(KindJupiter, KindSaturn), ConjunctionJd - 1.6,
                              ConjunctionJd + 10, 1.0, nullptr, found),
            1);
  EXPECT_NEAR(found.date, ConjunctionJd, 0.01);
}

// progress stops the search at the sample it was given; the sky the chart shows, its counters and
// the bodies' cached places are what they were.
TEST_F(ConfigurationTest, StopsWhenAskedAndLeavesTheCurrentSkyAlone) {
  SetTimeUt(2460000.5);
  ObjectRecord& jupiter = Body(KindJupiter);
  RecomputeObject(jupiter);
  const double jde = CurrentSky().jde;
  const uint32_t planets = PlanetGeneration(), stars = StarGeneration();
  const ApparentPlace cached = CachedPlace(jupiter);
  int calls = 0;
  ConfigurationFound found;
  EXPECT_EQ(FindConfiguration(
                Search(KindJupiter, KindSaturn), ConjunctionJd - 20, ConjunctionJd + 20, 1.0,
                [&calls](JulianDate, double) { return ++calls == 5; }, found),
            0);
  EXPECT_EQ(calls, 5);
  EXPECT_DOUBLE_EQ(found.date, ConjunctionJd - 16);
  EXPECT_DOUBLE_EQ(found.separation,
                   ObjectSeparation(Search(KindJupiter, KindSaturn), ConjunctionJd - 16));
  EXPECT_EQ(test::Observing().JulianDate, 2460000.5);
  EXPECT_EQ(CurrentSky().jde, jde);
  EXPECT_EQ(PlanetGeneration(), planets);
  EXPECT_EQ(StarGeneration(), stars);
  EXPECT_EQ(CachedPlace(jupiter).direction.x, cached.direction.x);
  EXPECT_TRUE(IsCurrent(jupiter, planets));
}

// An object with itself is 0 apart, which never enters the history; a step that is no positive
// number, or a date that is none, searches nothing.
TEST_F(ConfigurationTest, DegenerateSearchesFindNothing) {
  ConfigurationFound found;
  EXPECT_EQ(FindConfiguration(Search(KindMars, KindMars), ConjunctionJd, ConjunctionJd + 30, 1.0,
                              nullptr, found),
            0);
  EXPECT_GT(found.date, ConjunctionJd + 30);
  for (const double step : {0.0, -1.0, double{NAN}, HUGE_VAL}) {
    EXPECT_EQ(FindConfiguration(Search(KindJupiter, KindSaturn), ConjunctionJd - 20,
                                ConjunctionJd + 20, step, nullptr, found),
              0);
    EXPECT_EQ(found.date, ConjunctionJd + 20);
  }
  EXPECT_EQ(
      FindConfiguration(Search(KindJupiter, KindSaturn), NAN, ConjunctionJd, 1.0, nullptr, found),
      0);
}

// A star at a known distance is placed in space from the viewer: the Sun's distance to it is the
// star's distance (1 pc) to within the Earth's orbit.
TEST_F(ConfigurationTest, PhysicalSeparationOfAStar) {
  constexpr double Parsec = 206264.806;
  ObjectRecord& star = AddSkyObject(KindSingleStar, Vector3{0, 0, 1}, Parsec, 100);
  ConfigurationSearch search = Search(KindSun, KindSun, true, false);
  search.b = &star;
  EXPECT_NEAR(ObjectSeparation(search, ConjunctionJd), Parsec, 1.1);
  ObjectRecord& far = AddSkyObject(KindSingleStar, Vector3{1, 0, 0}, HUGE_VAL, 100);
  search.b = &far;
  EXPECT_TRUE(std::isnan(ObjectSeparation(search, ConjunctionJd)));
}

}  // namespace
}  // namespace qv
