#!/usr/bin/python3
"""Writes the PyEphem reference tables of the observer's sky: places on the horizon, rising and
setting on days that lack an event, and the passes of Earth satellites (tests/astro/ref/).

Usage: /usr/bin/python3 tools/make_observing_ref.py [SAMPLE_TLE]

Needs Debian's python3-ephem (PyEphem 4.1). Regenerate the tables, never edit them. Sites are in
both hemispheres and at the pole, dates from 1800 to 2200; refraction is off (pressure 0) and the
horizon is at altitude 0 for the centre of the body, as the tests set the program.
"""
import math
import os
import sys

import ephem

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "astro", "ref")
DJD = 2415020.0  # PyEphem dates count days from 1899 December 31.5 = JD 2415020.0
# name, latitude, east longitude (degrees), zone (hours east of Greenwich)
SITES = {"Ushuaia": (-54.8019, -68.3030, -3), "Hobart": (-42.8821, 147.3272, 11),
         "Tromso": (69.6492, 18.9553, 1), "NorthPole": (90.0, 0.0, 0), "Quito": (-0.1807, -78.4678, -5),
         "McMurdo": (-77.8463, 166.6683, 13), "Mazatlan": (23.2494, -106.4111, -7)}
STARS = [("Sirius", "6:45:08.917", "-16:42:58.02"), ("Canopus", "6:23:57.110", "-52:41:44.38"),
         ("Vega", "18:36:56.336", "38:47:01.28"), ("Acrux", "12:26:35.896", "-63:05:56.73"),
         ("Arcturus", "14:15:39.672", "19:10:56.67")]


def observer(site, jd):
    lat, lon, _ = SITES[site]
    o = ephem.Observer()
    o.lat, o.lon, o.elevation = str(lat), str(lon), 0.0
    o.pressure = 0
    o.horizon = "0"
    o.date = ephem.Date(jd - DJD)
    return o


def write(name, header, rows):
    with open(os.path.join(OUT, name), "w", encoding="utf-8") as f:
        f.write("# " + name + " - written by tools/make_observing_ref.py with PyEphem " + ephem.__version__ +
                "; regenerate, never edit.\n")
        f.write("\t".join(header) + "\n")
        for r in rows:
            f.write("\t".join(r) + "\n")


def horizon():
    """Apparent altitude and azimuth (from north through east) of stars, geometric but for
    aberration and nutation, at instants of 1800-1900, 2026 and 2100-2200."""
    rows = []
    instants = [2378496.5 + k * 4567.31 for k in range(8)] + [2461041.5 + k * 91.17 for k in range(4)] + \
        [2488069.5 + k * 4567.29 for k in range(8)]
    for k, jd in enumerate(instants):
        jd += (k * 0.6180339887498949) % 1.0
        for site in ("Ushuaia", "Hobart", "Tromso", "Quito"):
            o = observer(site, jd)
            bodies = []
            for name, ra, dec in STARS:
                star = ephem.FixedBody()
                star._ra, star._dec, star._epoch = ra, dec, ephem.J2000
                bodies.append((name, star, "%.8f" % math.degrees(ephem.hours(ra)),
                               "%.8f" % math.degrees(ephem.degrees(dec))))
            for name, body, ra, dec in bodies:
                body.compute(o)
                rows.append([site, "%.4f" % SITES[site][0], "%.4f" % SITES[site][1], "%.8f" % jd, name, ra, dec, "%.6f" % math.degrees(body.alt),
                             "%.6f" % math.degrees(body.az)])
    write("horizon_pyephem.tsv", ["site", "lat_deg", "lon_deg", "jd_ut", "body", "ra_j2000_deg", "dec_j2000_deg", "alt_deg", "az_deg"],
          rows)


def altitude(site, body, jd):
    o = observer(site, jd)
    body.compute(o)
    return float(body.alt)


