// Object text lines: every record kind with its fields, formats, defaults and units, and lines
// that name objects the database does not hold.
#include "objects/textimport.h"

#include <cmath>

#include "astro/angles.h"
#include "objects/designations.h"
#include "objects/messages.h"
#include "tests/objects/database_fixture.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

using test::Deg;
constexpr double Arcsecond = Deg / 3600;

std::unique_ptr<ObjectRecord> Parse(const std::string& line) {
  std::unique_ptr<ObjectRecord> record;
  EXPECT_EQ(ParseObjectLine(line, record), ResultOk) << line;
  return record;
}

Spherical CatalogPlace(const ObjectRecord& r) {
  return RectangularToSpherical(VectorFromDirection(SkyObjectOf(r)->position));
}

class TextImportTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    CreateDatabase();
  }
  ObjectId AddEarth() {
    auto earth = NewRecord(KindEarth);
    SetObjectName(*earth, "Earth");
    OrbitOf(*earth)->mass = 3.0034896e-6f;
    return AddObject(earth, DefaultFile());
  }
};

TEST_F(TextImportTest, StarLineFillsEveryField) {
  auto r = Parse(
      "S1\t2000.0\t06 45 08.917\t-16 42 58.02\t-0.0379\t-1.223\t-1.46\t0.00\t-7.6\t2.64\t"
      "10\t$a CMa; HR 2491; Sirius");
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->kind, KindSingleStar);
  const SkyObjectRecord& s = *SkyObjectOf(*r);
  const Spherical p = CatalogPlace(*r);
  EXPECT_NEAR(p.lon, (6 + 45 / 60.0 + 8.917 / 3600) * 15 * Deg, 2e-9);
  EXPECT_NEAR(p.lat, -(16 + 42 / 60.0 + 58.02 / 3600) * Deg, 2e-9);
  EXPECT_EQ(s.visualMagnitude, -146);
  EXPECT_EQ(s.colorIndex, 0);
  EXPECT_FLOAT_EQ(s.radialVelocity, static_cast<float>(-7.6 * 0.0005775483300664642));
  EXPECT_FLOAT_EQ(s.distance, static_cast<float>(2.64 * 206264.8062));
  EXPECT_FLOAT_EQ(s.size, static_cast<float>(10 * Arcsecond));
  EXPECT_EQ(s.companionOffset, UnknownMagnitude);
  EXPECT_EQ(s.variabilityOffset, UnknownMagnitude);
  EXPECT_EQ(s.name, "$a CMa; HR 2491; Sirius");  // "Sirius" is no designation
  EXPECT_EQ(s.catalogNumbers.size(), 2u);
  // z = r sin(Dec), so dz/dt = cos(Dec) dDec/dt + sin(Dec) (dr/dt) / r: -16.7 units a day from
  // the proper motion and +2.5 from the radial velocity at 2.64 pc, kept per Julian century.
  const double decPerDay = -1.223 * Arcsecond / 365.25;
  const double radialPerDay = -7.6 * 0.0005775483300664642 / (2.64 * 206264.8062);
  EXPECT_NEAR(s.motion.z,
              (std::cos(p.lat) * decPerDay + std::sin(p.lat) * radialPerDay) * 1073741824.0 *
                  MotionDaysPerUnit,
              1.0);
  // Until the first computation the catalog values stand in for the current ones.
  EXPECT_EQ(s.current.x, s.position.x);
  EXPECT_EQ(s.currentMagnitude, s.visualMagnitude);
}

