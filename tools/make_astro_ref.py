#!/usr/bin/python3
"""Writes the PyEphem reference tables of the astronomy tests (tests/astro/ref/*.tsv).

Usage: /usr/bin/python3 tools/make_astro_ref.py [SAMPLE_TLE]

Needs Debian's python3-ephem (PyEphem 4.1) and python3-sgp4. Every table is regenerated, never
edited by hand. The site is fixed (47.5 N, 8.5 E, 500 m); refraction is off (pressure 0) so that
the tables hold geometric-plus-aberration places; rise and set use the centre of the body and an
explicit horizon, as the program does.
"""
import math
import os
import sys

import ephem

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "astro", "ref")
SITE_LAT, SITE_LON, SITE_ELEV = "47.5", "8.5", 500.0
DJD = 2415020.0  # PyEphem dates count days from 1899 December 31.5 = JD 2415020.0
BODIES = [("Sun", ephem.Sun), ("Moon", ephem.Moon), ("Mercury", ephem.Mercury), ("Venus", ephem.Venus),
          ("Mars", ephem.Mars), ("Jupiter", ephem.Jupiter), ("Saturn", ephem.Saturn),
          ("Uranus", ephem.Uranus), ("Neptune", ephem.Neptune), ("Pluto", ephem.Pluto)]
MOONS = [("Phobos", ephem.Phobos, ephem.Mars), ("Deimos", ephem.Deimos, ephem.Mars),
         ("Io", ephem.Io, ephem.Jupiter), ("Europa", ephem.Europa, ephem.Jupiter),
         ("Ganymede", ephem.Ganymede, ephem.Jupiter), ("Callisto", ephem.Callisto, ephem.Jupiter),
         ("Mimas", ephem.Mimas, ephem.Saturn), ("Enceladus", ephem.Enceladus, ephem.Saturn),
         ("Tethys", ephem.Tethys, ephem.Saturn), ("Dione", ephem.Dione, ephem.Saturn),
         ("Rhea", ephem.Rhea, ephem.Saturn), ("Titan", ephem.Titan, ephem.Saturn),
         ("Hyperion", ephem.Hyperion, ephem.Saturn), ("Iapetus", ephem.Iapetus, ephem.Saturn),
         ("Miranda", ephem.Miranda, ephem.Uranus), ("Ariel", ephem.Ariel, ephem.Uranus),
         ("Umbriel", ephem.Umbriel, ephem.Uranus), ("Titania", ephem.Titania, ephem.Uranus),
         ("Oberon", ephem.Oberon, ephem.Uranus)]
GOLDEN = 0.6180339887498949


def site(date):
    o = ephem.Observer()
    o.lat, o.lon, o.elevation = SITE_LAT, SITE_LON, SITE_ELEV
    o.pressure = 0
    o.date = date
    return o


def instants(count, jd_first, jd_last):
    """Spread over the span with hours that do not repeat (golden-ratio steps)."""
    step = (jd_last - jd_first) / count
    return [jd_first + k * step + ((k * GOLDEN) % 1.0) for k in range(count)]


def deg(a):
    return math.degrees(float(a))


def write(name, header, rows):
    with open(os.path.join(OUT, name), "w", encoding="utf-8") as f:
        f.write("# " + name + " - written by tools/make_astro_ref.py with PyEphem " + ephem.__version__ +
                "; regenerate, never edit.\n")
        f.write("\t".join(header) + "\n")
        for r in rows:
            f.write("\t".join(r) + "\n")


