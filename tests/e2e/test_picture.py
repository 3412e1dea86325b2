"""Key 'p' saves the picture in the window as a PNG file and an SVG file, and
GLUT's options pass.

The program starts in a folder of the test's own with "-display NAME -geometry
600x500" (no DISPLAY), so GLUT must take both from the command line. After '3'
and a few steps 'p' must write the settled window's pixels (the edge rows and
columns aside, which the grab cannot see at (-1, -1)) above a caption, and the
SVG of the same name, and turn nothing; a second 'p' must write the same
pictures under the next number, beside the first. (test_saved_pictures.py
holds the SVG to the PNG.)
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import os
import tempfile

import harness
import picture


def inner(f, h=None):
    """The rows and columns of a frame but its edges; of its first h rows only, if given."""
    h = f.h if h is None else h
    return [bytes(p[y * f.w + 1:(y + 1) * f.w - 1]) for p in (f.r, f.g, f.b) for y in range(1, h - 1)]


def body(checks, binary):
    with tempfile.TemporaryDirectory(prefix="gearmesh-picture-") as folder, \
            harness.Session(binary, name="picture", cwd=folder, args=["-geometry", "600x500"],
                            display_option=True) as s:
        s.settle()
        s.press("3")
        shown = s.press("s", "s", "s")
        first = os.path.join(os.path.realpath(folder), "gearmesh_10-30_0.5-0_view3.png")
        for path in (first, first[:-4] + "-2.png"):
            mark = s.console.mark()
            s.keys("p")
            s.console.wait_for(".svg", s.console.wait_for("\n図を保存しました：", mark))
            said = "\n図を保存しました：%s\n図を保存しました：%s.svg" % (path, path[:-4])
            checks.check(s.console.text().endswith(said), "the console says " + path + " and its SVG",
                         s.console.text(mark))
            saved = picture.load_png(path)
            checks.check(saved.w == 600 and saved.h > 550 and inner(saved, 500) == inner(shown),
                         "its pixels are the window's, 600 x 500, a caption below", "", saved)
        after = s.settle()
        checks.check(after.same_as(shown), "'p' turns nothing", "", after)
        checks.check(len(os.listdir(folder)) == 4, "all four files stay", repr(os.listdir(folder)))


if __name__ == "__main__":
    harness.main("picture", body, time_limit=90)
