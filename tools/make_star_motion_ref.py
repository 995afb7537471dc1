#!/usr/bin/python3
"""Writes the PyEphem reference table of the default database's star motions
(tests/tools/ref/star_motion_pyephem.tsv).

Usage: /usr/bin/python3 tools/make_star_motion_ref.py

Needs Debian's python3-ephem (PyEphem 4.1). Regenerate the table, never edit it. Each row is a
star's astrometric place (J2000 equator, proper motion applied, no parallax, aberration or
nutation) at 0h UT on January 1 of 1850, 2026 and 2150. Arcturus and Rigil Kentaurus are
PyEphem's own catalogue stars (ephem.star); 61 Cygni A and Groombridge 1830, which it lacks,
are given their Hipparcos values (ESA 1997: J2000 place at epoch 2000.0, mu alpha * and
mu delta in mas/yr).
"""
import math
import os

import ephem

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "tools", "ref")
DJD = 2415020.0  # PyEphem dates count days from 1899 December 31.5 = JD 2415020.0
YEARS = (1850, 2026, 2150)
# name as the database finds it, PyEphem database line
HIPPARCOS = [
    ("HD201091", "61 Cyg A,f|S|K5,21:06:53.95|4155.1,38:44:57.9|3258.9,5.20,2000"),
    ("HD103095", "Groombridge 1830,f|S|G8,11:52:58.77|4003.7,37:43:07.2|-5813.0,6.42,2000"),
]


def stars():
    yield "Arcturus", ephem.star("Arcturus")
    yield "Rigil Kentaurus", ephem.star("Rigil Kentaurus")
    for name, line in HIPPARCOS:
        yield name, ephem.readdb(line)


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "star_motion_pyephem.tsv"), "w") as out:
        out.write("# name\tjd\tra_deg\tdec_deg  (tools/make_star_motion_ref.py, PyEphem %s)\n"
                  % ephem.__version__)
        for name, body in stars():
            for year in YEARS:
                date = ephem.Date("%d/1/1" % year)
                body.compute(date, epoch=ephem.J2000)
                out.write("%s\t%.5f\t%.9f\t%.9f\n" % (name, date + DJD, math.degrees(body.a_ra),
                                                      math.degrees(body.a_dec)))


main()