def planets():
    """Sun, Moon, planets: astrometric geocentric J2000 and apparent topocentric of date."""
    rows = []
    for jd in instants(200, 2415020.5, 2488069.5):
        date = ephem.Date(jd - DJD)
        obs = site(date)
        for name, cls in BODIES:
            geo, topo = cls(date), cls(obs)
            rows.append([name, "%.6f" % jd, "%.3f" % ephem.delta_t(date), "%.7f" % deg(geo.a_ra),
                         "%.7f" % deg(geo.a_dec), "%.7f" % deg(topo.ra), "%.7f" % deg(topo.dec),
                         "%.9f" % geo.earth_distance])
    write("planets_pyephem.tsv",
          ["body", "jd_ut", "delta_t_s", "astrometric_ra_deg", "astrometric_dec_deg", "apparent_ra_deg",
           "apparent_dec_deg", "distance_au"], rows)


def planets_far():
    """Sun and planets (Pluto left out) in 1800-1900 and 2100-2200: astrometric geocentric J2000."""
    rows = []
    for jd in instants(40, 2378496.5, 2415020.5) + instants(40, 2488069.5, 2524593.5):
        date = ephem.Date(jd - DJD)
        for name, cls in BODIES:
            if name in ("Moon", "Pluto"):
                continue
            geo = cls(date)
            rows.append([name, "%.6f" % jd, "%.3f" % ephem.delta_t(date), "%.7f" % deg(geo.a_ra),
                         "%.7f" % deg(geo.a_dec), "%.9f" % geo.earth_distance])
    write("planets_far_pyephem.tsv",
          ["body", "jd_ut", "delta_t_s", "astrometric_ra_deg", "astrometric_dec_deg", "distance_au"], rows)


def moons():
    """Offsets (east, north, arc-seconds) of the moons from their planet, from PyEphem's x and y
    (planet radii; +x east, +y south) and the planet's apparent radius; with the planet's
    astrometric place and distance. (PyEphem's own R.A. of a moon adds the east offset without
    the 1/cos(dec) factor, so the offsets are taken from x and y.) Its moon theories hold about
    1999-2039."""
    rows = []
    for jd in instants(50, 2451545.5, 2464328.5):
        date = ephem.Date(jd - DJD)
        for name, cls, parent in MOONS:
            p, m = parent(date), cls(date)
            radius = math.degrees(float(p.radius)) * 3600.0
            rows.append([name, "%.6f" % jd, "%.3f" % ephem.delta_t(date), "%.8f" % deg(p.a_ra),
                         "%.8f" % deg(p.a_dec), "%.9f" % p.earth_distance, "%.4f" % (m.x * radius),
                         "%.4f" % (-m.y * radius)])
    write("moons_pyephem.tsv",
          ["moon", "jd_ut", "delta_t_s", "planet_ra_deg", "planet_dec_deg", "planet_distance_au",
           "east_arcsec", "north_arcsec"], rows)


def physical():
    """Jupiter's system II central meridian, Saturn's ring tilt seen from the Earth, the Moon's
    illuminated fraction; geocentric."""
    rows = []
    for jd in instants(50, 2440587.5, 2469807.5):
        date = ephem.Date(jd - DJD)
        j, s, m = ephem.Jupiter(date), ephem.Saturn(date), ephem.Moon(date)
        rows.append(["%.6f" % jd, "%.3f" % ephem.delta_t(date), "%.5f" % deg(j.cmlII),
                     "%.5f" % deg(s.earth_tilt), "%.6f" % (m.moon_phase)])
    write("physical_pyephem.tsv", ["jd_ut", "delta_t_s", "jupiter_cml2_deg", "saturn_tilt_deg",
                                   "moon_illuminated"], rows)


RISESET_STARS = [("Sirius", "6:45:08.92", "-16:42:58.0"), ("Vega", "18:36:56.34", "38:47:01.3"),
                 ("Arcturus", "14:15:39.67", "19:10:56.7"), ("Canopus", "6:23:57.11", "-52:41:44.4")]
HORIZON_DEG = {"Sun": -0.8333, "Moon": 0.125, "star": -0.5667}