TEST_F(TextImportTest, StarTypesMagnitudesAndSizes) {
  struct Case {
    const char* line;
    int kind;
    int16_t v, faintestOffset, companionOffset;
    double sizeRadians;
  };
  const double arcminute = Deg / 60;
  const Case cases[] = {
      {"S2\t\t\t\t\t\t5.2,7.15", KindMultipleStar, 520, UnknownMagnitude, 195, 0},
      {"s3\t\t\t\t\t\t2.1-3.5", KindVariableStar, 210, 140, UnknownMagnitude, 0},
      {"S4\t\t\t\t\t\t-0.5 - 1.5 , 6\t\t\t\t3.2", KindMultipleVariableStar, -50, 200, 650,
       3.2 * Arcsecond},
      {"S4\t\t\t\t\t\tnone-3,4", KindMultipleVariableStar, UnknownMagnitude, UnknownMagnitude,
       UnknownMagnitude, 0},
      {"S15\t\t\t\t\t\t3.44\t\t\t\t178", KindGalaxy, 344, UnknownMagnitude, UnknownMagnitude,
       178 * arcminute},
      {"S0", KindSingleStar, UnknownMagnitude, UnknownMagnitude, UnknownMagnitude, 0},
      {"S16", KindSingleStar, UnknownMagnitude, UnknownMagnitude, UnknownMagnitude, 0},
      {"S8", KindSingleStar, UnknownMagnitude, UnknownMagnitude, UnknownMagnitude,
       0},  // 58 is no kind
      {"S", KindSingleStar, UnknownMagnitude, UnknownMagnitude, UnknownMagnitude, 0},
      {"S99999999", KindSingleStar, UnknownMagnitude, UnknownMagnitude, UnknownMagnitude, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    auto r = Parse(c.line);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->kind, c.kind);
    const SkyObjectRecord& s = *SkyObjectOf(*r);
    EXPECT_EQ(s.visualMagnitude, c.v);
    EXPECT_EQ(s.variabilityOffset, c.faintestOffset);
    EXPECT_EQ(s.companionOffset, c.companionOffset);
    EXPECT_NEAR(s.size, c.sizeRadians, 1e-9);
    EXPECT_TRUE(std::isinf(s.distance));
  }
}

TEST_F(TextImportTest, PositionsOfOtherEpochsArePrecessedToJ2000) {
  // Over the 50 years from 1950.0 general precession carries the equinox point eastward along
  // the equator: R.A. + 50 x 3.074 s and Dec. + 50 x 20.04" (annual rates of the 1950s).
  auto r = Parse("S1\t1950.0\t00 00 00\t+00 00 00");
  const Spherical p = CatalogPlace(*r);
  EXPECT_NEAR(p.lon, 50 * 3.074 * 15 * Arcsecond, 3 * Arcsecond);
  EXPECT_NEAR(p.lat, 50 * 20.04 * Arcsecond, 3 * Arcsecond);
  // A southern declination typed with a leading blank keeps its sign.
  EXPECT_NEAR(CatalogPlace(*Parse("S1\t2000\t0\t -00 30 00")).lat, -0.5 * Deg, 1e-8);
}

TEST_F(TextImportTest, OrbitLinesStoreElementsForJ2000) {
  auto asteroid = Parse(
      "P12\t2000.0\t2.5\t0.1\t10\t20\t30\t40\t2024/3/15.5\t5.5 0.15\t470\t0.0002\tCeres-like");
  ASSERT_NE(asteroid, nullptr);
  const OrbitRecord& o = *OrbitOf(*asteroid);
  EXPECT_EQ(asteroid->kind, KindAsteroid);
  EXPECT_FLOAT_EQ(o.q, 2.25f);  // |1 - e| a
  EXPECT_FLOAT_EQ(o.e, 0.1f);
  EXPECT_NEAR(o.i, 10 * Deg, 1e-6);
  EXPECT_NEAR(o.omega, 20 * Deg, 1e-6);
  EXPECT_NEAR(o.node, 30 * Deg, 1e-6);
  EXPECT_NEAR(o.meanAnomaly, 40 * Deg, 1e-6);
  EXPECT_DOUBLE_EQ(o.epoch, 60384.5);  // 2024 March 15.5 = JD 2460385.0
  EXPECT_NEAR(o.meanMotion, std::sqrt(0.00029591220828559115 / (2.5 * 2.5 * 2.5)), 1e-9);
  EXPECT_EQ(o.magnitudeParam1, 550);
  EXPECT_EQ(o.magnitudeParam2, 15);
  EXPECT_FLOAT_EQ(o.radius, static_cast<float>(470 * 6.684587153547039e-9));
  EXPECT_FLOAT_EQ(o.mass, static_cast<float>(0.0002 * 3.0034900554444265e-6));
  EXPECT_EQ(o.primary, 0u);
  EXPECT_EQ(DisplayName(*asteroid), "Ceres-like");

  auto comet = Parse("P\t\t-0.5\t1.0");  // defaults: a comet; a negative axis is -q
  EXPECT_EQ(comet->kind, KindComet);
  EXPECT_FLOAT_EQ(OrbitOf(*comet)->q, 0.5f);
  EXPECT_DOUBLE_EQ(OrbitOf(*comet)->epoch, 51544.5);  // 2000/1/1.5 is JD 2451545.0
  EXPECT_EQ(OrbitOf(*comet)->magnitudeParam1, UnknownMagnitude);
  auto hyperbola = Parse("P11\t2000\t3.0\t1.5");
  EXPECT_FLOAT_EQ(OrbitOf(*hyperbola)->q, 1.5f);  // (e - 1) a

  // The node of a polar orbit moves with the equinox: general precession in longitude, 50.29"
  // a year around 1975, so 2514" from 1950 to 2000 (the ecliptic's own motion adds terms of
  // order pi^2 here, below 0.1").
  auto old = Parse("P12\t1950.0\t2.5\t0.1\t90\t20\t30\t40");
  EXPECT_NEAR(OrbitOf(*old)->node, 30 * Deg + 50 * 50.29 * Arcsecond, 2 * Arcsecond);
}

