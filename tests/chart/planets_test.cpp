// The planet pass through whole chart drawings: dots against disks around the planet limit, the
// observer inside a body, nearer bodies over farther ones, symbols, surface maps read beside the
// program (and damaged ones) and kept between drawings, the Sun's glow, and real bodies at real
// dates: the Moon's lit side, Jupiter's central meridian and the mirror flags.
#include "chart/planets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "astro/angles.h"
#include "chart/drawing.h"
#include "chart/projection.h"
#include "chart/surface_maps.h"
#include "objects/apparent.h"
#include "objects/physical.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/image_files.h"
#include "tests/chart/test_options.h"
#include "tests/objects/sky_fixture.h"
#include "tests/support/degree.h"
#include "tests/support/scratch_folder.h"

namespace qv {
namespace {

using test::Deg;
constexpr int Width = 400, Height = 300, CX = Width / 2, CY = Height / 2;
constexpr double AuPerKm = 6.684587153547039e-9;

Color PixelAt(Image* image, int x, int y) {
  int r = 0, g = 0, b = 0;
  PixelValueToRGB(image, GetPixelValue(image, ImageRow(image, y), x), &r, &g, &b);
  return MakeColor(r, g, b);
}

int CountColor(Image* image, Color color) {
  int n = 0;
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) n += PixelAt(image, x, y) == color;
  return n;
}

// Pixels drawn inside the chart's frame (the drawing outlines its rectangle last).
int CountLit(Image* image) {
  int n = 0;
  for (int y = 1; y < Height - 1; ++y)
    for (int x = 1; x < Width - 1; ++x) n += PixelAt(image, x, y) != ColorBlack;
  return n;
}

// The pixel where the chart of the last drawing shows a direction.
void PixelOfDirection(double raDeg, double decDeg, int32_t& x, int32_t& y) {
  const Vector3 v = SphericalToRectangular(raDeg * Deg, decDeg * Deg, 1);
  IsOnChart(CurrentChartFrame(), ChartVector(DirectionFromVector(v)), x, y);
}

// Writes a surface map as a JPEG with the platform's writer, its texels from texel(column, row).
template <typename Texel>
void WriteMap(const std::string& path, int width, int height, Texel texel) {
  Image* map = NewImage(width, height, 32);
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column)
      SetPixelValue(map, ImageRow(map, row), column, texel(column, row));
  EXPECT_GT(WriteImageJPEG(map, path), 0);
  DisposeImage(map);
}

struct DrawnChart {
  Image* image = nullptr;
  ~DrawnChart() { DisposeImage(image); }
};

// A chart with nothing on it but the planets: equatorial (J2000, the frame of the records'
// directions), Lambert, 10 degrees wide, centred on right ascension 0, declination 0.
void ChartOfPlanetsOnly(ChartOptions& s) {
  test::Observing().Precession = false;
  test::Observing().Nutation = false;
  test::Observing().PrecessionEpoch = J2000;
  s.ChartProjection = ProjectionLambert;
  s.ChartCoordinateSystem = CoordinatesEquatorial;
  s.ChartCenterLongitude = 0;
  s.ChartCenterLatitude = 0;
  s.ChartFieldWidth = 10 * Deg;
  s.ShowHorizonMask = false;
  s.ShowHorizonLine = false;
  s.ShowChartLegend = false;
  s.ShowConstellations = false;
  s.ShowGridLines = false;
  s.ShowStars = false;
  s.ShowDeepSkyObjects = false;
  s.ShowPlanets = true;
  s.ShowPlanetSymbols = false;
  s.ShowPlanetGrids = false;
  s.ShowRenderedObjects = false;
  s.ShowObjectLabels = false;
}