def riseset():
    """Rise and set of the Sun, the Moon and a few fixed stars (centre, explicit horizon, no
    refraction) on the local day starting at local midnight (zone +1 h); events that fall outside
    that day are left out."""
    rows = []
    zone = 1 / 24.0
    bodies = [("Sun", ephem.Sun(), HORIZON_DEG["Sun"], "0", "0"), ("Moon", ephem.Moon(), HORIZON_DEG["Moon"], "0", "0")]
    for name, ra, dec in RISESET_STARS:
        star = ephem.FixedBody()
        star._ra, star._dec, star._epoch = ra, dec, ephem.J2000
        bodies.append((name, star, HORIZON_DEG["star"], "%.7f" % deg(ephem.hours(ra)), "%.7f" % deg(ephem.degrees(dec))))
    for jd0 in instants(24, 2451545.5, 2462502.5):
        midnight = math.floor(jd0 - 0.5 + zone) + 0.5 - zone
        for name, b, horizon, ra_deg, dec_deg in bodies:
            obs = site(ephem.Date(midnight - DJD))
            obs.horizon = str(horizon)
            for event, fn in (("rise", obs.next_rising), ("set", obs.next_setting)):
                try:
                    t = fn(b, use_center=True) + DJD
                except (ephem.AlwaysUpError, ephem.NeverUpError):
                    continue
                if t < midnight + 0.9972695663398204:
                    rows.append([name, event, "%.6f" % midnight, "%.4f" % horizon, "%.7f" % t, ra_deg, dec_deg])
    write("riseset_pyephem.tsv", ["body", "event", "local_midnight_jd_ut", "horizon_deg", "event_jd_ut",
                                  "star_ra_j2000_deg", "star_dec_j2000_deg"], rows)


# Minor bodies given by elements (J2000 ecliptic and equinox): (name, kind, q, e, i, w, node, M,
# epoch of M or perihelion time as a PyEphem date, H, G or K). Ceres and Halley as published
# (MPC); the parabolic and hyperbolic orbits are made up to reach those branches.
MINOR = [("Ceres", "elliptic", 2.7656157 * (1 - 0.0795763), 0.0795763, 10.58789, 73.29974, 80.24963,
          231.53975, "2025/11/21.0", 3.35, 0.15),
         ("Halley", "elliptic", 0.5711570, 0.9680180, 162.18420, 112.21840, 59.31840, 0.0,
          "2061/8/4.0925", 5.5, 3.2),
         ("Parabola", "parabolic", 1.02, 1.0, 128.9, 37.3, 61.0, 0.0, "2020/7/3.7", 6.0, 4.0),
         ("Hyperbola", "hyperbolic", 0.85, 1.2, 44.6, 291.2, 20.1, 0.0, "2023/2/12.5", 7.0, 4.0)]


def minor():
    """Astrometric geocentric J2000 places of bodies given by elements; TT instants."""
    rows = []
    for name, kind, q, e, i, w, node, m, epoch, h, g in MINOR:
        if kind == "elliptic":
            b = ephem.EllipticalBody()
            b._a, b._M, b._epoch_M = q / (1 - e), m, epoch
        elif kind == "parabolic":
            b = ephem.ParabolicBody()
            b._q, b._epoch_p = q, epoch
        else:
            b = ephem.HyperbolicBody()
            b._q, b._e, b._epoch_p = q, e, epoch
        if kind == "elliptic":
            b._e = e
        b._inc, b._om, b._Om, b._epoch = i, w, node, ephem.J2000
        centre = float(ephem.Date(epoch)) + DJD
        for k in range(10):
            tt = centre + (k - 4.5) * 40.3
            date = ephem.Date(tt - DJD - ephem.delta_t(ephem.Date(tt - DJD)) / 86400.0)
            b.compute(date)
            rows.append([name, kind, "%.9f" % q, "%.7f" % e, "%.5f" % i, "%.5f" % w, "%.5f" % node, "%.5f" % m,
                         "%.6f" % centre, "%.6f" % (float(date) + DJD + ephem.delta_t(date) / 86400.0),
                         "%.7f" % deg(b.a_ra), "%.7f" % deg(b.a_dec), "%.9f" % b.earth_distance])
    write("minor_pyephem.tsv", ["name", "orbit", "q_au", "e", "incl_deg", "argp_deg", "node_deg",
                                "mean_anomaly_deg", "epoch_jd_tt", "jd_tt", "astrometric_ra_deg",
                                "astrometric_dec_deg", "distance_au"], rows)


