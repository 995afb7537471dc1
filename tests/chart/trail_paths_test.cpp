// Trails recorded from the sky and drawn on the chart: what each type stores, the newest points
// kept, Mars's 2024-2025 retrograde loop against PyEphem's stationary dates, ticks and dates tied
// to their points, a trail in chart coordinates after the coordinate system changed, and the cut
// at the horizon.
#include "chart/trail_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "astro/angles.h"
#include "astro/constants.h"
#include "astro/time.h"
#include "chart/drawing.h"
#include "chart/projection.h"
#include "chart/sky_link.h"
#include "chart/trails.h"
#include "objects/apparent.h"
#include "objects/store.h"
#include "platform/events.h"
#include "tests/astro/ref_table.h"
#include "tests/chart/canvas.h"
#include "tests/chart/test_options.h"
#include "tests/objects/sky_fixture.h"

namespace qv {
namespace {

constexpr double Deg = 0.017453292519943295;
constexpr double Nov1st2024 = 2460615.5, Mar31st2025 = 2460765.5;  // 0h UT

class TrailTest : public test::SkyTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitPlatform());
    SkyTest::SetUp();
    DeleteAllTrails();
    ChartOptions& s = test::Options() = ChartOptions{};
    s.ChartProjection = ProjectionLambert;
    s.ChartCoordinateSystem = CoordinatesEquatorial;
    s.ShowHorizonMask = false;
    s.ShowHorizonLine = false;
    s.ShowChartLegend = false;
    s.ShowConstellations = false;
    s.ShowPlanets = false;  // the trail pass runs for the stars
    s.ShowRenderedObjects = false;
    s.Colors[PlanetColor] = MakeColor(255, 255, 255);
  }
  void TearDown() override {
    DeleteAllTrails();
    test::Options() = ChartOptions{};
    SkyTest::TearDown();
  }

  static void View(double lonDeg, double latDeg, double fieldDeg) {
    ChartOptions& s = test::Options();
    s.ChartCenterLongitude = lonDeg * Deg;
    s.ChartCenterLatitude = latDeg * Deg;
    s.ChartFieldWidth = fieldDeg * Deg;
  }

  // Animate: a point recorded at each instant, then the sky moves on to the next (as animation
  // records the place the chart showed before its step); the sky ends at last + step.
  void Animate(double first, double last, double step) {
    for (double jd = first; jd <= last + 1e-9; jd += step) {
      SetTimeUt(jd);
      RecordTrailPoints(test::Options().ChartCoordinateSystem);
    }
    SetTimeUt(last + step);
  }

  static void Draw(Canvas& canvas) {
    DrawChart(Rect{0, 0, canvas.width(), canvas.height()}, test::Options());
  }

  // Lit: the pixels the drawing lit inside the frame it outlines.
  static PixelSet Lit(const Canvas& canvas) {
    PixelSet inside;
    for (const auto& [x, y] : canvas.Lit())
      if (x > 0 && y > 0 && x < canvas.width() - 1 && y < canvas.height() - 1)
        inside.insert({x, y});
    return inside;
  }

  // PointDirection: a stored unit vector (types 2 and 3 read in the store's frame) at length R.
  static Vector3 PointVector(const TrailPoint& p) {
    const double n = std::hypot(p.x, p.y, p.z);
    return {p.x * DirectionLength / n, p.y * DirectionLength / n, p.z * DirectionLength / n};
  }

  // LitNear: the pixel or one of its neighbours is lit (a line's last pixel may be left out).
  static bool LitNear(const PixelSet& lit, const ChartPoint& p) {
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        if (lit.count({p.x + dx, p.y + dy})) return true;
    return false;
  }

  static ChartPoint PixelOfRaDec(double raDeg, double decDeg) {
    Vector3 v = SphericalToRectangular(raDeg * Deg, decDeg * Deg, DirectionLength);
    TransformTransposed(ChartSystemMatrix(CoordinatesEquatorial), v);
    return ProjectToChart(CurrentChartFrame(), v);
  }
};

