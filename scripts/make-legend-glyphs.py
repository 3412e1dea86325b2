#!/usr/bin/env python3
"""Writes app/legend_glyphs.cpp: 16-pixel bitmaps of the characters beyond Latin-1
that the window's legends and a picture's caption write, for GLUT, whose bitmap
fonts have no Japanese (the high-contrast display grows them by half).

The glyphs come from the Shinonome 16-dot Gothic font (Debian's xfonts-shinonome,
in the public domain), read through pcf2bdf; both are installed with apt-get when
missing. The characters are every character beyond Latin-1 in the string literals
of the files named (by default the files of app/ that draw legends or captions).
Run it again after a legend gains a character; a debug build asserts on a character without a
glyph.

Usage: scripts/make-legend-glyphs.py [SOURCE_FILE ...]
"""

import gzip
import os
import re
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FONT = "/usr/share/fonts/X11/misc/shnmk16.pcf.gz"
SOURCES = ["app/views.cpp", "app/contact_view.cpp", "app/picture_caption.cpp"]
OUT = os.path.join(ROOT, "app", "legend_glyphs.cpp")


def font_bdf():
    if not os.path.exists(FONT) or shutil.which("pcf2bdf") is None:
        subprocess.run(["apt-get", "install", "-y", "-q", "xfonts-shinonome", "pcf2bdf"],
                       check=True, stdout=subprocess.DEVNULL)
    with gzip.open(FONT) as f:
        pcf = f.read()
    return subprocess.run(["pcf2bdf"], input=pcf, stdout=subprocess.PIPE,
                          check=True).stdout.decode("ascii")


def glyphs_by_jis(bdf):
    """JIS X 0208 code -> 16 rows of 16 bits, top row first."""
    glyphs = {}
    for block in bdf.split("STARTCHAR")[1:]:
        code = int(re.search(r"^ENCODING (\d+)", block, re.M).group(1))
        box = re.search(r"^BBX (-?\d+) (-?\d+) (-?\d+) (-?\d+)", block, re.M)
        w, h, x, y = map(int, box.groups())
        rows = block.split("BITMAP\n", 1)[1].split("ENDCHAR")[0].split()
        # Placed in the font's 16 x 16 cell: baseline 2 rows above its bottom.
        cell = [0] * 16
        for i, row in enumerate(rows):
            line = 14 - (y + h) + i
            if 0 <= line < 16:
                cell[line] = (int(row, 16) >> (len(row) * 4 - w)) << (16 - w - x)
        glyphs[code] = cell
    return glyphs


def jis_code(char):
    euc = char.encode("euc_jp")
    if len(euc) != 2:
        raise SystemExit("%r (U+%04X) is not in JIS X 0208" % (char, ord(char)))
    return ((euc[0] - 0x80) << 8) | (euc[1] - 0x80)


def main():
    sources = sys.argv[1:] or [os.path.join(ROOT, s) for s in SOURCES]
    chars = set()
    for path in sources:
        with open(path, encoding="utf-8") as f:
            for literal in re.findall(r'"((?:[^"\\\n]|\\.)*)"', f.read()):
                chars.update(c for c in literal if ord(c) > 0xFF)
    glyphs = glyphs_by_jis(font_bdf())
    lines = []
    for char in sorted(chars):
        cell = glyphs[jis_code(char)]
        # Bottom row first, as glBitmap reads them; each row padded to four bytes.
        rows = ["0x%02x, 0x%02x, 0, 0," % (r >> 8, r & 0xFF) for r in reversed(cell)]
        body = "\n".join("      " + " ".join(rows[i:i + 4]) for i in range(0, 16, 4))
        lines.append("    {0x%04X,  // %s\n     {\n%s\n     }}," % (ord(char), char, body))
    with open(OUT, "w", encoding="utf-8") as f:
        f.write("// legend_glyphs.cpp -- written by scripts/make-legend-glyphs.py; do not edit.\n"
                "// The characters beyond Latin-1 that the legends write, 16 x 16 pixels, from the\n"
                "// Shinonome 16-dot Gothic font (public domain).\n"
                '#include "app/legend_glyphs.h"\n\n'
                "const LegendGlyph LEGEND_GLYPHS[] = {\n")
        f.write("\n".join(lines) + "\n};\n")
        f.write("const int LEGEND_GLYPH_COUNT =\n"
                "    static_cast<int>(sizeof LEGEND_GLYPHS / sizeof LEGEND_GLYPHS[0]);\n")
    print("%s: %d glyphs" % (os.path.relpath(OUT, ROOT), len(lines)))


if __name__ == "__main__":
    main()
