// Chart projections: forward and inverse agree over the sphere in every projection and
// coordinate system, the field fills the rectangle's width, mirrors and the horizon system turn
// the chart the right way, outlines of the sphere's image, disc radii and the on-chart tests.
#include "chart/projection.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/angles.h"
#include "astro/constants.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

constexpr int Projections[] = {ProjectionPlanar, ProjectionSpherical, ProjectionLambert,
                               ProjectionMercator, ProjectionMollweide};
constexpr int Systems[] = {CoordinatesEquatorial, CoordinatesEcliptic, CoordinatesGalactic,
                           CoordinatesHorizon};
using test::Deg;

// A stand-in for each system's matrix: any rotation will do, as long as they differ.
Matrix3 SystemMatrix(int system) {
  Matrix3 m;
  switch (system) {
    case CoordinatesEcliptic:
      BuildRotation(m, {{AxisX, -0.409092804}});
      break;
    case CoordinatesGalactic:
      BuildRotation(m, {{AxisZ, -4.926191813}, {AxisX, -1.0925761117}, {AxisZ, 0.5759586531}});
      break;
    case CoordinatesHorizon:
      BuildRotation(m, {{AxisZ, 2.1}, {AxisY, -0.7}});
      break;
    default:
      break;
  }
  return m;
}

Vector3 Scaled(const Vector3& unit) {
  return {unit.x * DirectionLength, unit.y * DirectionLength, unit.z * DirectionLength};
}

// Angle between two directions of any length; atan2 stays exact where acos loses its digits.
double Separation(const Vector3& a, const Vector3& b) {
  Vector3 cross;
  Cross(a, b, cross);
  return std::atan2(Length(cross), Dot(a, b));
}

// The store-frame direction (length R) of a point given in the chart system.
Vector3 SystemToStore(int system, double lon, double lat) {
  Vector3 v = SphericalToRectangular(lon, lat, 1);
  TransformTransposed(SystemMatrix(system), v);
  return Scaled(v);
}

ChartView View(int projection, int system, double fieldDeg, double lon = 0.6, double lat = 0.3) {
  ChartView view;
  view.projection = projection;
  view.system = system;
  view.centerLon = lon;
  view.centerLat = lat;
  view.fieldWidth = fieldDeg * Deg;
  return view;
}

ChartFrame Frame(const ChartView& view, int width = 800, int height = 600) {
  return MakeChartFrame(view, SystemMatrix(view.system), Vector3{0, 0, 1}, 0, 0, width, height);
}

// The widest field each projection serves in the program.
double WidestFieldDeg(int projection) {
  switch (projection) {
    case ProjectionPlanar:
      return 135;
    case ProjectionSpherical:
      return 180;
    case ProjectionLambert:
      return 270;
    default:
      return 360;
  }
}

TEST(ChartProjection, PixelToSkyToPixelComesBackWithinOnePixel) {
  // Every pixel of a coarse grid over the rectangle that has a sky direction must project back
  // onto itself; truncation to whole pixels may move it by one.
  for (int projection : Projections) {
    for (int system : Systems) {
      for (double field : {WidestFieldDeg(projection), 60.0, 0.5}) {
        SCOPED_TRACE(testing::Message()
                     << "projection " << projection << " system " << system << " field " << field);
        ChartView view = View(projection, system, field);
        view.rotation = 0.4;
        const ChartFrame f = Frame(view);
        int checked = 0;
        for (int y = 3; y < 600; y += 37) {
          for (int x = 1; x < 800; x += 41) {
            Vector3 v;
            if (!ChartToSky(f, x, y, v)) continue;
            EXPECT_NEAR(Length(v), 1.0, 1e-12);
            const ChartPoint p = ProjectToChart(f, Scaled(v));
            EXPECT_TRUE(p.front);
            EXPECT_LE(std::abs(p.x - x), 1) << x << "," << y;
            EXPECT_LE(std::abs(p.y - y), 1) << x << "," << y;
            ++checked;
          }
        }
        EXPECT_GT(checked, 100);
      }
    }
  }
}

TEST(ChartProjection, SkyToPixelToSkyOverTheSphere) {
  // A very wide rectangle makes a pixel tiny, so the inverse must return the direction itself.
  for (int projection : Projections) {
    for (int system : Systems) {
      SCOPED_TRACE(testing::Message() << "projection " << projection << " system " << system);
      const ChartView view = View(projection, system, WidestFieldDeg(projection));
      const ChartFrame f = Frame(view, 20000000, 20000000);
      int checked = 0;
      for (double lat = -85; lat <= 85; lat += 10) {
        for (double lon = 0; lon < 360; lon += 15) {
          const Vector3 v = SystemToStore(system, lon * Deg, lat * Deg);
          // Only the part of the sphere inside the projection's field.
          if (Separation(v, SystemToStore(system, view.centerLon, view.centerLat)) >
              view.fieldWidth / 2 * 0.98) {
            continue;
          }
          const ChartPoint p = ProjectToChart(f, v);
          Vector3 back;
          ASSERT_TRUE(ChartToSky(f, p.x, p.y, back)) << lon << " " << lat;
          EXPECT_LT(Separation(back, v), 1e-5) << lon << " " << lat;
          ++checked;
        }
      }
      EXPECT_GT(checked, 20);
    }
  }
}