TEST_F(TrailTest, KeepsTheNewestPointsOfEachTypeAndGoesWithItsObject) {
  const ObjectId mars = ids.at(KindMars), io = ids.at(KindIo);
  const int inSky = CreateTrail(mars, TrailInSky, 3, 1, 0);
  const int inSpace = CreateTrail(io, TrailInSpace, 10, 1, 0);
  test::Options().ChartCoordinateSystem = CoordinatesEcliptic;
  const int inEcliptic = CreateTrail(ids.at(KindSaturn), TrailInCurrentCoordinates, 10, 1, 0);
  Animate(2460000.5, 2460004.5, 1);  // five steps
  const Trail& sky = *GetTrail(inSky);
  ASSERT_EQ(sky.Points.size(), 3u);
  for (int i = 0; i < 3; ++i) {  // newest first: the instants 4, 3 and 2 days in
    const double ut = 2460004.5 - i;
    EXPECT_NEAR(sky.Points[i].time + J2000, ut + DeltaT(ut) / 86400, 1e-3) << i;
    EXPECT_NEAR(std::hypot(sky.Points[i].x, sky.Points[i].y, sky.Points[i].z), 1, 1e-6);
  }
  // Io about Jupiter: 421,700 km; Saturn in the ecliptic system: within 2.5 degrees of it.
  for (const TrailPoint& p : GetTrail(inSpace)->Points)
    EXPECT_NEAR(std::hypot(p.x, p.y, p.z), 421700 * 6.684587153547039e-9, 2e-5);
  for (const TrailPoint& p : GetTrail(inEcliptic)->Points) EXPECT_LT(std::fabs(p.z), 0.044);
  // Mars removed: its trail goes at the next step, and at the next drawing for Io's.
  RemoveObject(mars);
  RecordTrailPoints(CoordinatesEcliptic);
  EXPECT_EQ(FindTrail(mars), 0);
  RemoveObject(io);
  Canvas canvas(100, 80);
  Draw(canvas);
  EXPECT_EQ(FindTrail(io), 0);
  EXPECT_EQ(TrailCount(), 1);
}

// Least squares parabola through (t, v) about t0; returns the time of its vertex.
double VertexTime(const std::vector<std::pair<double, double>>& points, double t0) {
  double s[5] = {}, r[3] = {};
  for (const auto& [t, v] : points) {
    const double x = t - t0;
    double p = 1;
    for (int k = 0; k < 5; ++k, p *= x) {
      s[k] += p;
      if (k < 3) r[k] += p * v;
    }
  }
  // Normal equations [s0 s1 s2; s1 s2 s3; s2 s3 s4] (c, b, a) = r, by Cramer's rule.
  const auto det = [](double a, double b, double c, double d, double e, double f, double g,
                      double h, double i) {
    return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
  };
  const double d = det(s[0], s[1], s[2], s[1], s[2], s[3], s[2], s[3], s[4]);
  const double b = det(s[0], r[0], s[2], s[1], r[1], s[3], s[2], r[2], s[4]) / d;
  const double a = det(s[0], s[1], r[0], s[1], s[2], r[1], s[2], s[3], r[2]) / d;
  return t0 - b / (2 * a);
}

