"""Compares the frames two builds' window tests kept (GEARMESH_E2E_FRAMES) picture by
picture: the share of each picture's ink (its pixels that are not white) that is
misplaced, a pixel of one colour in either picture with no pixel of that colour
within one pixel (the 3 x 3 block about it) in the other.

Usage: python3 scripts/compare-frames.py FOLDER_A FOLDER_B [LIMIT]
Prints the worst pictures and fails when one misplaces more than LIMIT (0.002).
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import picture  # noqa: E402  (the window tests' PNG reader)


_columns = {}


def _grown(bits, w, n):
    """The mask (an int, a byte a pixel, row after row) grown by one pixel each way."""
    if (w, n) not in _columns:
        _columns[(w, n)] = tuple(
            int.from_bytes(bytes(1 if i % w == col else 0 for i in range(n)), "big")
            for col in (0, w - 1))
    first, last = _columns[(w, n)]
    row = bits | ((bits << 8) & ~last) | ((bits >> 8) & ~first)
    return row | (row << 8 * w) | (row >> 8 * w)


def misplaced_share(a, b):
    """Misplaced pixels over ink, both ways, and the ink of the larger picture."""
    colours = set(zip(a.r, a.g, a.b)) | set(zip(b.r, b.g, b.b))
    colours.discard(picture.WHITE)
    misplaced = 0
    n = a.w * a.h
    for colour in colours:
        ma = int.from_bytes(a.mask(colour), "big")
        mb = int.from_bytes(b.mask(colour), "big")
        misplaced += bin(ma & ~_grown(mb, a.w, n)).count("1")
        misplaced += bin(mb & ~_grown(ma, a.w, n)).count("1")
    ink = max(a.w * a.h - a.count(picture.WHITE), b.w * b.h - b.count(picture.WHITE), 1)
    return misplaced, ink


def main(argv):
    limit = float(argv[3]) if len(argv) > 3 else 0.002
    rows = []
    for name in sorted(os.listdir(argv[1])):
        other = os.path.join(argv[2], name)
        if name.endswith(".png") and os.path.exists(other):
            a = picture.load_png(os.path.join(argv[1], name))
            b = picture.load_png(other)
            misplaced, ink = misplaced_share(a, b)
            rows.append((misplaced / ink, misplaced, ink, name))
    rows.sort(reverse=True)
    for share, misplaced, ink, name in rows[:10]:
        print("%7.4f%%  %5d of %6d ink pixels  %s" % (100 * share, misplaced, ink, name))
    print("%d pictures compared, the worst misplaces %.4f%% of its ink" %
          (len(rows), 100 * (rows[0][0] if rows else 0.0)))
    return 0 if rows and rows[0][0] <= limit else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