def satellites(tle_path):
    """SGP4 (python3-sgp4) positions of each satellite of a TLE file 1 hour and 1 day after its
    epoch, in the TEME frame (true equator, mean equinox of date), km; with the element values the
    propagation model reads."""
    from sgp4.api import Satrec
    lines = [l.rstrip("\n") for l in open(tle_path, encoding="utf-8") if l.strip() and not l.startswith("#")]
    rows = []
    for k in range(0, len(lines) - 2, 3):
        name, l1, l2 = lines[k].strip(), lines[k + 1], lines[k + 2]
        sat = Satrec.twoline2rv(l1, l2)
        epoch = sat.jdsatepoch + sat.jdsatepochF
        n_rev = float(l2[52:63])
        ndot2_rev = float(l1[33:43])  # the element set's first derivative field: dn/dt / 2, rev/day^2
        for hours in (1.0, 24.0):
            err, r, _ = sat.sgp4(sat.jdsatepoch, sat.jdsatepochF + hours / 24.0)
            if err:
                continue
            rows.append([name, "%.8f" % epoch, "%.8f" % float(l2[8:16]), "%.8f" % float(l2[17:25]),
                         "%.7f" % float("0." + l2[26:33]), "%.8f" % float(l2[34:42]), "%.8f" % float(l2[43:51]),
                         "%.8f" % n_rev, "%.10e" % ndot2_rev, "%.1f" % hours,
                         "%.4f" % r[0], "%.4f" % r[1], "%.4f" % r[2]])
    write("satellites_sgp4.tsv",
          ["name", "epoch_jd_utc", "incl_deg", "node_deg", "ecc", "argp_deg", "mean_anomaly_deg",
           "mean_motion_rev_per_day", "ndot_over_2_rev_per_day2", "hours_after_epoch", "teme_x_km",
           "teme_y_km", "teme_z_km"], rows)


def refraction():
    """Refraction at 1010 mbar and 10 C for true altitudes from -1 to 90 degrees: the apparent less
    the airless altitude of a star on the equator seen from the equator. (Below about -2 degrees
    PyEphem's refraction is not continuous, so the table stops at -1.)"""
    rows = []
    o = ephem.Observer()
    o.lat, o.lon, o.elevation, o.date, o.temp = "0", "0", 0.0, "2024/3/20 12:00", 10.0
    lst = float(o.sidereal_time())
    for alt in [-1.0, -0.85, -0.69, -0.5, -0.25, 0.0, 0.25, 0.5, 1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 7.5,
                10.0, 15.0, 20.0, 30.0, 45.0, 60.0, 75.0, 89.0]:
        star = ephem.FixedBody()
        star._ra, star._dec, star._epoch = ephem.hours(lst - math.radians(90.0 - alt)), 0.0, o.date
        o.pressure = 0.0
        star.compute(o)
        true_alt = float(star.alt)
        o.pressure = 1010.0
        star.compute(o)
        rows.append(["%.6f" % math.degrees(true_alt), "%.4f" % (math.degrees(float(star.alt) - true_alt) * 60)])
    write("refraction_pyephem.tsv", ["true_alt_deg", "refraction_arcmin"], rows)


