#!/usr/bin/python3
"""Writes the PyEphem reference table of the tests of the closest and widest approach search
(tests/astro/ref/approach_pyephem.tsv).

Usage: /usr/bin/python3 tools/make_approach_ref.py

Needs Debian's python3-ephem (PyEphem 4.1). Regenerate the table, never edit it. Each row is one
event: the instant (UT Julian date) at which the separation of two bodies is least (or greatest)
within the search range, and that separation. Angular separations are between apparent places,
topocentric from the test site (47.5 N, 8.5 E, 500 m, no refraction) or geocentric (viewer
"centre"); physical ones are the geometric distance between the Earth's and the body's centres at
the same instant (PyEphem's earth_distance, computed before the light-time correction).

The extremum is bracketed on an hourly grid; a polynomial of degree 4 is fitted by least squares
to the values every 10 minutes within 3 hours of the best one and its extremum found by Newton's
method. PyEphem keeps distances in single precision (about 3e-8 AU), and near Mars's closest
approach the distance changes by only 1e-7 AU in an hour: searching the values themselves would
place the instant anywhere within half an hour, the fit places it within a minute. The window is
short beside a day, so the fit follows the daily wobble that the site's parallax gives the
topocentric angles, as the program's search does.
"""
import math
import os

import ephem

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "astro", "ref")
DJD = 2415020.0  # PyEphem dates count days from 1899 December 31.5 = JD 2415020.0
BODIES = {"Sun": ephem.Sun, "Venus": ephem.Venus, "Mars": ephem.Mars, "Jupiter": ephem.Jupiter,
          "Saturn": ephem.Saturn}

# name, body A, body B, "min"/"max", "angular"/"physical", viewer "site"/"centre", search start
# and end (UT JD)
EVENTS = [
    ("great conjunction 2020", "Jupiter", "Saturn", "min", "angular", "site", 2459170.5, 2459230.5),
    ("Venus and Jupiter 2023", "Venus", "Jupiter", "min", "angular", "site", 2459990.5, 2460010.5),
    ("Mars nearest 2003", "Earth", "Mars", "min", "physical", "centre", 2452840.5, 2452900.5),
    ("Venus greatest elongation 2023", "Sun", "Venus", "max", "angular", "centre", 2460060.5,
     2460130.5),
]
FIT_DEGREE, FIT_SAMPLES, FIT_STEP = 4, 18, 1 / 144.0  # 18 samples each side, 10 minutes apart


def place(name, viewer, jd):
    if viewer == "centre":
        return BODIES[name](ephem.Date(jd - DJD))
    o = ephem.Observer()
    o.lat, o.lon, o.elevation = "47.5", "8.5", 500.0
    o.pressure = 0
    o.date = ephem.Date(jd - DJD)
    return BODIES[name](o)


def separation(a, b, kind, viewer, jd):
    if kind == "physical":  # only the Earth to a body is needed here
        return place(b, "centre", jd).earth_distance
    pa, pb = place(a, viewer, jd), place(b, viewer, jd)
    return math.degrees(ephem.separation((pa.ra, pa.dec), (pb.ra, pb.dec)))


def solve(m, v):
    """Gaussian elimination with partial pivoting: m x = v."""
    n = len(v)
    rows = [list(m[i]) + [v[i]] for i in range(n)]
    for c in range(n):
        p = max(range(c, n), key=lambda r: abs(rows[r][c]))
        rows[c], rows[p] = rows[p], rows[c]
        for r in range(c + 1, n):
            f = rows[r][c] / rows[c][c]
            rows[r] = [x - f * y for x, y in zip(rows[r], rows[c])]
    x = [0.0] * n
    for r in reversed(range(n)):
        x[r] = (rows[r][n] - sum(rows[r][k] * x[k] for k in range(r + 1, n))) / rows[r][r]
    return x


def fitted_extremum(centre, f):
    """The extremum nearest centre of the least-squares polynomial through f around it."""
    ts = [k * FIT_STEP for k in range(-FIT_SAMPLES, FIT_SAMPLES + 1)]
    ys = [f(centre + t) for t in ts]
    n = FIT_DEGREE + 1
    m = [[sum(t ** (i + j) for t in ts) for j in range(n)] for i in range(n)]
    c = solve(m, [sum(y * t ** i for t, y in zip(ts, ys)) for i in range(n)])
    t = 0.0
    for _ in range(50):
        d1 = sum(i * c[i] * t ** (i - 1) for i in range(1, n))
        d2 = sum(i * (i - 1) * c[i] * t ** (i - 2) for i in range(2, n))
        t -= d1 / d2
    return centre + t


def extremum(a, b, sense, kind, viewer, start, end):
    sign = 1.0 if sense == "min" else -1.0
    f = lambda jd: separation(a, b, kind, viewer, jd)
    hours = int(round((end - start) * 24))
    best = min(range(hours + 1), key=lambda i: sign * f(start + i / 24.0))
    jd = fitted_extremum(start + best / 24.0, f)
    return jd, f(jd)


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "approach_pyephem.tsv"), "w", encoding="utf-8") as f:
        f.write("# approach_pyephem.tsv - written by tools/make_approach_ref.py with PyEphem " +
                ephem.__version__ + "; regenerate, never edit.\n")
        f.write("event\ta\tb\tsense\tkind\tviewer\tstart_jd\tend_jd\tjd_ut\tseparation\n")
        for name, a, b, sense, kind, viewer, start, end in EVENTS:
            jd, value = extremum(a, b, sense, kind, viewer, start, end)
            f.write("%s\t%s\t%s\t%s\t%s\t%s\t%.1f\t%.1f\t%.6f\t%.7f\n" %
                    (name, a, b, sense, kind, viewer, start, end, jd, value))


if __name__ == "__main__":
    main()
