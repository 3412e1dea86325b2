"""The keys of the gearmesh window that talk to the console, and ESC.

'z' typed in the window asks again, on the console, for the numbers of teeth and
then for the shift coefficients; 'x' asks for the shifts only. The window keeps
its old picture until the next key that redraws, which then shows the new pair
in the same view. Upper-case 'Z' and 'X' do nothing at all. ESC ends the program
with status 0. The test answers the console through the program's standard
input, reads the prompts and the report from its standard output, and checks the
pictures and the printed working pressure angle and centre distance against the
geometry of each new pair.
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import math
import re

import harness
import geometry
import scene
from test_views import LEGENDS

SAME = 20
TEETH_HEADING = "(1) 歯車１，２の歯数設定"
NO_MESH = "かみ合いできない"


def check_report(checks, text, pair, label):
    """The report's angle and centre distance are those of the pair."""
    m = re.search(r"かみ合い圧力角αb=\s*([0-9.]+)\[deg\]", text)
    a = re.search(r"軸間距離a=\s*([0-9.]+)", text)
    want_angle = math.degrees(pair.alpha)
    want_a = pair.gear1.rb + pair.gear2.rb
    ok = m is not None and a is not None and abs(float(m.group(1)) - want_angle) <= 0.0011 \
        and abs(float(a.group(1)) - want_a) <= 0.00011
    checks.check(ok, "%s: the report gives working pressure angle %.3f deg and centre distance "
                 "%.4f" % (label, want_angle, want_a),
                 "report says %s deg, %s" % (m and m.group(1), a and a.group(1)))


def body(checks, binary):
    first = geometry.Pair(10, 30, 0.5, 0.0)
    with harness.Session(binary, (10, 30), (0.5, 0.0), name="keys") as s:
        check_report(checks, s.console.text(), first, "start, 10/30 x=0.5/0")
        s.settle()
        f0 = s.press("3")
        f1 = s.press("s")
        s.keys("3")
        s.wait_like(f0, SAME)

        # Upper-case letters are no commands: the 's' after them must give the
        # picture of one step, not of two, and nothing may appear on the console.
        for key in ("Z", "X"):
            mark = s.console.mark()
            s.keys(key, "s")
            try:
                after = s.wait_change(f0, timeout=8)
            except harness.TestFailure:
                # A dialogue waiting on the console holds up every later key.
                checks.check(False, "'%s' leaves the window responsive" % key,
                             "the 's' after it was not drawn; console: %r"
                             % s.console.text(mark)[-200:])
                return
            checks.check(after.differing_pixels(f1) <= SAME,
                         "'%s' neither redraws nor turns the gears" % key,
                         "%d pixels differ from one step" % after.differing_pixels(f1), after)
            checks.check(s.console.text(mark) == "",
                         "'%s' prints nothing on the console" % key,
                         repr(s.console.text(mark)[:200]))
            s.keys("3")
            s.wait_like(f0, SAME)
        s.press("s")

        # 'z': teeth, then shifts, on the console.
        mark = s.console.mark()
        s.keys("z")
        at = s.console.wait_for(harness.TEETH_PROMPT, mark)
        shown = s.console.text(mark)
        checks.check(harness.TITLE_LINE in shown and TEETH_HEADING in shown
                     and harness.SHIFT_PROMPT not in shown,
                     "'z' shows the title and asks for the numbers of teeth (and no more)",
                     repr(shown[-300:]))
        s.send("12 24")
        at = s.console.wait_for(harness.SHIFT_PROMPT, at)
        s.send("0 0")
        end = s.console.wait_for(harness.REPORT_END, at)
        report = s.console.text(mark)[:end - mark]
        new = geometry.Pair(12, 24, 0.0, 0.0)
        checks.check("z1= 12" in report and "z2= 24" in report,
                     "after 'z' the report is for the new pair 12/24", repr(report[-400:]))
        check_report(checks, report, new, "after 'z', 12/24 x=0/0")
        shown = s.settle()
        scene.check_teeth(checks, shown, [new.gear1, new.gear2], 0.2,
                          "after the 'z' dialogue, before any key")
        f = s.press("s")
        label = "after 'z' and 's' (12/24 x=0/0)"
        scene.check_legend(checks, f, LEGENDS["3"], label)
        scene.check_teeth(checks, f, [new.gear1, new.gear2], 0.2, label)
        scene.check_mesh_marks(checks, f, new, 0.2, label)

        # 'x': shifts only; a pair that cannot mesh is refused and asked again.
        mark = s.console.mark()
        s.keys("x")
        at = s.console.wait_for(harness.SHIFT_PROMPT, mark)
        shown = s.console.text(mark)
        checks.check(harness.TITLE_LINE not in shown and harness.TEETH_PROMPT not in shown,
                     "'x' asks for the shift coefficients only", repr(shown[-300:]))
        s.send("-0.5 -0.5")
        try:
            at = s.console.wait_for(NO_MESH, at)
            at = s.console.wait_for(harness.SHIFT_PROMPT, at)
            refused = True
        except harness.TestFailure as exc:
            refused = False
            print("     %s" % exc)
        checks.check(refused, "shifts that cannot mesh are refused and asked for again")
        if not refused:
            return
        s.send("0.5 0.25")
        end = s.console.wait_for(harness.REPORT_END, at)
        shifted = geometry.Pair(12, 24, 0.5, 0.25)
        check_report(checks, s.console.text(mark)[:end - mark], shifted, "after 'x', 12/24 x=0.5/0.25")
        shown = s.settle()
        scene.check_teeth(checks, shown, [shifted.gear1, shifted.gear2], 0.2,
                          "after the 'x' dialogue, before any key")
        f = s.press("s")
        label = "after 'x' and 's' (12/24 x=0.5/0.25)"
        scene.check_teeth(checks, f, [shifted.gear1, shifted.gear2], 0.2, label)
        scene.check_mesh_marks(checks, f, shifted, 0.2, label)
        f = s.press("4")
        standard = geometry.Pair(12, 24, 0.0, 0.0, standard=True)
        label = "after 'x', view 4 (standard 12/24)"
        scene.check_teeth(checks, f, [standard.gear1, standard.gear2], 0.2, label,
                          lambda g: g.r0)

        s.keys("Escape")
        status = s.wait_exit(10)
        checks.check(status == 0, "ESC ends the program with status 0", "status %r" % status)


if __name__ == "__main__":
    harness.main("keys", body, time_limit=90)
