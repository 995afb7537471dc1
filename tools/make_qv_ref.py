#!/usr/bin/python3
"""Writes the PyEphem reference table of the tests of qv's ephemeris and info texts
(tests/qv/ref/qv_ephemeris_pyephem.tsv).

Usage: /usr/bin/python3 tools/make_qv_ref.py

Needs Debian's python3-ephem (PyEphem 4.1). Regenerate the table, never edit it. The rows are
the instants of the test's ephemeris: from 2024 March 1, 0h UT, every 7.25 days to May 1, seen
from Greenwich (51.4778 N, 0 E, 46 m) without refraction (pressure 0), and Vega at the first
instant with the position and proper motion of tests/app/data/qv_objects.txt. Places are
apparent topocentric right ascension and declination of the date; the distance is from the
Earth's centre (none for Vega).
"""
import math
import os

import ephem

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "app", "ref")
DJD = 2415020.0  # PyEphem dates count days from 1899 December 31.5 = JD 2415020.0
START_JD, STEP, ROWS = 2460370.5, 7.25, 9
BODIES = [("Moon", ephem.Moon), ("Mars", ephem.Mars)]


def site(jd):
    o = ephem.Observer()
    o.lat, o.lon, o.elevation = "51.4778", "0", 46.0
    o.pressure = 0
    o.date = ephem.Date(jd - DJD)
    return o


def vega():
    star = ephem.FixedBody()
    star._ra, star._dec, star._epoch = "18:36:56.336", "38:47:01.28", ephem.J2000
    # The file's +0.0172 s/yr in R.A. and +0.286"/yr in Dec., as PyEphem's mas/yr (R.A. times cos Dec).
    star._pmra = 0.0172 * 15 * 1000 * math.cos(math.radians(38.78369))
    star._pmdec = 286.0
    return star


def row(name, jd, body, distance):
    return "%s\t%.6f\t%.8f\t%.7f\t%.7f\n" % (name, jd, math.degrees(body.ra) / 15.0, math.degrees(body.dec), distance)


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "qv_ephemeris_pyephem.tsv"), "w", encoding="utf-8") as f:
        f.write("# qv_ephemeris_pyephem.tsv - written by tools/make_qv_ref.py with PyEphem " +
                ephem.__version__ + "; regenerate, never edit.\n")
        f.write("body\tjd_ut\tra_hours\tdec_degrees\tdistance_au\n")
        for name, body_class in BODIES:
            for i in range(ROWS):
                jd = START_JD + i * STEP
                body = body_class(site(jd))
                f.write(row(name, jd, body, body.earth_distance))
        star = vega()
        star.compute(site(START_JD))
        f.write(row("Vega", START_JD, star, 0.0))


if __name__ == "__main__":
    main()