TEST(ChartProjection, CentreProjectsToTheCentrePixel) {
  for (int projection : Projections) {
    for (int system : Systems) {
      for (double field : {WidestFieldDeg(projection), 1.0, 1.0 / 3600}) {
        const ChartView view = View(projection, system, field, 4.0, -1.1);
        const ChartFrame f =
            MakeChartFrame(view, SystemMatrix(system), {0, 0, 1}, 10, 20, 811, 621);
        const ChartPoint p =
            ProjectToChart(f, SystemToStore(system, view.centerLon, view.centerLat));
        EXPECT_EQ(p.x, 410) << projection << " " << system << " " << field;
        EXPECT_EQ(p.y, 320) << projection << " " << system << " " << field;
        EXPECT_TRUE(p.front);
        EXPECT_GT(p.depth, 1073741000);
      }
    }
  }
}

TEST(ChartProjection, HalfTheFieldLandsHalfTheWidthFromTheCentre) {
  // 45 degrees from the centre along +B in a 90-degree Planar field lands W pixels left; every
  // projection puts the field's half width at W pixels.
  for (int projection : Projections) {
    for (double field : {90.0, 10.0}) {
      const ChartView view = View(projection, CoordinatesEquatorial, field, 0, 0);
      const ChartFrame f = Frame(view);  // W = 400, cx = 400
      const ChartPoint left =
          ProjectToChart(f, SystemToStore(CoordinatesEquatorial, field / 2 * Deg, 0));
      EXPECT_NEAR(left.x, 0, 1) << projection << " " << field;
      EXPECT_EQ(left.y, 300);
      const ChartPoint up =
          ProjectToChart(f, SystemToStore(CoordinatesEquatorial, 0, field / 2 * Deg));
      if (projection == ProjectionMollweide) {
        // Mollweide's ordinate is (pi/2) sin(lat) in units of the abscissa's longitude.
        EXPECT_NEAR(300 - up.y, 400 / (field / 2 * Deg) * HalfPi * std::sin(field / 2 * Deg), 1);
      } else if (projection == ProjectionMercator) {
        EXPECT_NEAR(300 - up.y, 400 / (field / 2 * Deg) * std::tan(field / 2 * Deg), 1);
      } else {
        EXPECT_NEAR(up.y, 300 - 400, 1) << projection << " " << field;
      }
    }
  }
  const ChartFrame planar = Frame(View(ProjectionPlanar, CoordinatesEquatorial, 90, 0, 0));
  EXPECT_EQ(ProjectToChart(planar, SystemToStore(CoordinatesEquatorial, 45 * Deg, 0)).x, 0);
}

TEST(ChartProjection, MirrorsAndTheHorizonSystemTurnTheChart) {
  struct Case {
    int system;
    bool invertH, invertV;
    bool lonGrowsLeft, northUp;
  };
  const Case cases[] = {
      {CoordinatesEquatorial, false, false, true, true},
      {CoordinatesEquatorial, true, false, false, true},
      {CoordinatesEquatorial, false, true, true, false},
      {CoordinatesHorizon, false, false, false, true},  // azimuth grows to the right
      {CoordinatesHorizon, true, false, true, true},  // mirrored horizon: azimuth grows to the left
      {CoordinatesHorizon, true, true, true, false},
  };
  for (const Case& c : cases) {
    ChartView view = View(ProjectionLambert, c.system, 90, 1.0, 0.2);
    view.invertHorizontally = c.invertH;
    view.invertVertically = c.invertV;
    const ChartFrame f = Frame(view);
    const ChartPoint east = ProjectToChart(f, SystemToStore(c.system, 1.1, 0.2));
    const ChartPoint north = ProjectToChart(f, SystemToStore(c.system, 1.0, 0.3));
    EXPECT_EQ(east.x < f.cx, c.lonGrowsLeft) << c.system << c.invertH << c.invertV;
    EXPECT_EQ(north.y < f.cy, c.northUp) << c.system << c.invertH << c.invertV;
  }
}

