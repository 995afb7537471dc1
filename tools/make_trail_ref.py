#!/usr/bin/python3
"""Writes the PyEphem reference table of the trail tests: the instants at which Mars stands
still in right ascension during its 2024-2025 retrograde loop (tests/chart/ref/mars_stations_pyephem.tsv).

Usage: /usr/bin/python3 tools/make_trail_ref.py

Needs Debian's python3-ephem (PyEphem 4.1). Regenerate the table, never edit it. Places are
PyEphem's geocentric apparent right ascension and declination of the date (g_ra, g_dec). A
station is where the right ascension's daily change changes sign: found between whole days from
2024 October 1 to 2025 April 30 (0h UT), then narrowed by bisection on the change over
+-0.01 day to 1e-5 day.
"""
import math
import os

import ephem

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "chart", "ref")
DJD = 2415020.0  # PyEphem dates count days from 1899 December 31.5 = JD 2415020.0
FIRST_JD, LAST_JD = 2460584.5, 2460795.5  # 2024 Oct 1 and 2025 Apr 30, 0h UT
H = 0.01  # days either side for the rate


def place(jd):
    mars = ephem.Mars(ephem.Date(jd - DJD))
    return float(mars.g_ra), float(mars.g_dec)


def rate(jd):
    """Change of right ascension per day, radians, unwrapped across 0h."""
    before, after = place(jd - H)[0], place(jd + H)[0]
    delta = math.remainder(after - before, 2 * math.pi)
    return delta / (2 * H)


def station(lo, hi):
    r_lo = rate(lo)
    while hi - lo > 1e-5:
        mid = 0.5 * (lo + hi)
        r_mid = rate(mid)
        if (r_mid > 0) == (r_lo > 0):
            lo, r_lo = mid, r_mid
        else:
            hi = mid
    return 0.5 * (lo + hi)


def main():
    os.makedirs(OUT, exist_ok=True)
    rows = []
    jd, r = FIRST_JD, rate(FIRST_JD)
    while jd < LAST_JD:
        r_next = rate(jd + 1)
        if (r > 0) != (r_next > 0):
            t = station(jd, jd + 1)
            kind = "retrograde" if r > 0 else "direct"
            ra, dec = place(t)
            rows.append((kind, t, math.degrees(ra) / 15.0, math.degrees(dec)))
        jd, r = jd + 1, r_next
    with open(os.path.join(OUT, "mars_stations_pyephem.tsv"), "w", encoding="utf-8") as f:
        f.write("# mars_stations_pyephem.tsv - written by tools/make_trail_ref.py with PyEphem " +
                ephem.__version__ + "; regenerate, never edit.\n")
        f.write("station\tjd_ut\tra_hours\tdec_degrees\n")
        for kind, t, ra, dec in rows:
            f.write("%s\t%.5f\t%.7f\t%.6f\n" % (kind, t, ra, dec))


if __name__ == "__main__":
    main()
