// Earth satellites: the drag and secular-rate model at its limits, the rates from the elements,
// both models' positions against SGP4 an hour and a day after the epoch, in universal time, and
// the next pass over a site against PyEphem.
#include "astro/satellite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "astro/constants.h"
#include "astro/deltat.h"
#include "astro/frames.h"
#include "astro/satellite_pass.h"
#include "tests/astro/ref_table.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

using test::Deg;

// The TT at which the propagation's universal time is ut.
double TtOfUt(double ut) { return ut + DeltaT(ut) * DaysPerSecond; }

// A low orbit like a space station's: 400 km perigee, e = 0.001.
OrbitalElements LowOrbit(double drag) {
  OrbitalElements el;
  el.epoch = 2461000.5;
  el.q = (6378.137 + 400) / KmPerAu;
  el.e = 0.001;
  el.i = 51.6 * Deg;
  el.omega = 1.0;
  el.node = 2.0;
  el.m = 0.5;
  el.drag = drag;
  SatelliteRates(el);
  return el;
}

TEST(SatellitePosition, DragShrinksTheOrbitDownToItsPerigee) {
  // Without drag the orbit keeps its size: the radius stays between perigee and apogee.
  const OrbitalElements still = LowOrbit(0);
  const double apogee = still.q * (1 + still.e) / (1 - still.e);
  for (double dt = 0; dt < 30; dt += 0.37) {
    const double r = Length(SatellitePosition(still, TtOfUt(still.epoch + dt)));
    EXPECT_GE(r, still.q * (1 - 1e-12));
    EXPECT_LE(r, apogee * (1 + 1e-12));
  }
  // With drag the apogee falls until the orbit is a circle of radius q, which then shrinks.
  const OrbitalElements decaying = LowOrbit(0.05);
  const double n = decaying.n;
  // a = q / (1 - e) f^(2/3) reaches q when f = (1 - e)^(3/2), that is 2 D dt = n ((1-e)^-1.5 - 1).
  const double circular = n * (std::pow(1 - decaying.e, -1.5) - 1) / (2 * decaying.drag);
  for (double dt : {circular * 1.01, circular * 1.5, circular * 3}) {
    const double r = Length(SatellitePosition(decaying, TtOfUt(decaying.epoch + dt)));
    const double a =
        decaying.q / (1 - decaying.e) * std::pow(n / (n + 2 * decaying.drag * dt), 2.0 / 3.0);
    EXPECT_NEAR(r, a, a * 1e-9) << dt;  // circular: every point at the shrunken radius
    EXPECT_LT(r, decaying.q);
  }
  // Long before the epoch with positive drag, n + 2 D dt <= 0: the size is left as it is.
  const double before = -n / (2 * decaying.drag) * 2;
  const double r = Length(SatellitePosition(decaying, TtOfUt(decaying.epoch + before)));
  EXPECT_GE(r, decaying.q * (1 - 1e-12));
  EXPECT_LE(r, apogee * (1 + 1e-9));
  EXPECT_TRUE(
      std::isfinite(Length(SatellitePosition(decaying, decaying.epoch - n / (2 * decaying.drag)))));
}

TEST(SatelliteRates, FollowTheOblateness) {
  OrbitalElements el = LowOrbit(0);
  // A 400 km orbit: about 15.5 revolutions a day; its node regresses about 5 degrees a day at 51.6.
  EXPECT_NEAR(el.n / (2 * Pi), 15.5, 0.2);
  EXPECT_NEAR(el.nodeRate / Deg, -5.0, 0.2);
  EXPECT_GT(el.omegaRate, 0);
  el.i = 63.4349 * Deg;  // the critical inclination: the perigee stands still
  SatelliteRates(el);
  EXPECT_NEAR(el.omegaRate, 0, 1e-5 * std::fabs(el.nodeRate));  // 63.4349 is rounded
  el.i = 90 * Deg;  // a polar orbit's node does not turn
  SatelliteRates(el);
  EXPECT_NEAR(el.nodeRate, 0, 1e-12);
  el.e = 1.2;  // not an orbit about the Earth
  SatelliteRates(el);
  EXPECT_EQ(el.n, 0);
  EXPECT_EQ(el.nodeRate, 0);
}

