#!/usr/bin/python3
"""Writes tests/astro/ref/deltat_observed.tsv: observed values of Delta T = TT - UT1.

Usage: /usr/bin/python3 tools/make_deltat_ref.py

Two sources, each row naming its own:
  PyEphem   PyEphem's (Debian python3-ephem) table of observed values, 1 January and 1 July of
            1997-2017 (its table ends with 2018; later it extrapolates)
  USNO      the monthly determinations of the IERS Rapid Service (USNO, "deltat.data", 1973 on),
            as shipped in data/deltat.txt of the npm package astronomia@4.2.0 (MIT), 1997 on
The table is committed; regenerate it, never edit it.
"""
import os

import ephem

from npm_package import fetch

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "astro", "ref",
                   "deltat_observed.tsv")
DJD = 2415020.0  # PyEphem dates count days from 1899 December 31.5 = JD 2415020.0
FIRST_YEAR = 1997


def pyephem_rows():
    rows = []
    for year in range(FIRST_YEAR, 2018):
        for month in (1, 7):
            date = ephem.Date((year, month, 1))
            rows.append(("PyEphem", year, month, float(date) + DJD, ephem.delta_t(date)))
    return rows


def usno_rows():
    rows = []
    path = os.path.join(fetch("astronomia", "4.2.0"), "data", "deltat.txt")
    for line in open(path, encoding="utf-8"):
        fields = line.split()
        if len(fields) != 3:
            continue
        year, month, seconds = int(fields[0]), int(fields[1]), float(fields[2])
        if year >= FIRST_YEAR:
            rows.append(("USNO", year, month, float(ephem.Date((year, month, 1))) + DJD, seconds))
    return rows


def main():
    with open(OUT, "w", encoding="utf-8") as out:
        out.write("# deltat_observed.tsv - written by tools/make_deltat_ref.py (PyEphem %s, astronomia "
                  "4.2.0 data/deltat.txt); regenerate, never edit.\n" % ephem.__version__)
        out.write("source\tyear\tmonth\tjd_ut\tdelta_t_s\n")
        for source, year, month, jd, seconds in pyephem_rows() + usno_rows():
            out.write("%s\t%d\t%d\t%.1f\t%.4f\n" % (source, year, month, jd, seconds))


if __name__ == "__main__":
    main()
