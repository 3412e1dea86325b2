"""The high-contrast display in a real window, and the SVG file that 'p' writes
beside its PNG, for views 1 to 5 of 10/30 with shifts 0.5 and -0.1, first as
designed, then after 'h'. In English: the SVG's Japanese would come from whatever
Japanese font its renderer finds, other shapes than the window's 16-pixel glyphs.

- High contrast: every colour in the window has at least 3:1 against white
  (WCAG), the lines are 3 pixels wide where the design has 2 (the commonest run of
  a line colour down the columns), and 'h' again gives the design's picture back.
- 'p': NAME.png is the window above a caption; NAME.svg, rasterised by
  rsvg-convert at its size, has at most 1% of either picture's ink (pixels at
  least half covered) without ink of the other within one pixel; its stroke and
  fill colours are the PNG's figure colours exactly; its caption holds the
  report's numbers. Run by Debian's python3, for numpy.
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import os
import re
import subprocess
import tempfile

import numpy as np

import harness
import picture

END_EN = "ESC key     : quit"
TEXT = (10, 10, 10)  # the legends' grey
KEYS = [["1"], ["2"], ["3", "s", "s"], ["4", "s"], ["5", "s"]]
MISPLACED_SHARE = 0.01


def pixels(frame):
    return np.stack([np.frombuffer(p, np.uint8).reshape(frame.h, frame.w)
                     for p in (frame.r, frame.g, frame.b)], -1).astype(int)


def contrast(c):  # WCAG, of an 8-bit colour against white
    s = np.array(c) / 255.0
    lin = np.where(s <= 0.04045, s / 12.92, ((s + 0.055) / 1.055) ** 2.4)
    return 1.05 / (lin @ [0.2126, 0.7152, 0.0722] + 0.05)


def near(mask):  # within one pixel of the mask
    padded = np.pad(mask, 1)
    h, w = mask.shape
    return np.any([padded[dy:dy + h, dx:dx + w] for dy in range(3) for dx in range(3)], 0)


def misplaced(a, b):  # ink of a without ink of b within one pixel, as a share of a's
    ink_a, ink_b = (255 - a).max(-1) >= 128, (255 - b).max(-1) >= 128
    return (ink_a & ~near(ink_b)).sum() / max(1, ink_a.sum())


def colours(a):
    return {tuple(c) for c in np.unique(a.reshape(-1, 3), axis=0)} - {(255, 255, 255)}


def line_width(a):
    """The commonest length of the runs down the columns of the line colours."""
    lines = ~np.isin(a @ [65536, 256, 1], [0xFFFFFF, 0xFF0000, 0x0A0A0A])
    column = np.vstack([np.zeros((1, a.shape[1]), bool), lines, np.zeros((1, a.shape[1]), bool)]).T
    edges = np.diff(column.astype(int), axis=1)
    runs = np.nonzero(edges.ravel() == -1)[0] - np.nonzero(edges.ravel() == 1)[0]
    return np.bincount(runs).argmax()


# The pair's numbers as the report and the caption write them.
NUMBER = re.compile(r"\b(z1|z2|x1|x2|αb|a|ε|c)= ?(-?[\d.]+)")


def numbers(text):  # the first of each
    found = {}
    for key, value in NUMBER.findall(text):
        found.setdefault(key, value)
    return found


def check_files(checks, s, folder, what):
    mark = s.console.mark()
    s.keys("p")
    end = s.console.wait_for(".svg", s.console.wait_for("Picture saved: ", mark))
    path = s.console.text()[:end].rsplit(" ", 1)[1]
    png = pixels(picture.load_png(path[:-4] + ".png"))
    raster = os.path.join(folder, "raster.png")
    subprocess.run(["rsvg-convert", "-o", raster, "-b", "white", path], check=True)
    svg_frame = pixels(picture.load_png(raster))
    svg = open(path, encoding="utf-8").read()
    shares = (misplaced(png, svg_frame), misplaced(svg_frame, png)) \
        if png.shape == svg_frame.shape else (1, 1)
    checks.check(max(shares) <= MISPLACED_SHARE, "the SVG of %s looks like its PNG (%.2f%%, "
                 "%.2f%% misplaced)" % (what, 100 * shares[0], 100 * shares[1]), str(png.shape),
                 picture.load_png(raster))
    painted = {tuple(int(h[i:i + 2], 16) for i in (0, 2, 4))
               for h in re.findall(r'(?:stroke|fill)="#([0-9a-f]{6})"', svg)}
    checks.check(painted - {(255, 255, 255), TEXT} == colours(png[:800]) - {TEXT},
                 "the SVG of %s paints in the PNG's colours" % what,
                 "%s against %s" % (painted, colours(png[:800])))
    caption = re.sub(r"<[^>]+>", "", svg[svg.rindex("</g>"):]).replace("&#x2212;", "-")
    report = s.console.text()
    report = numbers(report[report.rindex("Standard pressure angle"):])
    checks.check(len(report) == 8 and numbers(caption) == report,
                 "the caption of %s holds the report's numbers" % what, "%s %s" % (caption, report))
    return png


def body(checks, binary):
    with tempfile.TemporaryDirectory(prefix="gearmesh-saved-") as folder, \
            harness.Session(binary, shifts=(0.5, -0.1), name="saved", cwd=folder, args=["--english"],
                            report_end=END_EN) as s:
        s.settle()
        designed = []
        for keys in KEYS:
            s.keys(*keys)
            designed.append(s.settle())
            png = check_files(checks, s, folder, "view %s" % keys[0])
            checks.check(png.shape == (882, 800, 3) and (png[800:] < 128).any(),
                         "the PNG of view %s has its caption below" % keys[0], str(png.shape))
        checks.check(line_width(pixels(designed[0])) == 2, "the design's lines are 2 pixels wide")
        s.keys("h")
        for keys, before in zip(KEYS, designed):
            s.keys(*keys)
            frame = s.settle()
            low = {c for c in colours(pixels(frame)) if contrast(c) < 3.0}
            checks.check(not low and not frame.same_as(before), "high contrast: every colour of "
                         "view %s has 3:1 against white" % keys[0], str(low), frame)
            checks.check(line_width(pixels(frame)) >= 3, "high contrast: the lines of view %s are "
                         "3 pixels wide" % keys[0], str(line_width(pixels(frame))), frame)
            check_files(checks, s, folder, "view %s in high contrast" % keys[0])
        s.keys("h")
        checks.check(s.settle().same_as(designed[-1]), "'h' again gives the design's picture back")


if __name__ == "__main__":
    harness.main("saved_pictures", body, time_limit=280)
