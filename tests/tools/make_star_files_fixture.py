#!/usr/bin/python3
"""Writes the star-file fixture of the catalog converter's tests (tests/tools/catalog_fixture/
star_files): binary star-data files in the layout of Debian's kstars-data (a description, a field
table, a region index, 32-byte records) and a text star catalog in its fixed columns, holding
made-up stars placed against the package fixture's stars (tests/tools/catalog_fixture/
stars.14.json). Run it again after changing a star here; never edit the files by hand.
    /usr/bin/python3 tests/tools/make_star_files_fixture.py
"""
import math
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "catalog_fixture", "star_files")
EPOCH_YEARS = 2000.0 - 1991.25  # binary positions are at the Hipparcos epoch

FIELDS = [  # name, size, type, scale
    ("RA", 4, 5, 1000000), ("Dec", 4, 5, 100000), ("dRA", 4, 5, 10), ("dDec", 4, 5, 10),
    ("parallax", 4, 5, 10), ("HD", 4, 5, 10), ("mag", 2, 3, 100), ("bv_index", 2, 3, 100),
    ("spec_type", 2, 7, 0), ("flags", 1, 0, 0), ("unused", 1, 0, 100),
]

# name, R.A. and Dec. at epoch 2000.0 (degrees), mu alpha * and mu delta (mas/yr),
# parallax (mas), HD, V
NAMED = [
    ("Sirius: by HD", 101.2872, -16.7161, -546.0, -1223.1, 379.2, 48915, -1.44),
    ("Betelgeuse: by HD", 88.7929, 7.4071, 27.3, 10.9, 7.6, 39801, 0.45),
]
UNNAMED = [
    ("Vega: by position, no HD", -80.7653 + 360 + 2.0 / 3600, 38.7837, 201.0, 287.5, 128.9, 0,
     0.03),
    ("HIP 400: by position, no parallax", 10.01, 0.0 + 3.0 / 3600, 5.0, -7.0, 0.0, 0, 6.10),
    ("HIP 401: near, but 0.8 magnitudes apart", 9.99 + 5.0 / 3600, 0.0, 1.0, 1.0, 2.0, 0, 5.8),
    ("HIP 200: 12 arcseconds away", 310.0, 40.0 + 12.0 / 3600, 3.0, 3.0, 3.0, 0, 6.2),
    ("b1 Cen: its HD, 2 arcminutes away", 210.0, -40.0 + 2.0 / 60, 9.0, 9.0, 9.0, 120000, 4.0),
]
TEXT = [  # pi3 Ori only here; Betelgeuse in both, with another parallax
    ("pi3 Ori", 72.4601, 6.9613, 464.0, 11.2, 124.6, 3.19),
    ("Betelgeuse", 88.7929, 7.4071, 27.5, 11.3, 5.1, 0.45),
]


def at_hipparcos_epoch(ra, dec, mu_a, mu_d):
    dec0 = dec - mu_d * EPOCH_YEARS / 3.6e6
    ra0 = ra - mu_a * EPOCH_YEARS / 3.6e6 / math.cos(math.radians(dec0))
    return ra0 % 360.0, dec0


def record(star):
    _, ra, dec, mu_a, mu_d, plx, hd, mag = star
    ra0, dec0 = at_hipparcos_epoch(ra, dec, mu_a, mu_d)
    return struct.pack("<iiiiiihh2sBB", round(ra0 / 15 * 1e6), round(dec0 * 1e5),
                       round(mu_a * 10), round(mu_d * 10), round(plx * 10), hd,
                       round(mag * 100), 0, b"A0", 0, 0)


def star_file(stars, order):
    head = b"Star-data fixture: the kstars-data layout, written for Quorvane's tests".ljust(124, b"\0")
    head += struct.pack(order + "HBH", 0x4B53, 1, len(FIELDS))
    for name, size, kind, scale in FIELDS:
        head += struct.pack(order + "10sBBi", name.encode(), size, kind, scale)
    # Four regions: the stars in the first two, the first star repeated in the third (a star
    # crossing region edges is stored in each), the fourth empty.
    regions = [stars[:1], stars[1:], stars[:1], []]
    start = len(head) + 4 + 12 * len(regions) + 5
    index, body = b"", b""
    for rid, members in enumerate(regions):
        index += struct.pack(order + "III", rid, start + len(body), len(members))
        for s in members:
            body += swap_record(record(s)) if order == ">" else record(s)
    trailer = struct.pack(order + "hBH", 800, 3, 15)
    return head + struct.pack(order + "I", len(regions)) + index + trailer + body


def swap_record(rec):
    values = struct.unpack("<iiiiiihh2sBB", rec)
    return struct.pack(">iiiiiihh2sBB", *values)


def text_line(star):
    _, ra, dec, mu_a, mu_d, plx, mag = star
    h = ra / 15
    hh, mm = int(h), int(h * 60) % 60
    ss = (h * 3600) % 60
    d = abs(dec)
    dd, dm = int(d), int(d * 60) % 60
    ds = (d * 3600) % 60
    sign = "-" if dec < 0 else "+"
    return "%02d%02d%05.2f %s%02d%02d%04.1f %+09.1f%+09.1f%07.1f %05.2f0.00A0 0" % (
        hh, mm, ss, sign, dd, dm, ds, mu_a, mu_d, plx, mag)


def main():
    with open(os.path.join(HERE, "namedstars.dat"), "wb") as f:
        f.write(star_file(NAMED, "<"))
    with open(os.path.join(HERE, "unnamedstars.dat"), "wb") as f:
        f.write(star_file(UNNAMED, "<"))
    with open(os.path.join(HERE, "namedstars-big-endian.dat"), "wb") as f:
        f.write(star_file(NAMED, ">"))
    with open(os.path.join(HERE, "stars.dat"), "w") as f:
        f.write("# Star catalog fixture: the kstars-data text columns, written for Quorvane's tests\n")
        for s in TEXT:
            f.write(text_line(s) + "\n")
        f.write("not a star line\n")


main()