// Bodies placed by hand: direction, distance, radius, magnitude and phase are set and stamped
// current, so the pass draws exactly them.
class PlanetPassTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitPlatform());
    test::Observing() = ObservingSettings{};
    test::Options() = ChartOptions{};
    ChartOfPlanetsOnly(test::Options());
    test::UpdateSky();
    auto file = NewDatabaseFile("Solar.qvd");
    fileId = RegisterFile(file);
    ASSERT_NE(fileId, 0u);
    SetAlertPresenter([this](int, int, int number, const std::string&) {
      alerts.push_back(number);
      return 1;
    });
  }
  void TearDown() override {
    UnregisterFile(fileId);
    SetAlertPresenter({});
    SetProgramPath("");
    test::Observing() = ObservingSettings{};
    test::Options() = ChartOptions{};
    test::UpdateSky();
  }

  ObjectId AddBody(ObjectKind kind, double raDeg, double decDeg, double distanceAu, double radiusAu,
                   double magnitude, double phase = 0, double brightLimbDeg = 270) {
    auto record = NewRecord(kind);
    OrbitRecord& orbit = *OrbitOf(*record);
    orbit.current = DirectionFromVector(SphericalToRectangular(raDeg * Deg, decDeg * Deg, 1));
    orbit.currentDistance = static_cast<float>(distanceAu);
    orbit.radius = static_cast<float>(radiusAu);
    orbit.currentMagnitude = HundredthsFromValue(magnitude);
    orbit.physical = {static_cast<float>(2 * std::asin(std::min(radiusAu / distanceAu, 1.0))),
                      static_cast<float>(phase), static_cast<float>(brightLimbDeg * Deg)};
    orbit.name = "Body " + std::to_string(kind);
    MarkCurrent(*record, PlanetGeneration());
    const ObjectId id = AddObject(record, fileId);
    EXPECT_NE(id, 0u);
    return id;
  }

  // The radius (AU) at which a body at distance 1 AU at the chart's centre is r pixels wide.
  static double RadiusForPixels(double r) {
    // Lambert: r = S tan(asin(s) / 2), S = W / tan(field / 4).
    const double scale = (Width / 2) / std::tan(test::Options().ChartFieldWidth / 4);
    return std::sin(2 * std::atan((r + 0.5) / scale));
  }

  void Draw(DrawnChart& chart) {
    chart.image = RenderChartImage(Rect{0, 0, Width, Height}, 32, nullptr, test::Options());
  }

  ObjectId fileId = 0;
  std::vector<int> alerts;
};

TEST_F(PlanetPassTest, TwoPixelBodyIsADotWithinThePlanetLimitAndADiskBeyondIt) {
  // Magnitude 5 (within the planet limit 8.5): the star dot of magnitude 5, one pixel. Magnitude
  // 9: a flat disk of radius 2 in the body's colour. Radius 3: a disk whatever the magnitude.
  constexpr Color MarsColor = MakeColor(255, 103, 23);
  struct Case {
    int pixels;
    double magnitude;
    bool disk;
  };
  for (const Case& c : {Case{2, 5.0, false}, Case{2, 9.0, true}, Case{3, 5.0, true}}) {
    SCOPED_TRACE(testing::Message() << c.pixels << " " << c.magnitude);
    const ObjectId id = AddBody(KindMars, 0, 0, 1, RadiusForPixels(c.pixels), c.magnitude);
    DrawnChart chart;
    Draw(chart);
    ASSERT_NE(chart.image, nullptr);
    EXPECT_EQ(PixelAt(chart.image, CX, CY), MarsColor);
    if (!c.disk) {
      EXPECT_EQ(CountLit(chart.image), 1);
      EXPECT_EQ(CountColor(chart.image, MarsColor), 1);
    } else {
      EXPECT_GE(CountColor(chart.image, MarsColor), 5);
      // The disk's fill reaches r - 1 from the centre, inside its outline.
      EXPECT_EQ(PixelAt(chart.image, CX + c.pixels - 1, CY), MarsColor);
      EXPECT_EQ(PixelAt(chart.image, CX + c.pixels + 1, CY), ColorBlack);
    }
    RemoveObject(id);
  }
}

TEST_F(PlanetPassTest, FaintPointsAreLeftOutAndUnknownDistancesArePoints) {
  AddBody(KindAsteroid, 0, 0, 1, 0, 9.0);  // radius 0, beyond the limit: not drawn
  AddBody(KindComet, 1, 0, std::numeric_limits<double>::infinity(), 1e-3,
          6.0);  // unknown distance: a point
  DrawnChart chart;
  Draw(chart);
  EXPECT_EQ(CountLit(chart.image), 1);
  EXPECT_NE(PixelAt(chart.image, CX - 40, CY), ColorBlack);  // one degree east: 40 pixels left
}

// The body the observer stands on, at the nadir of a whole-sky view or straight ahead, is neither
// a globe nor a star; a little farther off (in orbit) it is a disk again.
TEST_F(PlanetPassTest, TheBodyTheObserverStandsOnIsNotDrawn) {
  const struct {
    ObjectKind kind;
    double radii;  // distance from the observer in the body's radii
    bool drawn;
  } cases[] = {
      {KindEarth, 0.9966, false},  // at a pole: the equatorial radius is the larger
      {KindEarth, 1.0014, false},  // 9 km up
      {KindMars, 0, false},        // viewed from the body's centre
      {KindMars, 0.5, false},     {KindMars, 1.02, true},
  };
  constexpr double RadiusAu = 4.26e-5;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.kind << " " << c.radii);
    const ObjectId id = AddBody(c.kind, 0, 0, c.radii * RadiusAu, RadiusAu, -3);
    if (c.radii == 0) OrbitOf(*ObjectOfId(id))->currentMagnitude = MagnitudeAtObserver;
    test::Options().ShowObjectLabels = true;
    DrawnChart chart;
    Draw(chart);
    EXPECT_EQ(CountLit(chart.image) > 0, c.drawn);
    EXPECT_EQ(PlaceSolarSystemBody(test::Options(), *ObjectOfId(id)).visible, c.drawn);
    RemoveObject(id);
  }
}