// Reference: tests/chart/ref/mars_stations_pyephem.tsv, Mars's stations in right ascension
// (geocentric apparent, of the date), written by tools/make_trail_ref.py with PyEphem.
// A daily InSky trail from 2024 Nov 1 to 2025 Mar 31 turns where Mars stood still: a parabola
// through the stored right ascensions within 8 days of each extreme has its vertex within a day
// of the reference (the series is good to about 1', a few hours of the slow motion there; a
// point stored one step early or late misses by a day). The drawn loop's eastmost and westmost
// pixels lie within 2 pixels (0.05 degree) of the reference places.
TEST_F(TrailTest, MarsRetrogradeLoopTurnsOnTheStationaryDates) {
  const std::vector<test::RefRow> stations =
      test::LoadRefTable("mars_stations_pyephem.tsv", "chart");
  ASSERT_EQ(stations.size(), 2u);
  const int slot = CreateTrail(ids.at(KindMars), TrailInSky, 200, 0, 0);
  Animate(Nov1st2024, Mar31st2025, 1);
  const Trail& trail = *GetTrail(slot);
  ASSERT_EQ(trail.Points.size(), 151u);
  std::vector<std::pair<double, double>> raByDay;  // UT, degrees of the chart's equator
  for (const TrailPoint& p : trail.Points) {
    Vector3 v = {p.x, p.y, p.z};
    Transform(ChartSystemMatrix(CoordinatesEquatorial), v);
    const double jde = p.time + J2000;
    raByDay.push_back({jde - DeltaT(jde) / 86400, std::atan2(v.y, v.x) / Deg});
  }
  View(120, 24, 30);
  Canvas canvas(1200, 900);
  Draw(canvas);
  const PixelSet lit = Lit(canvas);
  ASSERT_FALSE(lit.empty());
  const int eastmost = lit.begin()->first, westmost = lit.rbegin()->first;
  for (const test::RefRow& station : stations) {
    SCOPED_TRACE(station.Text("station"));
    const bool retrograde = station.Text("station") == "retrograde";  // the greatest R.A.
    const auto extreme = retrograde
                             ? std::max_element(raByDay.begin(), raByDay.end(),
                                                [](auto a, auto b) { return a.second < b.second; })
                             : std::min_element(raByDay.begin(), raByDay.end(),
                                                [](auto a, auto b) { return a.second < b.second; });
    std::vector<std::pair<double, double>> near;
    for (const auto& point : raByDay)
      if (std::fabs(point.first - extreme->first) <= 8.5) near.push_back(point);
    EXPECT_NEAR(VertexTime(near, extreme->first), station.Number("jd_ut"), 1.0);
    const ChartPoint place =
        PixelOfRaDec(station.Number("ra_hours") * 15, station.Number("dec_degrees"));
    EXPECT_NEAR(retrograde ? eastmost : westmost, place.x, 2);  // east is left
  }
  // Every stored point lies on the drawn line.
  for (const TrailPoint& p : trail.Points) {
    const ChartPoint at = ProjectToChart(CurrentChartFrame(), PointVector(p));
    EXPECT_TRUE(LitNear(lit, at)) << at.x << "," << at.y;
  }
}

// A star on the equator with points laid eastward along it (to the left, on the centre row of
// an equatorial chart), as animation records them: each new point nearest the star. Ticks every
// point mark each point and not the star; ticks every 2 and dates every 3 points stay on the
// points they marked when one more is recorded.
TEST_F(TrailTest, TicksAndDatesStayOnTheirPoints) {
  const ObjectId star =
      AddSkyObject(KindSingleStar, SphericalToRectangular(100 * Deg, 0, 1), 1e6, 2500).id;
  View(117, 0, 50);
  struct Marks {
    bool tick, date;
    bool operator==(const Marks&) const = default;
  };
  // MarksOfPoints: what the drawing shows at each stored point, oldest first.
  const auto marksOfPoints = [this](const Trail& trail, int& starTicks) {
    Canvas canvas(800, 400);
    Draw(canvas);
    const PixelSet lit = Lit(canvas);
    const auto has = [&lit](int x, int y) { return lit.count({x, y}) > 0; };
    const ChartPoint at =
        ProjectToChart(CurrentChartFrame(), RecordDirection(*ObjectOfId(trail.Object)));
    starTicks = has(at.x, at.y - 2) + has(at.x, at.y + 2);
    std::vector<Marks> marks;
    for (auto p = trail.Points.rbegin(); p != trail.Points.rend(); ++p) {
      const ChartPoint px = ProjectToChart(CurrentChartFrame(), PointVector(*p));
      EXPECT_TRUE(LitNear(lit, px)) << px.x << "," << px.y;
      int text = 0;  // the date's place, right of and below the point
      for (int dx = 3; dx < 30; ++dx)
        for (int dy = 3; dy < 16; ++dy) text += has(px.x + dx, px.y + dy);
      marks.push_back({has(px.x, px.y - 2) && has(px.x, px.y + 2), text > 0});
    }
    return marks;
  };
  const auto record = [](Trail& trail, int k) {  // the point k * 5 degrees east of the star
    const Vector3 v = SphericalToRectangular((100 + 5 * k) * Deg, 0, 1);
    trail.Points.insert(trail.Points.begin(),
                        TrailPoint{float(v.x), float(v.y), float(v.z), float(8700.5 - k)});
  };
  int starTicks = 0;
  Trail& every = *GetTrail(CreateTrail(star, TrailInSky, 10, 1, 0));
  for (int k = 7; k >= 2; --k) record(every, k);
  EXPECT_EQ(marksOfPoints(every, starTicks), std::vector<Marks>(6, Marks{true, false}));
  EXPECT_EQ(starTicks, 0);

  Trail& some = *GetTrail(CreateTrail(star, TrailInSky, 10, 2, 3));
  for (int k = 7; k >= 2; --k) record(some, k);
  const std::vector<Marks> six = marksOfPoints(some, starTicks);
  // Six points, newest i = 0: ticks where i mod 2 = 0, dates where i mod 3 = 0 (oldest first).
  EXPECT_EQ(six, (std::vector<Marks>{{false, false},
                                     {true, false},
                                     {false, true},
                                     {true, false},
                                     {false, false},
                                     {true, true}}));
  record(some, 1);
  std::vector<Marks> seven = marksOfPoints(some, starTicks);
  EXPECT_EQ(seven.back(), (Marks{false, false}));  // the new point: 0 mod 2 != 7 mod 2
  seven.pop_back();
  EXPECT_EQ(seven, six);
  EXPECT_EQ(starTicks, 0);
}

