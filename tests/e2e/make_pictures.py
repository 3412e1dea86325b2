"""Takes the pictures of docs/: the five views of gearmesh, from the real program.

The pair is 10/30 with gear 1 shifted by 0.5: views 1 to 3 show the shifted
pair, view 4 the standard pair with the same numbers of teeth, whose 10-tooth
gear is undercut. The mesh views are turned a few steps on from the start so
that the contact points lie away from the pitch point: view 3 at a moment when
two pairs of teeth are in contact at once, and view 5 at the same moment. Each
picture is the 800 x 800 window
exactly as the program drew it, through the same harness as the tests.

Usage: make_pictures.py PATH_TO_GEARMESH OUTPUT_DIRECTORY
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import harness  # noqa: E402

PAIR = ((10, 30), (0.5, 0.0))
VIEW3_STEPS = 24
VIEW4_STEPS = 10
VIEW5_STEPS = 24


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    binary, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    with harness.Session(binary, *PAIR, name="pictures") as s:
        shots = {"view1": s.settle(), "view2": s.press("2")}
        s.press("3")
        shots["view3"] = s.press(*["s"] * VIEW3_STEPS)
        s.press("4")
        shots["view4"] = s.press(*["s"] * VIEW4_STEPS)
        s.press("5")
        shots["view5"] = s.press(*["s"] * VIEW5_STEPS)
        s.keys("Escape")
        s.wait_exit(10)
    for name, frame in sorted(shots.items()):
        if (frame.w, frame.h) != (800, 800):
            print("the window is %d x %d, not 800 x 800" % (frame.w, frame.h), file=sys.stderr)
            return 1
        path = os.path.join(out, name + ".png")
        frame.save_png(path)
        print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