OrbitalElements ElementsOfRow(const test::RefRow& row) {
  const double nRadPerMin = row.Number("mean_motion_rev_per_day") * 2 * Pi / MinutesPerDay;
  OrbitalElements el;
  el.epoch = row.Number("epoch_jd_utc");
  el.e = row.Number("ecc");
  el.q = std::pow(SatelliteKe / nRadPerMin, 2.0 / 3.0) * (1 - el.e) / EarthRadiiPerAu;
  el.i = row.Number("incl_deg") * Deg;
  el.node = row.Number("node_deg") * Deg;
  el.omega = row.Number("argp_deg") * Deg;
  el.m = row.Number("mean_anomaly_deg") * Deg;
  el.drag = row.Number("ndot_over_2_rev_per_day2") * 2 * Pi;
  SatelliteRates(el);
  EXPECT_NEAR(el.n, nRadPerMin * MinutesPerDay, 1e-9 * el.n);
  return el;
}

// Reference: astro/ref/satellites_sgp4.tsv, SGP4 (python3-sgp4) positions of the satellites of
// the sample element file an hour and a day after their epochs (UTC) in TEME, written by
// tools/make_astro_ref.py. The program is asked at the TT of that UTC (Delta T later): a model
// that counted from the epoch in TT would be 69 s early, 500 km along the track.
// Compared in the mean equator of date, which differs from TEME by nutation (0.4 km).
// Limits: the simple model leaves out SGP4's periodic terms (about 10 km for these orbits): 30 km
// after an hour, 60 km after a day. SGP4 through the records: 1 km after a day (the issue's
// figure); its only difference is the drag term, which the database holds as dn/dt rather than
// SGP4's B* (Sgp4SatellitePosition, Note 1).
TEST(SatellitePosition, BothModelsStayNearSgp4ForADayInUniversalTime) {
  double worst[2][2] = {};  // [model][hour or day]
  for (const test::RefRow& row : test::LoadRefTable("satellites_sgp4.tsv")) {
    const OrbitalElements el = ElementsOfRow(row);
    const double hours = row.Number("hours_after_epoch");
    const double ut = el.epoch + hours / 24;
    const double t = ut + DeltaT(ut) * DaysPerSecond;
    Matrix3 toDate;
    PrecessionMatrix(toDate, t, J2000, false);
    const Vector3 want{row.Number("teme_x_km"), row.Number("teme_y_km"), row.Number("teme_z_km")};
    const Vector3 positions[2] = {SatellitePosition(el, t), Sgp4SatellitePosition(el, t)};
    for (int model = 0; model < 2; ++model) {
      Vector3 p = positions[model];
      TransformTransposed(toDate, p);  // back to the equator of date, where SGP4 works
      const double km =
          std::hypot(p.x * KmPerAu - want.x, p.y * KmPerAu - want.y, p.z * KmPerAu - want.z);
      const double limit = model == 1 ? 1.0 : hours < 2 ? 30.0 : 60.0;
      EXPECT_LE(km, limit) << row.Text("name") << " after " << hours << " h, model " << model;
      double& w = worst[model][hours < 2 ? 0 : 1];
      w = std::max(w, km);
    }
  }
  std::printf(
      "  from SGP4 after an hour and a day: simple model %.1f, %.1f km; SGP4 from the "
      "records %.2f, %.2f km\n",
      worst[0][0], worst[0][1], worst[1][0], worst[1][1]);
}

// The elements of the sample satellite of that name (the first row of satellites_sgp4.tsv).
OrbitalElements ElementsOfSatellite(const std::string& name) {
  for (const test::RefRow& row : test::LoadRefTable("satellites_sgp4.tsv"))
    if (row.Text("name") == name) return ElementsOfRow(row);
  ADD_FAILURE() << "no elements for " << name;
  return OrbitalElements{};
}

ObservingSettings SiteSettings(double latDeg, double lonDeg, SatelliteTheory model) {
  ObservingSettings s;
  s.ViewerLatitude = latDeg * Deg;
  s.ViewerLongitude = lonDeg * Deg;
  s.SatelliteModel = model;
  return s;
}

