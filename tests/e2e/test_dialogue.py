"""The window while the console dialogue of 'z' and 'x' waits for its answers.

It goes on living: unmapped and mapped again (minimised and restored) it paints
its picture anew instead of staying black; a key typed into it by mistake is
dropped, not run once the dialogue has its answers; ESC still ends the program
with status 0. Once the dialogue accepts a pair, the window shows it without
waiting for a key.
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import harness
import geometry
import scene
from test_views import LEGENDS

SAME = 20
WAIT = 5.0  # a window that does not live never gets there; no need to wait long


def open_dialogue(s, key, prompt):
    mark = s.console.mark()
    s.keys(key)
    return s.console.wait_for(prompt, mark)


def body(checks, binary):
    with harness.Session(binary, (10, 30), (0.5, 0.0), name="dialogue") as s:
        s.settle()
        f0 = s.press("3")
        at = open_dialogue(s, "x", harness.SHIFT_PROMPT)
        s.x.remap(s.window)
        s.focus()
        f = s.wait_like(f0, SAME, WAIT)
        checks.check(f.differing_pixels(f0) <= SAME,
                     "unmapped and mapped again during the dialogue, the window repaints "
                     "its picture",
                     "%d pixels differ" % f.differing_pixels(f0), f)
        s.keys("2")
        s.wait_idle()  # the key has reached the program before the answer does
        s.send("0 0")
        s.console.wait_for(harness.REPORT_END, at)
        f = s.settle()
        scene.check_legend(checks, f, LEGENDS["3"], "a '2' typed into the window during the "
                           "dialogue is dropped")
        pair = geometry.Pair(10, 30, 0.0, 0.0)
        scene.check_teeth(checks, f, [pair.gear1, pair.gear2], 0.2,
                          "after the dialogue, without a key, the new pair")

        open_dialogue(s, "z", harness.TEETH_PROMPT)
        s.keys("Escape")
        status = s.wait_exit(WAIT)
        checks.check(status == 0, "ESC during the dialogue ends the program with status 0",
                     "status %r" % status)


if __name__ == "__main__":
    harness.main("dialogue", body, time_limit=90)
