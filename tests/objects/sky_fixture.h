// tests/objects/sky_fixture.h - a sky for the tests: the settings of a fixed site with every
// correction on, and a database file in memory holding the Sun, the planets, the Moon and the
// planetary moons with their primaries, radii and magnitude parameters.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>

#include "astro/constants.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "tests/objects/test_sky.h"
#include "tests/support/degree.h"

namespace qv::test {

constexpr double SiteLatitudeDeg = 47.5, SiteLongitudeDeg = 8.5, SiteAltitudeM = 500;

class SkyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::Observing() = ObservingSettings{};
    ObservingSettings& s = test::Observing();
    s.ViewerLatitude = SiteLatitudeDeg * Deg;
    s.ViewerLongitude = SiteLongitudeDeg * Deg;
    s.ViewerAltitude = SiteAltitudeM;
    s.TimeZone = 0;
    s.DaylightSavingsTime = false;
    s.DynamicTime = false;
    s.Precession = true;
    s.Nutation = true;
    s.Aberration = true;
    s.Refraction = false;
    s.PlanetLightTime = true;
    s.PlanetComputation = PlanetVFP;
    s.HorizonAltitude = 0;
    std::unique_ptr<DatabaseFile> file = NewDatabaseFile("Solar System.qvd");
    fileId = RegisterFile(file);
    ASSERT_NE(fileId, 0u);
    AddSolarSystem();
  }

  void TearDown() override {
    UnregisterFile(fileId);
    for (ObjectId extra : extraFiles) UnregisterFile(extra);
    test::Observing() = ObservingSettings{};
  }

  // Adds a body of the kind with its radius (km), magnitude parameters and primary.
  ObjectId AddBody(ObjectKind kind, ObjectId primary, double radiusKm, double h,
                   double second = HUGE_VAL) {
    std::unique_ptr<ObjectRecord> record = NewRecord(kind);
    OrbitRecord* orbit = OrbitOf(*record);
    orbit->primary = primary;
    orbit->radius = static_cast<float>(radiusKm * 6.684587153547039e-9);
    orbit->magnitudeParam1 = HundredthsFromValue(h);
    orbit->magnitudeParam2 = HundredthsFromValue(second);
    const ObjectId id = AddObject(record, fileId);
    EXPECT_NE(id, 0u);
    ids[kind] = id;
    return id;
  }

  ObjectRecord& Body(ObjectKind kind) { return *ObjectOfId(ids.at(kind)); }
  OrbitRecord& Orbit(ObjectKind kind) { return *OrbitOf(Body(kind)); }

  // A star or deep-sky object in a file of its own.
  ObjectRecord& AddSkyObject(ObjectKind kind, const Vector3& direction, double distanceAu,
                             int16_t magnitude) {
    if (starFile == 0) {
      std::unique_ptr<DatabaseFile> file = NewDatabaseFile("Stars.qvd");
      starFile = RegisterFile(file);
      extraFiles.push_back(starFile);
    }
    std::unique_ptr<ObjectRecord> record = NewRecord(kind);
    SkyObjectRecord* sky = SkyObjectOf(*record);
    sky->position = DirectionFromVector(direction);
    sky->distance = static_cast<float>(distanceAu);
    sky->radialVelocity = UnknownValue;
    sky->visualMagnitude = magnitude;
    const ObjectId id = AddObject(record, starFile);
    EXPECT_NE(id, 0u);
    return *ObjectOfId(id);
  }

  void SetTimeUt(double jd) {
    test::Observing().JulianDate = jd;
    test::UpdateSky();
  }

  ObjectId fileId = 0, starFile = 0;
  std::vector<ObjectId> extraFiles;
  std::map<int, ObjectId> ids;

 private:
  void AddSolarSystem() {
    const ObjectId sun = AddBody(KindSun, 0, 695700, -26.72);
    (void)sun;
    AddBody(KindMercury, 0, 2440.53, -0.42);
    AddBody(KindVenus, 0, 6051.8, -4.40);
    const ObjectId earth = AddBody(KindEarth, 0, 6378.137, -3.86);
    const ObjectId mars = AddBody(KindMars, 0, 3396.19, -1.52);
    const ObjectId jupiter = AddBody(KindJupiter, 0, 71492, -9.40);
    const ObjectId saturn = AddBody(KindSaturn, 0, 60268, -8.88);
    const ObjectId uranus = AddBody(KindUranus, 0, 25559, -7.19);
    const ObjectId neptune = AddBody(KindNeptune, 0, 24764, -6.87);
    const ObjectId pluto = AddBody(KindPluto, 0, 1188.3, -1.01);
    AddBody(KindMoon, earth, 1737.4, 0.21);
    AddBody(KindPhobos, mars, 11.08, 11.80);
    AddBody(KindIo, jupiter, 1821.49, -1.68);
    AddBody(KindCallisto, jupiter, 2410.3, -1.05);
    AddBody(KindTitan, saturn, 2574.76, -1.20);
    AddBody(KindTitania, uranus, 788.9, 1.02);
    AddBody(KindTriton, neptune, 1352.6, -1.24);
    AddBody(KindCharon, pluto, 606, 1.00);
  }
};

}  // namespace qv::test