// Reference: astro/ref/passes_pyephem.tsv, PyEphem's next_pass (its own SGP4/SDP4, geometric
// altitude, horizon 0) for the sample satellites from sites in both hemispheres, starting with
// the satellite down, written by tools/make_observing_ref.py. Each pass is also asked for from
// its culmination, with the satellite up: the same pass must come back.
// Limits: SGP4 through the records: 2 s and 0.05 deg (0.2 s and 0.008 deg seen). PyEphem finds
// its events to a fraction of a second; the B* the records lack (Sgp4SatellitePosition, Note 1)
// moves the satellite under a km (0.15 s along the track). A crossing left at a coarse step
// misses by up to 30 s, a pass taken in dynamical time by 69 s. The simple model leaves out
// SGP4's periodic terms (15 km here): 20 s and 0.5 deg (7.5 s and 0.26 deg seen).
TEST(NextSatellitePass, MatchesPyEphemFromBeforeAndDuringThePass) {
  double worstSeconds[2] = {}, worstDegrees[2] = {};
  const double limitSeconds[2] = {20, 2}, limitDegrees[2] = {0.5, 0.05};
  for (const test::RefRow& row : test::LoadRefTable("passes_pyephem.tsv")) {
    SCOPED_TRACE(row.Text("satellite") + " from " + row.Text("site"));
    const OrbitalElements el = ElementsOfSatellite(row.Text("satellite"));
    const double want[] = {row.Number("rise_jd_ut"), row.Number("culmination_jd_ut"),
                           row.Number("set_jd_ut")};
    for (int model = 0; model < 2; ++model) {
      const ObservingSettings s = SiteSettings(row.Number("lat_deg"), row.Number("lon_deg"),
                                               model == 1 ? SatelliteSGP4 : SatelliteSimple);
      for (double start : {row.Number("start_jd_ut"), want[1]}) {
        const SatellitePass pass = NextSatellitePass(el, s, start);
        ASSERT_EQ(pass.status, PassFound) << "model " << model << " from " << start;
        const double got[] = {pass.rise, pass.culmination, pass.set};
        for (int k = 0; k < 3; ++k) {
          const double seconds = std::fabs(got[k] - want[k]) * SecondsPerDay;
          EXPECT_LE(seconds, limitSeconds[model]) << "event " << k << ", model " << model;
          worstSeconds[model] = std::max(worstSeconds[model], seconds);
        }
        const double degrees =
            std::fabs(pass.culminationAltitude / Deg - row.Number("culmination_alt_deg"));
        EXPECT_LE(degrees, limitDegrees[model]) << "model " << model;
        worstDegrees[model] = std::max(worstDegrees[model], degrees);
      }
    }
  }
  std::printf("  passes from PyEphem: SGP4 %.1f s, %.3f deg; simple model %.1f s, %.3f deg\n",
              worstSeconds[1], worstDegrees[1], worstSeconds[0], worstDegrees[0]);
}

// Where no pass can be: a satellite of inclination i at distance r is seen above the horizon
// only from latitudes within i + acos(R / r) of the equator (HST: 28.5 + 22.8 deg; the Chinese
// station: 41.5 + 19.7; the ISS: 51.6 + 20.2). A satellite standing over an equatorial site
// (geostationary, built for the test) never sets; an open orbit is none the model can follow.
TEST(NextSatellitePass, NoneWhereTheOrbitCannotBeSeenAndAlwaysUpWhereItStays) {
  const struct {
    const char* satellite;
    double latDeg, lonDeg;
  } never[] = {{"HST", -54.8, -68.3},
               {"HST", 69.6, 19.0},
               {"CSS (TIANHE)", 69.6, 19.0},
               {"ISS (ZARYA)", 90, 0},
               {"ISS (ZARYA)", -75, 120}};
  for (const auto& c : never) {
    const OrbitalElements el = ElementsOfSatellite(c.satellite);
    for (SatelliteTheory model : {SatelliteSimple, SatelliteSGP4}) {
      const SatellitePass pass =
          NextSatellitePass(el, SiteSettings(c.latDeg, c.lonDeg, model), el.epoch + 0.3);
      EXPECT_EQ(pass.status, PassNone) << c.satellite << " at " << c.latDeg;
    }
  }
  OrbitalElements stationary;
  stationary.epoch = 2461138.5;
  stationary.e = 0.0001;
  stationary.n = 1.00273791 * 2 * Pi;
  stationary.q = std::pow(SatelliteKe / (stationary.n / MinutesPerDay), 2.0 / 3.0) *
                 (1 - stationary.e) / EarthRadiiPerAu;
  stationary.m = LocalSiderealTime(stationary.epoch, 40 * Deg);  // over 40 deg east at the epoch
  SatelliteRates(stationary);
  stationary.n = 1.00273791 * 2 * Pi;  // kept with the Earth's turn, whatever the oblateness
  for (SatelliteTheory model : {SatelliteSimple, SatelliteSGP4}) {
    const SatellitePass pass =
        NextSatellitePass(stationary, SiteSettings(0, 40, model), stationary.epoch + 0.2);
    EXPECT_EQ(pass.status, PassAlwaysUp) << "model " << model;
  }
  OrbitalElements open = ElementsOfSatellite("ISS (ZARYA)");
  open.e = 1.2;
  for (SatelliteTheory model : {SatelliteSimple, SatelliteSGP4})
    EXPECT_EQ(NextSatellitePass(open, SiteSettings(0, 0, model), open.epoch).status, PassNoOrbit);
}

}  // namespace
}  // namespace qv
