// Earth satellites: the drag and secular-rate model at its limits, the rates from the elements,
// and both models' positions against SGP4 an hour and a day after the epoch, in universal time.
#include "astro/satellite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/constants.h"
#include "astro/deltat.h"
#include "astro/frames.h"
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

}  // namespace
}  // namespace qv