// Saturn recorded in ecliptic coordinates, then drawn on an equatorial chart: each point stands
// where its ecliptic longitude and latitude read as right ascension and declination, near the
// celestial equator, not at Saturn's places in the sky.
TEST_F(TrailTest, CurrentCoordinatesTrailIsRedrawnInTheNewSystem) {
  const ObjectId saturn = ids.at(KindSaturn);
  test::Options().ChartCoordinateSystem = CoordinatesEcliptic;
  const int slot = CreateTrail(saturn, TrailInCurrentCoordinates, 10, 1, 0);
  std::vector<ChartPlace> ecliptic;
  for (int k = 0; k < 4; ++k) {
    SetTimeUt(Nov1st2024 + 30 * k);
    ecliptic.push_back(ApparentChartPosition(*ObjectOfId(saturn), CoordinatesEcliptic));
    RecordTrailPoints(CoordinatesEcliptic);
  }
  test::Options().ChartCoordinateSystem = CoordinatesEquatorial;
  View(ecliptic.front().lon / Deg, 0, 20);
  Canvas canvas(800, 600);
  Draw(canvas);
  const PixelSet lit = Lit(canvas);
  const Trail& trail = *GetTrail(slot);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const ChartPlace& was = ecliptic[3 - i];  // newest first
    const ChartPoint p = PixelOfRaDec(was.lon / Deg, was.lat / Deg);
    EXPECT_TRUE(LitNear(lit, {p.x, p.y - 2}) && LitNear(lit, {p.x, p.y + 2})) << p.x << "," << p.y;
    EXPECT_LT(std::fabs(trail.Points[i].z), 0.044);  // latitude within 2.5 degrees
  }
  // Saturn itself (Dec. about -13 degrees then) is far below that line.
  const ChartPoint saturnNow =
      ProjectToChart(CurrentChartFrame(), RecordDirection(*ObjectOfId(saturn)));
  EXPECT_GT(saturnNow.y - PixelOfRaDec(ecliptic.back().lon / Deg, 0).y, 200);
}

// The Sun's day in horizon coordinates, hour by hour, drawn with the horizon mask on a chart of
// the whole sky above the horizon: nothing of it below the horizon, and the line reaches the
// horizon where the Sun rose and set.
TEST_F(TrailTest, TrailIsCutAtTheHorizon) {
  ChartOptions& s = test::Options();
  s.ChartCoordinateSystem = CoordinatesHorizon;
  s.ShowHorizonMask = true;
  View(180, 90, 200);
  CreateTrail(ids.at(KindSun), TrailInCurrentCoordinates, 30, 0, 0);
  Animate(2460480.5, 2460481.5, 1.0 / 24);  // 2024 June 20
  Canvas canvas(800, 800);
  Draw(canvas);
  const PixelSet lit = Lit(canvas);
  ASSERT_GT(lit.size(), 100u);
  const Vector3 zenith = ChartZenith();
  double lowest = 1;
  for (const auto& [x, y] : lit) {
    Vector3 v;
    ASSERT_TRUE(ChartToSky(CurrentChartFrame(), x, y, v));
    lowest = std::min(lowest, Dot(v, zenith));
  }
  // Half a degree: the pixels at the horizon of a 200-degree field are 0.18 to 0.35 degree.
  EXPECT_GT(lowest, -0.5 * Deg);
  EXPECT_LT(lowest, 0.5 * Deg);
}

}  // namespace
}  // namespace qv