# Made-up element sets that reach the parts of the model the sample file does not: a low perigee
# (the lowered density altitude), deep-space orbits with and without the half-day and one-day
# resonances, and an equatorial one (Lyddane's form of the lunisolar terms). (name, revolutions
# per day, e, i, node, argument of perigee, M (degrees), B*.)
SGP4_MADE_UP = [("Low perigee", 15.6, 0.035, 65.0, 211.0, 33.0, 310.0, 1.0e-4),
                ("GPS-like", 2.00562, 0.0052, 55.1, 120.3, 40.2, 200.5, 0.0),
                ("Molniya-like", 2.00613, 0.7241, 63.45, 80.1, 270.2, 10.3, 1.2e-4),
                ("Geostationary", 1.00271, 0.0002, 0.05, 85.0, 120.0, 300.0, 0.0),
                ("Geosynchronous inclined", 1.00273, 0.0012, 12.0, 40.0, 200.0, 50.0, 0.0),
                ("Transfer orbit", 2.2567, 0.7301, 27.0, 300.0, 180.0, 5.0, 5.0e-4),
                ("Two-day orbit", 0.5, 0.3, 45.0, 10.0, 60.0, 90.0, 0.0)]
SGP4_EPOCH = 2461138.25  # 2026 April 7.75 UTC, beside the sample file's epochs
NEAR_MINUTES = [0, 60, 360, 720, 1440, 2160, 2880, 3600, 4320]           # three days
DEEP_MINUTES = [-1440, 0, 360, 720, 1440, 2880, 4320, 7200, 14400]       # a day back, ten on


def sgp4_model(tle_path):
    """python-sgp4 (WGS-72, improved mode) positions and velocities in TEME, km and km/s, of the
    sample file's satellites over three days and of made-up orbits, with the elements as the
    model reads them (radians, radians per minute; the made-up orbits have no dn/dt)."""
    from sgp4.api import Satrec, WGS72
    sats = []
    lines = [l.rstrip("\n") for l in open(tle_path, encoding="utf-8") if l.strip() and not l.startswith("#")]
    for k in range(0, len(lines) - 2, 3):
        sats.append((lines[k].strip(), Satrec.twoline2rv(lines[k + 1], lines[k + 2])))
    for number, (name, rev, e, i, node, argp, m, bstar) in enumerate(SGP4_MADE_UP):
        sat = Satrec()
        sat.sgp4init(WGS72, "i", 90000 + number, SGP4_EPOCH - 2433281.5, bstar, 0.0, 0.0, e,
                     math.radians(argp), math.radians(i), math.radians(m), rev * 2 * math.pi / 1440,
                     math.radians(node))
        sats.append((name, sat))
    rows = []
    for name, sat in sats:
        deep = 2 * math.pi / sat.no_unkozai >= 225.0
        for minutes in DEEP_MINUTES if deep else NEAR_MINUTES:
            err, r, v = sat.sgp4(sat.jdsatepoch, sat.jdsatepochF + minutes / 1440.0)
            rows.append([name, "deep" if deep else "near", "%.10f" % (sat.jdsatepoch + sat.jdsatepochF),
                         "%.15e" % sat.no_kozai, "%.10f" % sat.ecco, "%.15f" % sat.inclo, "%.15f" % sat.nodeo,
                         "%.15f" % sat.argpo, "%.15f" % sat.mo, "%.8e" % sat.bstar,
                         "%.8e" % (sat.ndot * 1440.0 * 1440.0 / (2 * math.pi)), "%d" % minutes, "%d" % err]
                        + ["%.9f" % x for x in r] + ["%.12f" % x for x in v])
    write("sgp4_python.tsv", ["name", "model", "epoch_jd_utc", "no_kozai_rad_per_min", "ecc", "incl_rad",
                              "node_rad", "argp_rad", "mean_anomaly_rad", "bstar", "ndot_over_2_rev_per_day2", "minutes", "error",
                              "x_km", "y_km", "z_km", "vx_km_s", "vy_km_s", "vz_km_s"], rows)


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    refraction()
    planets_far()
    planets()
    moons()
    physical()
    riseset()
    minor()
    satellites(sys.argv[1] if len(sys.argv) > 1 else "../shared/data/sample.tle")
    sgp4_model(sys.argv[1] if len(sys.argv) > 1 else "../shared/data/sample.tle")
