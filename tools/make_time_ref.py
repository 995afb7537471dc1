#!/usr/bin/python3
"""Writes tests/astro/ref/time_pyephem.tsv: Julian dates and mean local sidereal times from PyEphem.

Run with /usr/bin/python3 (Debian python3-ephem):  /usr/bin/python3 tools/make_time_ref.py
The table is committed; regenerate it, never hand-edit it.

PyEphem reads dates in the Gregorian calendar from 1582 October 15 on and in the Julian calendar
before, so the rows before that day are Julian-calendar dates (column calendar = 0).

Observer.sidereal_time() is the apparent sidereal time. The mean one is that less the equation of
the equinoxes, dpsi cos(eps), with dpsi from the four largest terms of the IAU 1980 nutation
(Meeus, Astronomical Algorithms, 2nd ed., ch. 22: good to 0.5", that is 0.03 s of time) and eps
the mean obliquity (Meeus eq. 22.2).
"""
import math
import os
import random

import ephem

OUT = os.path.join(os.path.dirname(__file__), "..", "tests", "astro", "ref", "time_pyephem.tsv")


def equation_of_equinoxes_seconds(jd):
    t = (jd - 2451545.0) / 36525.0
    omega = math.radians(125.04452 - 1934.136261 * t)          # Moon's ascending node
    l_sun = math.radians(280.4665 + 36000.7698 * t)            # Sun's mean longitude
    l_moon = math.radians(218.3165 + 481267.8813 * t)          # Moon's mean longitude
    dpsi = (-17.20 * math.sin(omega) - 1.32 * math.sin(2 * l_sun)
            - 0.23 * math.sin(2 * l_moon) + 0.21 * math.sin(2 * omega))   # arcseconds
    eps = math.radians(23.4392911 - 0.0130042 * t)
    return dpsi * math.cos(eps) / 15.0


def instants():
    """(calendar, year, month, day, hour, minute, second, east longitude in degrees)."""
    fixed = [
        (1, 2000, 1, 1, 12, 0, 0.0, 0.0),
        (1, 1600, 1, 1, 0, 0, 0.0, 0.0),
        (1, 1582, 10, 15, 0, 0, 0.0, 10.0),
        (0, 1582, 10, 4, 23, 59, 59.0, -75.0),
        (0, 1000, 7, 14, 6, 30, 0.0, 120.0),
        (0, 1500, 2, 29, 18, 0, 0.0, -20.0),      # a Julian leap day
        (1, 1900, 2, 28, 23, 59, 59.0, 45.0),     # 1900 is no Gregorian leap year
        (1, 2000, 2, 29, 0, 0, 0.0, -122.4),      # 2000 is one
        (1, 2024, 12, 31, 23, 0, 30.0, 179.9),
        (1, 2200, 12, 31, 12, 0, 0.0, -179.9),
    ]
    rng = random.Random(1602)                     # fixed seed: the table is reproducible
    drawn = []
    for _ in range(40):
        year = rng.randint(1600, 2199)
        drawn.append((1, year, rng.randint(1, 12), rng.randint(1, 28), rng.randint(0, 23),
                      rng.randint(0, 59), float(rng.randint(0, 59)), round(rng.uniform(-180, 180), 3)))
    return fixed + drawn


def main():
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    with open(OUT, "w") as out:
        out.write("# Written by tools/make_time_ref.py with PyEphem %s; do not edit.\n" % ephem.__version__)
        out.write("# calendar\tyear\tmonth\tday\thour\tminute\tsecond\tlongitude_deg\tjd\tmean_lst_hours\n")
        for cal, y, mo, d, h, mi, s, lon in instants():
            date = ephem.Date((y, mo, d, h, mi, s))
            jd = ephem.julian_date(date)
            site = ephem.Observer()
            site.date = date
            site.lon = str(lon)
            site.lat = "0"
            apparent = float(site.sidereal_time()) * 12.0 / math.pi
            mean = (apparent - equation_of_equinoxes_seconds(jd) / 3600.0) % 24.0
            out.write("%d\t%d\t%d\t%d\t%d\t%d\t%.1f\t%.3f\t%.9f\t%.10f\n"
                      % (cal, y, mo, d, h, mi, s, lon, jd, mean))


if __name__ == "__main__":
    main()