TEST_F(PlanetPassTest, MagnificationTurnsMoonsIntoDisks) {
  // Io at 4.2 AU, 1821 km: a point at magnification 1 (0.6 pixels), a disk at 10 (6 pixels).
  test::Options().ChartFieldWidth = 0.002;
  AddBody(KindIo, 0, 0, 4.2, 1821.49 * AuPerKm, 5.0);
  struct Case {
    double magnification;
    int fewest, most;  // pixels of Io's colour
  };
  for (const Case& c : {Case{1, 1, 1}, Case{10, 40, 120}}) {
    test::Options().PlanetMagnification = c.magnification;
    DrawnChart chart;
    Draw(chart);
    const int lit = CountColor(chart.image, MakeColor(192, 192, 192));
    EXPECT_GE(lit, c.fewest) << c.magnification;
    EXPECT_LE(lit, c.most) << c.magnification;
  }
}

TEST_F(PlanetPassTest, NearerBodiesCoverFartherOnes) {
  // Added nearest first, drawn farthest first: Io over Jupiter, Jupiter over the Sun behind it.
  AddBody(KindIo, 0, 0, 4.0, 4 * RadiusForPixels(5), 5.0);
  AddBody(KindJupiter, 0, 0, 5.0, 5 * RadiusForPixels(20), -2.0);
  AddBody(KindSun, 0, 0, 6.0, 6 * RadiusForPixels(40), -26.0);
  DrawnChart chart;
  Draw(chart);
  EXPECT_EQ(PixelAt(chart.image, CX, CY), MakeColor(192, 192, 192));       // Io
  EXPECT_EQ(PixelAt(chart.image, CX + 10, CY), MakeColor(255, 255, 182));  // Jupiter
  EXPECT_EQ(PixelAt(chart.image, CX + 30, CY), MakeColor(255, 255, 0));    // the Sun
}

TEST_F(PlanetPassTest, SymbolsForKindsWithIconsAndASmallDiskForOthers) {
  test::Options().ShowPlanetSymbols = true;
  AddBody(KindMars, 0, 0, 1, 0, 1.0);
  AddBody(KindPhobos, 2, 1, 1, 0, 8.0);
  DrawnChart chart;
  Draw(chart);
  int mars = 0;
  for (int y = 0; y < Height; ++y) {
    for (int x = 0; x < Width; ++x) {
      if (PixelAt(chart.image, x, y) != MakeColor(255, 103, 23)) continue;
      ++mars;
      EXPECT_TRUE(x >= CX - 16 && x < CX + 16 && y >= CY - 16 && y < CY + 16) << x << "," << y;
    }
  }
  EXPECT_GT(mars, 40);
  int32_t x = 0, y = 0;
  PixelOfDirection(2, 1, x, y);
  EXPECT_EQ(CountColor(chart.image, MakeColor(192, 192, 192)), 4);  // the disk (x, y, x + 2, y + 2)
  EXPECT_EQ(PixelAt(chart.image, x + 1, y + 1), MakeColor(192, 192, 192));
}

TEST_F(PlanetPassTest, SurfaceMapsAreReadBesideTheProgram) {
  ScratchFolder folder;
  SetProgramPath(folder / "quorvane");
  ASSERT_TRUE(CreateFolder(folder / "Images"));
  WriteMap(folder / "Images/Mars.jpg", 64, 32,
           [](int, int) { return PixelValueFromRGB(30, 60, 200); });
  WriteTextFile(folder / "Images/Jupiter.jpg", "not a JPEG at all");

  test::Options().ShowRenderedObjects = true;
  AddBody(KindMars, 0, 0, 1, RadiusForPixels(20), -1.0);
  AddBody(KindJupiter, -2, 0, 1, RadiusForPixels(20), -2.0);
  DrawnChart chart;
  Draw(chart);
  const Color mars = PixelAt(chart.image, CX, CY);  // lit head-on: the map's own colour
  EXPECT_NEAR(RedOf(mars), 30, 3);
  EXPECT_NEAR(GreenOf(mars), 60, 3);
  EXPECT_NEAR(BlueOf(mars), 200, 3);
  int32_t x = 0, y = 0;
  PixelOfDirection(-2, 0, x, y);
  EXPECT_EQ(PixelAt(chart.image, x, y), MakeColor(192, 192, 192));  // damaged map: grey
  EXPECT_TRUE(alerts.empty());
}