TEST(ChartProjection, OutlinesOfTheSpheresImage) {
  // Mollweide, 360 degrees in 800 pixels: the ellipse's half axes are W = 400 and 200.
  const ChartFrame moll = Frame(View(ProjectionMollweide, CoordinatesEquatorial, 360));
  Vector3 v;
  EXPECT_TRUE(ChartToSky(moll, 1, 300, v));
  EXPECT_FALSE(ChartToSky(moll, -1, 300, v));  // just outside the long axis
  EXPECT_TRUE(ChartToSky(moll, 400, 101, v));
  EXPECT_FALSE(ChartToSky(moll, 400, 99, v));  // just outside the short axis
  // A point on the ellipse at 45 degrees of its parameter: inside by a pixel has a direction,
  // outside by a pixel has none.
  const double c = std::cos(0.785398), s = std::sin(0.785398);
  EXPECT_TRUE(ChartToSky(moll, 400 - int(398 * c), 300 - int(198 * s), v));
  EXPECT_FALSE(ChartToSky(moll, 400 - int(402 * c) - 1, 300 - int(202 * s) - 1, v));
  // Spherical, 180 degrees: the disc of radius W.
  const ChartFrame sph = Frame(View(ProjectionSpherical, CoordinatesEquatorial, 180));
  EXPECT_TRUE(ChartToSky(sph, 1, 300, v));
  EXPECT_FALSE(ChartToSky(sph, 0, 300, v));
  EXPECT_FALSE(ChartToSky(sph, 400 - 284, 300 - 284, v));  // corner of the rectangle side
  EXPECT_TRUE(ChartToSky(sph, 400 - 282, 300 - 282, v));
  // Planar, Lambert and Mercator cover every pixel.
  for (int projection : {ProjectionPlanar, ProjectionLambert, ProjectionMercator}) {
    const ChartFrame f = Frame(View(projection, CoordinatesEquatorial, 90));
    EXPECT_TRUE(ChartToSky(f, -5000, 9000, v));
  }
}

TEST(ChartProjection, WhatLiesBehindIsNotInFront) {
  struct Case {
    int projection;
    double angleFromCentreDeg;
    bool front;
  };
  const Case cases[] = {
      {ProjectionPlanar, 89, true},       {ProjectionPlanar, 90.1, false},
      {ProjectionSpherical, 90.05, true}, {ProjectionSpherical, 90.1, false},
      {ProjectionLambert, 170, true},     {ProjectionLambert, 172, false},
      {ProjectionMercator, 179, true},    {ProjectionMollweide, 180, true},
  };
  for (const Case& c : cases) {
    const ChartFrame f = Frame(View(c.projection, CoordinatesEquatorial, 90, 0, 0));
    const Vector3 v = SystemToStore(CoordinatesEquatorial, c.angleFromCentreDeg * Deg, 0);
    EXPECT_EQ(ProjectToChart(f, v).front, c.front) << c.projection << " " << c.angleFromCentreDeg;
  }
  const ChartFrame f = Frame(View(ProjectionMercator, CoordinatesEquatorial, 90));
  EXPECT_FALSE(ProjectToChart(f, {0, 0, 0}).front);
}

TEST(ChartProjection, ExtremeDirectionsSaturateInsteadOfOverflowing) {
  // Planar: a point exactly 90 degrees off has A = 0 and goes to the far side it points to.
  const ChartFrame planar = Frame(View(ProjectionPlanar, CoordinatesEquatorial, 90, 0, 0));
  const ChartPoint side = ProjectToChart(planar, {0, DirectionLength, 0});
  EXPECT_EQ(side.x, INT32_MIN);
  EXPECT_EQ(side.y, INT32_MAX);  // C = 0 is not positive
  // Mercator at the pole: the ordinate goes off the chart on the pole's side.
  const ChartFrame merc = Frame(View(ProjectionMercator, CoordinatesEquatorial, 90, 0, 0));
  EXPECT_EQ(ProjectToChart(merc, {0, 0, DirectionLength}).y, INT32_MIN);
  EXPECT_EQ(ProjectToChart(merc, {0, 0, -DirectionLength}).y, INT32_MAX);
  // A point a hair in front of the Planar observer lands billions of pixels out, saturated.
  const ChartPoint far = ProjectToChart(planar, {2, DirectionLength, 0});
  EXPECT_EQ(far.x, INT32_MIN);
}

TEST(ChartProjection, TinyFieldsKeepTheirScale) {
  // One arc second across a 3000-pixel chart: a point a quarter of the field from the centre
  // lands a quarter of the width away in every projection.
  for (int projection : Projections) {
    const ChartFrame f = MakeChartFrame(View(projection, CoordinatesEquatorial, 1.0 / 3600, 0, 0),
                                        Matrix3{}, {0, 0, 1}, 0, 0, 3000, 2000);
    const ChartPoint p =
        ProjectToChart(f, SystemToStore(CoordinatesEquatorial, 0.25 / 3600 * Deg, 0));
    EXPECT_NEAR(p.x, 1500 - 750, 2) << projection;
  }
}