def crossings(site, body, start, end):
    """Rises and sets of the centre through altitude 0 between start and end (JD, UT): sampled
    every five minutes, each change of sign bisected to a tenth of a second."""
    step = 5.0 / 1440
    events = []
    t0, a0 = start, altitude(site, body, start)
    n = int(round((end - start) / step))
    for i in range(1, n + 1):
        t1 = start + i * step
        a1 = altitude(site, body, t1)
        if (a0 < 0) != (a1 < 0):
            lo, hi, rising = t0, t1, a0 < 0
            while hi - lo > 0.1 / 86400:
                mid = 0.5 * (lo + hi)
                if (altitude(site, body, mid) < 0) == rising:
                    lo = mid
                else:
                    hi = mid
            events.append(("rise" if rising else "set", 0.5 * (lo + hi)))
        t0, a0 = t1, a1
    return events, a0 >= 0


def riseset_days():
    """Rising and setting of the Moon and the Sun on each local day of runs of days where the
    Moon skips a rise or a set, or the Sun stays up or down: one row per event of the day, and a
    row "none" for an event the day lacks, with whether the body was up at the day's end."""
    runs = [("Hobart", "Moon", 2032, 3, 1, 10), ("Tromso", "Moon", 2031, 12, 14, 12),
            ("NorthPole", "Sun", 1866, 3, 15, 10), ("Ushuaia", "Moon", 1850, 6, 1, 30),
            ("McMurdo", "Sun", 2150, 10, 16, 14), ("McMurdo", "Moon", 2150, 10, 16, 14),
            ("Quito", "Moon", 2120, 1, 1, 30)]
    rows = []
    for site, name, year, month, day, days in runs:
        zone = SITES[site][2] / 24.0
        first = ephem.julian_date(ephem.Date((year, month, day))) - zone  # local midnight, UT
        for d in range(days):
            midnight = first + d
            body = ephem.Sun() if name == "Sun" else ephem.Moon()
            events, up_at_end = crossings(site, body, midnight, midnight + 1)
            for event in ("rise", "set"):
                times = [t for e, t in events if e == event]
                for t in times or [None]:
                    rows.append([site, "%.4f" % SITES[site][0], "%.4f" % SITES[site][1], "%d" % SITES[site][2],
                                 "%.6f" % midnight, name, event,
                                 "none" if t is None else "%.7f" % t, "up" if up_at_end else "down"])
    write("riseset_days_pyephem.tsv",
          ["site", "lat_deg", "lon_deg", "zone_h", "local_midnight_jd_ut", "body", "event", "event_jd_ut", "at_day_end"], rows)


def passes(tle_path):
    """The next pass of each sample satellite after a few instants within a day of its epoch, from
    sites in both hemispheres: rise, culmination and set instants, the culmination's altitude."""
    lines = [l.rstrip("\n") for l in open(tle_path, encoding="utf-8") if l.strip() and not l.startswith("#")]
    rows = []
    for k in range(0, len(lines) - 2, 3):
        name = lines[k].strip()
        sat = ephem.readtle(lines[k], lines[k + 1], lines[k + 2])
        epoch = float(ephem.Date(sat._epoch)) + DJD
        for j, site in enumerate(("Ushuaia", "Hobart", "Tromso", "Mazatlan")):
            start = epoch + 0.1 + 0.21 * j
            o = observer(site, start)
            sat.compute(o)
            if sat.alt >= 0:
                continue
            try:
                rise, _, culmination, top, setting, _ = o.next_pass(sat)
            except ValueError:  # never up, or always up
                continue
            if rise is None or setting is None or float(rise) + DJD > start + 1:
                continue
            rows.append([name, site, "%.4f" % SITES[site][0], "%.4f" % SITES[site][1], "%.7f" % start, "%.7f" % (float(rise) + DJD),
                         "%.7f" % (float(culmination) + DJD), "%.4f" % math.degrees(top),
                         "%.7f" % (float(setting) + DJD)])
    write("passes_pyephem.tsv", ["satellite", "site", "lat_deg", "lon_deg", "start_jd_ut", "rise_jd_ut", "culmination_jd_ut",
                                 "culmination_alt_deg", "set_jd_ut"], rows)


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    horizon()
    riseset_days()
    passes(sys.argv[1] if len(sys.argv) > 1 else "../shared/data/sample.tle")