TEST_F(PlanetPassTest, MapsAreDecodedOnceAndReadAgainWhenTheirFileChanges) {
  ScratchFolder folder;
  SetProgramPath(folder / "quorvane");
  ASSERT_TRUE(CreateFolder(folder / "Images"));
  const std::string path = folder / "Images/Mars.jpg";
  ReleaseSurfaceMaps();
  test::Options().ShowRenderedObjects = true;
  AddBody(KindMars, 0, 0, 1, RadiusForPixels(20), -1.0);
  // The same path written twice (same size, within the same second): each drawing shows the
  // map of its time, and the kept pixels are the one map's.
  for (const int blue : {200, 40}) {
    WriteMap(path, 64, 32, [blue](int, int) { return PixelValueFromRGB(30, 60, blue); });
    for (int drawing = 0; drawing < 2; ++drawing) {
      DrawnChart chart;
      Draw(chart);
      EXPECT_NEAR(BlueOf(PixelAt(chart.image, CX, CY)), blue, 3);
    }
    EXPECT_EQ(SurfaceMapBytesHeld(), 64u * 32 * 3);
  }
  EXPECT_EQ(DecodedSurfaceMap(path), DecodedSurfaceMap(path));  // kept, not decoded again
  ReleaseSurfaceMaps();
  EXPECT_EQ(SurfaceMapBytesHeld(), 0u);
}

TEST_F(PlanetPassTest, RenderedSunGlowsWithACoreAsWideAsItsDisk) {
  test::Options().ShowRenderedObjects = true;
  AddBody(KindSun, 0, 0, 1, RadiusForPixels(20), -26.7);
  DrawnChart chart;
  Draw(chart);
  const Color core = MakeColor(255, 255, 175);  // B-V 0.62
  EXPECT_EQ(PixelAt(chart.image, CX, CY), core);
  EXPECT_EQ(PixelAt(chart.image, CX + 19, CY), core);
  EXPECT_LT(BlueOf(PixelAt(chart.image, CX + 22, CY)), 175);
  EXPECT_GT(BlueOf(PixelAt(chart.image, CX + 22, CY)), 0);  // the glow goes on past the disk
}

TEST_F(PlanetPassTest, LabelsInThePlanetColourBesideTheDisk) {
  test::Options().ShowObjectLabels = true;
  test::Options().Colors[PlanetColor] = MakeColor(0, 255, 0);
  AddBody(KindMars, 0, 0, 1, RadiusForPixels(20), 1.0);
  AddBody(KindMars, 3, 0, 1, RadiusForPixels(20), 9.0);  // fainter than the label limit
  DrawnChart chart;
  Draw(chart);
  int left = Width, bottom = 0, labels = 0;
  for (int y = 0; y < Height; ++y) {
    for (int x = 0; x < Width; ++x) {
      if (PixelAt(chart.image, x, y) != MakeColor(0, 255, 0)) continue;
      ++labels;
      left = std::min(left, x);
      bottom = std::max(bottom, y);
    }
  }
  EXPECT_GT(labels, 20);
  // Corner (d + 3) right of and above the centre, d = 7 r / 10 = 14.
  EXPECT_NEAR(left, CX + 17, 2);
  EXPECT_LE(bottom, CY - 17);
  EXPECT_GE(left, CX + 10);  // none at the fainter body, 120 pixels left
}

// Real bodies at real dates, from the astronomy core's own sky.
class PlanetSkyTest : public test::SkyTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitPlatform());
    SkyTest::SetUp();
    ChartOfPlanetsOnly(test::Options() = ChartOptions{});  // no flag left by an earlier test
  }

  // Centres the chart on a body with a field that makes its disk about radiusPx wide.
  void CentreOn(ObjectKind kind, double radiusPx) {
    ObjectRecord& body = Body(kind);
    EnsureCurrent(body);
    const Spherical place = RectangularToSpherical(CurrentDirectionVector(body));
    ChartOptions& s = test::Options();
    s.ChartCenterLongitude = place.lon;
    s.ChartCenterLatitude = place.lat;
    const double angularRadius = Orbit(kind).radius / Orbit(kind).currentDistance;
    s.ChartFieldWidth = angularRadius * Width / radiusPx;
  }

  void TearDown() override {
    SetProgramPath("");
    test::Options() = ChartOptions{};
    SkyTest::TearDown();
  }

  Image* Draw() {
    return RenderChartImage(Rect{0, 0, Width, Height}, 32, nullptr, test::Options());
  }
};

