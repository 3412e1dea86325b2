"""Reading a screenshot of the gearmesh window the way a person looks at it.

A frame is kept as three colour planes. The window draws with flat, unblended
colours, so "red teeth" or "green path of contact" are exact RGB values and can be
found by whole-plane byte operations, which keeps an 800 x 800 frame cheap enough
to analyse many times per test in plain Python.

Coordinates: pixel (px, py) with py growing downwards, as X delivers them. For
geometry the tests use window-centred pixel coordinates with y up (see
`Frame.to_centred`), so that a model point (mx, my) at zoom `scale` lands at
(mx, my) * 400 * scale in an 800-pixel window.
"""

import math
import re
import struct
import zlib

WHITE = (255, 255, 255)
RED = (255, 0, 0)
GREEN = (0, 255, 0)
BLUE = (0, 0, 255)
BLACK = (0, 0, 0)
YELLOW = (255, 255, 0)
PURPLE = (255, 0, 255)

# The legend is bitmap text drawn with lighting on and no light source: a dark
# grey. Anything this dark counts as "ink" when the legend area is examined.
DARK_LIMIT = 80


def _table(pred):
    return bytes(1 if pred(v) else 0 for v in range(256))


_EXACT_TABLES = {v: _table(lambda c, v=v: c == v) for v in (0, 255)}
_DARK_TABLE = _table(lambda c: c <= DARK_LIMIT)


def _and(*planes):
    n = len(planes[0])
    acc = int.from_bytes(planes[0], "big")
    for p in planes[1:]:
        acc &= int.from_bytes(p, "big")
    return acc.to_bytes(n, "big")


class Frame:
    def __init__(self, width, height, r, g, b):
        self.w = width
        self.h = height
        self.r, self.g, self.b = r, g, b
        self._masks = {}

    # [SECTION] Pixels and masks
    def pixel(self, px, py):
        i = py * self.w + px
        return (self.r[i], self.g[i], self.b[i])

    def mask(self, colour):
        """Bytes with 1 where the pixel has exactly this colour."""
        if colour not in self._masks:
            planes = []
            for plane, value in zip((self.r, self.g, self.b), colour):
                if value in _EXACT_TABLES:
                    planes.append(plane.translate(_EXACT_TABLES[value]))
                else:
                    planes.append(plane.translate(_table(lambda c, v=value: c == v)))
            self._masks[colour] = _and(*planes)
        return self._masks[colour]

    def dark_mask(self):
        if "dark" not in self._masks:
            self._masks["dark"] = _and(self.r.translate(_DARK_TABLE),
                                       self.g.translate(_DARK_TABLE),
                                       self.b.translate(_DARK_TABLE))
        return self._masks["dark"]

    def count(self, colour):
        return self.mask(colour).count(1)

    def positions(self, colour):
        """(px, py) of every pixel of this colour."""
        w = self.w
        return [(m.start() % w, m.start() // w)
                for m in re.finditer(b"\x01", self.mask(colour))]

    def count_in_box(self, colour, x0, y0, x1, y1, mask=None):
        """Pixels of the colour in the box x0 <= px < x1, y0 <= py < y1."""
        m = mask if mask is not None else self.mask(colour)
        x0, y0 = max(0, x0), max(0, y0)
        x1, y1 = min(self.w, x1), min(self.h, y1)
        total = 0
        for py in range(y0, y1):
            total += m.count(1, py * self.w + x0, py * self.w + x1) if x1 > x0 else 0
        return total

    def count_near(self, colour, cx, cy, radius):
        """Pixels of the colour within `radius` of the pixel position (cx, cy)."""
        m = self.mask(colour)
        total = 0
        r2 = radius * radius
        for py in range(int(math.floor(cy - radius)), int(math.ceil(cy + radius)) + 1):
            for px in range(int(math.floor(cx - radius)), int(math.ceil(cx + radius)) + 1):
                if 0 <= px < self.w and 0 <= py < self.h and \
                        (px + 0.5 - cx) ** 2 + (py + 0.5 - cy) ** 2 <= r2 and \
                        m[py * self.w + px]:
                    total += 1
        return total

    # [SECTION] Comparing frames
    def differing_pixels(self, other):
        if (self.w, self.h) != (other.w, other.h):
            return self.w * self.h
        n = self.w * self.h
        acc = 0
        for a, b in ((self.r, other.r), (self.g, other.g), (self.b, other.b)):
            acc |= int.from_bytes(a, "big") ^ int.from_bytes(b, "big")
        diff = acc.to_bytes(n, "big")
        return n - diff.count(0)

    def same_as(self, other, tolerance=0):
        return self.differing_pixels(other) <= tolerance

    # [SECTION] Geometry helpers
    def to_centred(self, px, py):
        """Pixel centre in window-centred coordinates, y up."""
        return (px + 0.5 - self.w / 2.0, self.h / 2.0 - (py + 0.5))

    def from_centred(self, x, y):
        """Window-centred coordinates (y up) to fractional pixel position."""
        return (x + self.w / 2.0 - 0.5, self.h / 2.0 - y - 0.5)

    # [SECTION] Saving
    def png_bytes(self):
        w, h = self.w, self.h
        rgb = bytearray(w * h * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = self.r, self.g, self.b
        raw = b"".join(b"\x00" + bytes(rgb[y * w * 3:(y + 1) * w * 3]) for y in range(h))

        def chunk(tag, data):
            body = tag + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        return (b"\x89PNG\r\n\x1a\n"
                + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 9))
                + chunk(b"IEND", b""))

    def save_png(self, path):
        with open(path, "wb") as f:
            f.write(self.png_bytes())


def load_png(path):
    """A Frame from an 8-bit RGB or RGBA PNG file without interlace, as gearmesh and
    rsvg-convert write them (the alpha is dropped)."""
    with open(path, "rb") as f:
        data = f.read()
    w, h, at, idat = *struct.unpack(">II", data[16:24]), 8, b""
    k = 4 if data[25] == 6 else 3  # bytes a pixel
    while at < len(data):
        length, tag = struct.unpack(">I4s", data[at:at + 8])
        idat += data[at + 8:at + 8 + length] if tag == b"IDAT" else b""
        at += 12 + length
    raw, n, prev, rows = zlib.decompress(idat), k * w, bytearray(k * w), []
    for y in range(h):
        kind, row = raw[y * (n + 1)], bytearray(raw[y * (n + 1) + 1:(y + 1) * (n + 1)])
        for i in range(n):  # the five row filters a PNG may use
            a, b, c = (row[i - k], prev[i], prev[i - k]) if i >= k else (0, prev[i], 0)
            p = a + b - c
            paeth = a if abs(p - a) <= min(abs(p - b), abs(p - c)) else \
                b if abs(p - b) <= abs(p - c) else c
            row[i] = (row[i] + (0, a, b, (a + b) >> 1, paeth)[kind]) & 255
        rows.append(bytes(row))
        prev = row
    pixels = b"".join(rows)
    return Frame(w, h, pixels[0::k], pixels[1::k], pixels[2::k])
