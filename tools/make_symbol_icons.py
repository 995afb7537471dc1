#!/usr/bin/python3
"""Draws the chart's symbol icons resources/icons/301.png ... 315.png.

Icon 300 + k is the symbol of the solar-system body kind k: 1 Sun, 2 Mercury, 3 Venus, 4 Earth,
5 Mars, 6 Jupiter, 7 Saturn, 8 Uranus, 9 Neptune, 10 Pluto, 11 comet, 12 asteroid,
13 spacecraft, 14 Earth satellite, 15 Moon. Each is a 32 x 32 mask: opaque black where the
symbol is, transparent elsewhere, no partial pixels (the chart tints it with the pen colour).
The shapes are strokes and fills of circles, arcs, segments and polygons measured in pixels,
with pixel centres at half-integers and y downward; a pixel is set when its centre lies on a
shape. Run it from anywhere; it rewrites the fifteen files.
"""

import math
import os
import struct
import zlib

SIZE = 32
STROKE = 2.6  # line width, pixels


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def ring(cx, cy, r, width=STROKE):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) <= width / 2


def disc(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) <= r


def line(ax, ay, bx, by, width=STROKE):
    return lambda x, y: segment_distance(x, y, ax, ay, bx, by) <= width / 2


def arc(cx, cy, r, start_deg, end_deg, width=STROKE):
    """Counterclockwise as seen on the icon (y up) from start to end, degrees."""
    def inside(x, y):
        if abs(math.hypot(x - cx, y - cy) - r) > width / 2:
            return False
        angle = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return (angle - start_deg) % 360 <= (end_deg - start_deg) % 360
    return inside


def polygon(*points):
    def inside(x, y):
        crossings = False
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                crossings = not crossings
        return crossings
    return inside


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def point_on_circle(cx, cy, r, deg):
    return cx + r * math.cos(math.radians(deg)), cy - r * math.sin(math.radians(deg))


SYMBOLS = {
    # Sun: a circle with its centre.
    301: [ring(16, 16, 11.5), disc(16, 16, 2.6)],
    # Mercury: horns over a circle over a cross.
    302: [arc(16, 4.5, 5.5, 190, 350), ring(16, 14, 5.5), line(16, 19.5, 16, 30), line(11, 25, 21, 25)],
    # Venus: a circle over a cross.
    303: [ring(16, 11, 7.5), line(16, 18.5, 16, 30.5), line(10.5, 25, 21.5, 25)],
    # Earth: a circle quartered.
    304: [ring(16, 16, 11.5), line(16, 4.5, 16, 27.5), line(4.5, 16, 27.5, 16)],
    # Mars: a circle with an arrow to the upper right.
    305: [ring(12.5, 19.5, 7.5), line(*point_on_circle(12.5, 19.5, 7.5, 45), 27.5, 4.5),
          line(27.5, 4.5, 18.5, 4.5), line(27.5, 4.5, 27.5, 13.5)],
    # Jupiter: a hooked stroke on a cross.
    306: [arc(11, 10, 6, 315, 160), line(*point_on_circle(11, 10, 6, 315), 4.5, 21),
          line(4.5, 21, 28.5, 21), line(22, 4.5, 22, 29.5)],
    # Saturn: a crossed staff with a sickle.
    307: [line(11, 3.5, 11, 24), line(5.5, 8, 16.5, 8), arc(16, 17.5, 5, 0, 180),
          line(21, 17.5, 21, 25), line(21, 25, 25.5, 29)],
    # Uranus: a circle with its centre and an arrow up.
    308: [ring(16, 21.5, 7), disc(16, 21.5, 2.2), line(16, 14.5, 16, 2.5),
          line(16, 2.5, 10.5, 8), line(16, 2.5, 21.5, 8)],
    # Neptune: a trident.
    309: [arc(16, 9, 9, 180, 360), line(7, 9, 7, 3), line(25, 9, 25, 3), line(16, 3, 16, 30.5),
          line(10, 24, 22, 24)],
    # Pluto: the letters P and L joined.
    310: [line(9, 3.5, 9, 29), line(9, 29, 24, 29), line(9, 4, 15, 4), arc(15, 10, 6, 270, 90),
          line(15, 16, 9, 16)],
    # Comet: a head with a tail of three streaks.
    311: [disc(9.5, 22.5, 5), line(11, 19, 27.5, 3.5), line(13, 22.5, 29, 11.5), line(8, 18, 18, 2.5)],
    # Asteroid: a six-pointed asterisk.
    312: [line(16, 4, 16, 28), line(5.6, 10, 26.4, 22), line(5.6, 22, 26.4, 10)],
    # Spacecraft: a rocket with fins.
    313: [polygon((16, 2), (20.5, 9.5), (20.5, 24), (11.5, 24), (11.5, 9.5)),
          polygon((11.5, 16), (6, 28), (11.5, 24)), polygon((20.5, 16), (26, 28), (20.5, 24)),
          line(16, 24, 16, 29.5)],
    # Earth satellite: a body between two solar panels, with an antenna.
    314: [polygon((12.5, 12.5), (19.5, 12.5), (19.5, 19.5), (12.5, 19.5)),
          line(3, 12.5, 10.5, 12.5), line(3, 19.5, 10.5, 19.5),
          line(3, 12.5, 3, 19.5), line(10.5, 12.5, 10.5, 19.5), line(21.5, 12.5, 29, 12.5),
          line(21.5, 19.5, 29, 19.5), line(21.5, 12.5, 21.5, 19.5), line(29, 12.5, 29, 19.5),
          line(10.5, 16, 21.5, 16), line(16, 12.5, 16, 5), arc(16, 3.5, 3.5, 180, 360)],
    # Moon: a crescent, horns to the left.
    315: [minus(disc(16, 16, 12), disc(10.5, 13.5, 10.5))],
}


def mask(shapes):
    return [[any(shape(x + 0.5, y + 0.5) for shape in shapes) for x in range(SIZE)] for y in range(SIZE)]


def png(rows):
    raw = b"".join(b"\0" + b"".join(b"\0\0\0\xff" if on else b"\0\0\0\0" for on in row) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "icons")
    os.makedirs(folder, exist_ok=True)
    for number, shapes in SYMBOLS.items():
        with open(os.path.join(folder, f"{number}.png"), "wb") as out:
            out.write(png(mask(shapes)))


if __name__ == "__main__":
    main()