TEST_F(PlanetSkyTest, MoonAtFirstQuarterIsLitOnItsWestSide) {
  // 2000 January 14, 13:34 UT: first quarter. The Sun is to the west, on the right of a chart
  // with north up; on a chart mirrored left-right it is on the left.
  SetTimeUt(2451558.065);
  for (bool mirrored : {false, true}) {
    test::Options().ChartInvertedHorizontally = mirrored;
    CentreOn(KindMoon, 100);
    Image* image = Draw();
    const int west = mirrored ? -1 : 1;
    EXPECT_NE(PixelAt(image, CX + west * 50, CY), MakeColor(0, 0, 0));
    EXPECT_EQ(PixelAt(image, CX + west * 50, CY), MakeColor(192, 192, 192));
    EXPECT_EQ(PixelAt(image, CX - west * 50, CY), MakeColor(96, 96, 96));
    DisposeImage(image);
  }
}

TEST_F(PlanetSkyTest, JupitersCentralMeridianFacesTheViewer) {
  // A map of Jupiter grey but for a red band on the meridian the physical ephemeris puts at the
  // disk's centre and a blue one 30 degrees on. System II longitudes grow toward the east limb
  // (features come in there as the planet turns), so the blue band shows half a radius east of
  // the centre: on the left of a chart with north up.
  SetTimeUt(2451545.0);
  ScratchFolder folder;
  SetProgramPath(folder / "quorvane");
  ASSERT_TRUE(CreateFolder(folder / "Images"));
  CentreOn(KindJupiter, 100);
  const int meridian = static_cast<int>(
      PhysicalEphemeris(CurrentSky(), KindJupiter, CachedPlace(Body(KindJupiter))).longitude / Deg);
  WriteMap(folder / "Images/Jupiter.jpg", 360, 180, [meridian](int column, int) {
    const int offset = (column - meridian + 360) % 360;
    if (offset <= 4 || offset >= 356) return PixelValueFromRGB(250, 20, 20);
    if (offset >= 26 && offset <= 34) return PixelValueFromRGB(20, 20, 250);
    return PixelValueFromRGB(90, 90, 90);
  });
  test::Options().ShowRenderedObjects = true;
  Image* image = Draw();
  const Color centre = PixelAt(image, CX, CY);
  EXPECT_GT(RedOf(centre), 150);
  EXPECT_LT(BlueOf(centre), 80);
  const Color east = PixelAt(image, CX - 50, CY), west = PixelAt(image, CX + 50, CY);
  EXPECT_GT(BlueOf(east), 150);
  EXPECT_LT(RedOf(east), 80);
  EXPECT_NEAR(RedOf(west), BlueOf(west), 12);  // grey: 30 degrees the other way
  DisposeImage(image);
}

TEST_F(PlanetSkyTest, MirrorFlagsMirrorTexturesAndGrids) {
  // Saturn with a coded map and its rings, rendered: mirrored left-right the chart's pixels are
  // the plain chart's reflected about the centre's column; with both flags, turned half round.
  SetTimeUt(2451545.0);
  ScratchFolder folder;
  SetProgramPath(folder / "quorvane");
  ASSERT_TRUE(CreateFolder(folder / "Images"));
  WriteMap(folder / "Images/Saturn.jpg", 256, 128,
           [](int column, int row) { return PixelValueFromRGB(column, 2 * row, 128); });
  ChartOptions& s = test::Options();
  s.ShowRenderedObjects = true;
  CentreOn(KindSaturn, 60);
  Image* plain = Draw();
  s.ChartInvertedHorizontally = true;
  Image* mirrored = Draw();
  s.ChartInvertedVertically = true;
  Image* turned = Draw();
  int compared = 0;
  for (int dy = -140; dy <= 140; dy += 7) {
    for (int dx = -140; dx <= 140; dx += 7) {
      const Color want = PixelAt(plain, CX + dx, CY + dy);
      if (want == ColorBlack) continue;
      ++compared;
      EXPECT_EQ(PixelAt(mirrored, CX - dx, CY + dy), want) << dx << "," << dy;
      EXPECT_EQ(PixelAt(turned, CX - dx, CY - dy), want) << dx << "," << dy;
    }
  }
  EXPECT_GT(compared, 100);
  DisposeImage(plain);
  DisposeImage(mirrored);
  DisposeImage(turned);
}

}  // namespace
}  // namespace qv