TEST(ChartDisc, RadiusAtTheCentreEqualsTheProjectedAngularRadius) {
  for (int projection : Projections) {
    const ChartFrame f = Frame(View(projection, CoordinatesEquatorial, 60, 0, 0));
    for (double radiusDeg : {0.5, 5.0, 20.0}) {
      const DiscPlace d =
          ProjectDisc(f, SystemToStore(CoordinatesEquatorial, 0, 0), std::sin(radiusDeg * Deg));
      const ChartPoint edge =
          ProjectToChart(f, SystemToStore(CoordinatesEquatorial, radiusDeg * Deg, 0));
      EXPECT_TRUE(d.ok);
      EXPECT_NEAR(d.radius, f.cx - edge.x, 1) << projection << " " << radiusDeg;
    }
  }
}

TEST(ChartDisc, TooLargeOrWholeSphereDiscsGetNoRadius) {
  const ChartFrame tiny = Frame(View(ProjectionPlanar, CoordinatesEquatorial, 1.0 / 3600, 0, 0));
  // Half the field is 400 px: 21 arc seconds would be 16800 px, 20 are 16000.
  EXPECT_EQ(DiscRadius(tiny, std::sin(21.0 / 3600 * Deg)), 0);
  EXPECT_NEAR(DiscRadius(tiny, std::sin(20.0 / 3600 * Deg)), 16000, 1);
  const ChartFrame wide = Frame(View(ProjectionLambert, CoordinatesEquatorial, 180, 0, 0));
  EXPECT_EQ(DiscRadius(wide, 1.0), 0);
}

TEST(ChartDisc, OverlapsTheRectangleByItsRadius) {
  const ChartFrame f = Frame(View(ProjectionLambert, CoordinatesEquatorial, 90, 0, 0));
  // A disc centred just left of the rectangle still touches it when its radius reaches in.
  const double s = std::sin(3 * Deg);
  const int radius = DiscRadius(f, s);
  ASSERT_GT(radius, 10);
  Vector3 v;
  ASSERT_TRUE(ChartToSky(f, -radius + 2, 300, v));
  DiscPlace d;
  EXPECT_TRUE(IsDiscOnChart(f, Scaled(v), s, d));
  ASSERT_TRUE(ChartToSky(f, -radius - 3, 300, v));
  EXPECT_FALSE(IsDiscOnChart(f, Scaled(v), s, d));
}

TEST(ChartOnChart, RectangleEdgesAndTheHorizonMask) {
  ChartView view = View(ProjectionLambert, CoordinatesHorizon, 90, 1.0, 0.0);
  view.horizonMask = true;
  view.horizonAltitude = 0;
  const Matrix3 horizon = SystemMatrix(CoordinatesHorizon);
  const Vector3 zenith{horizon.m[2][0], horizon.m[2][1], horizon.m[2][2]};
  const ChartFrame f = MakeChartFrame(view, horizon, zenith, 0, 0, 800, 600);
  int32_t x, y;
  EXPECT_TRUE(IsOnChart(f, SystemToStore(CoordinatesHorizon, 1.0, 0.01), x, y));
  EXPECT_FALSE(IsOnChart(f, SystemToStore(CoordinatesHorizon, 1.0, -0.01), x, y));
  EXPECT_EQ(x, 400);  // the pixel is given even when the answer is no
  EXPECT_NEAR(HorizonHeight(f, SystemToStore(CoordinatesHorizon, 0.3, 30 * Deg)),
              DirectionLength / 2, 2);

  ChartFrame noMask = f;
  noMask.horizonMask = false;
  EXPECT_TRUE(IsOnChart(noMask, SystemToStore(CoordinatesHorizon, 1.0, -0.01), x, y));
  // The rectangle's edges are on the chart; a pixel beyond is not.
  Vector3 v;
  for (auto [px, py, on] : {std::tuple{0, 0, true}, std::tuple{800, 600, true},
                            std::tuple{-2, 300, false}, std::tuple{400, 602, false}}) {
    ASSERT_TRUE(ChartToSky(noMask, px, py, v));
    // Nudge towards the centre by a hair so truncation cannot push the pixel outward.
    const Vector3 centre = SystemToStore(CoordinatesHorizon, 1.0, 0.0);
    const Vector3 w{v.x * DirectionLength * (1 - 1e-9) + centre.x * 1e-9,
                    v.y * DirectionLength * (1 - 1e-9) + centre.y * 1e-9,
                    v.z * DirectionLength * (1 - 1e-9) + centre.z * 1e-9};
    EXPECT_EQ(IsOnChart(noMask, w, x, y), on) << px << "," << py << " -> " << x << "," << y;
  }
}

}  // namespace
}  // namespace qv