TEST_F(TextImportTest, OrbitsAndLinesFindTheirObjectsByName) {
  const ObjectId earth = AddEarth();
  auto sirius = MakeStar("Sirius", 1.0, -0.3, -146);
  auto vega = MakeStar("Vega", 4.9, 0.67, 3);
  const ObjectId siriusId = AddObject(sirius, DefaultFile());
  const ObjectId vegaId = AddObject(vega, DefaultFile());

  auto moon = Parse("P15\t2000\t0.00257\t0.055\t5.1\t\t\t\t\t\t1737\t0.0123\tMoon\tEARTH");
  EXPECT_EQ(OrbitOf(*moon)->primary, earth);
  const double mu = 0.00029591220828559115 * (3.0034896e-6 + 0.0123 * 3.0034900554444265e-6);
  const double a = 0.00257;
  EXPECT_NEAR(OrbitOf(*moon)->meanMotion, std::sqrt(mu / (a * a * a)), 1e-6);

  auto line = Parse("C1\tsirius\tVEGA\tSummer line");
  ASSERT_EQ(line->kind, KindObjectLine);
  EXPECT_EQ(LineOf(*line)->ends[0], siriusId);
  EXPECT_EQ(LineOf(*line)->ends[1], vegaId);
  EXPECT_EQ(LineOf(*line)->positions[1].z, SkyObjectOf(*ObjectOfId(vegaId))->current.z);

  std::unique_ptr<ObjectRecord> none;
  EXPECT_EQ(ParseObjectLine("C1\tSirius\tPolaris", none), ResultFailed);
  EXPECT_EQ(none, nullptr);
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back().number, MessageNoSuchObject);
  EXPECT_NE(shown.back().message.find("\"Polaris\""), std::string::npos);
  EXPECT_EQ(ParseObjectLine("P11\t\t1\t0\t\t\t\t\t\t\t\t\tComet\tNemesis", none), ResultFailed);
  EXPECT_EQ(ParseObjectLine("C3\tSirius\tVega", none), ResultFailed);
}

TEST_F(TextImportTest, PositionLinesLocationsAndSkippedLines) {
  auto line = Parse("C2\t2000\t06 00 00\t+30 00 00\t18 00 00\t-45 30 00");
  ASSERT_EQ(line->kind, KindPositionLine);
  const Spherical a = RectangularToSpherical(VectorFromDirection(LineOf(*line)->positions[0]));
  const Spherical b = RectangularToSpherical(VectorFromDirection(LineOf(*line)->positions[1]));
  EXPECT_NEAR(a.lon, 90 * Deg, 1e-8);
  EXPECT_NEAR(a.lat, 30 * Deg, 1e-8);
  EXPECT_NEAR(b.lon, 270 * Deg, 1e-8);
  EXPECT_NEAR(b.lat, -45.5 * Deg, 1e-8);
  EXPECT_EQ(LineOf(*line)->ends[0], 0u);

  auto site = Parse("l\t-118 03 36\t34 13 30\t1740\t-8\tMount Wilson");
  ASSERT_EQ(site->kind, KindLocation);
  const SiteRecord& s = *SiteOf(*site);
  EXPECT_NEAR(s.longitude, -(118 + 3 / 60.0 + 36 / 3600.0) * Deg, 1e-6);
  EXPECT_NEAR(s.latitude, (34 + 13 / 60.0 + 30 / 3600.0) * Deg, 1e-6);
  EXPECT_FLOAT_EQ(s.altitude, 1740);
  EXPECT_FLOAT_EQ(s.timeZone, static_cast<float>(-8.0 / 24));
  EXPECT_EQ(s.name, "Mount Wilson");

  std::unique_ptr<ObjectRecord> none;
  for (const char* skipped : {"", "# comment", "X1\t2", "\tS1", "Tab"}) {
    EXPECT_EQ(ParseObjectLine(skipped, none), ResultNotFound) << skipped;
  }
}

}  // namespace
}  // namespace qv
