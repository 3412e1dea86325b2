"""The meshing animation of gearmesh, watched in the window.

In a mesh view every 's' turns gear 1 one step (a fortieth of its angular
pitch) counter-clockwise and gear 2 the matching amount clockwise, and the
contact point moves up the line of action towards N2 by the unrolled base
circle. The test measures the turn from the angles at which the red flanks cross
each gear's pitch circle, and looks for the contact dot and the touching flanks
where the geometry puts them. 'R' turns back (and steps once itself), so N steps
forward and the same number back return to the first picture; 'r' turns forward
again; '3' and '4' restart at angle 0 whatever happened before, including a
direction chosen in view 1.
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import math

import harness
import geometry
import picture
import scene

# Zoomed out five times from the dialogue's 0.2, so that enough of gear 2 is in
# view to measure its turn; 'w' multiplies by 0.9 each time.
ZOOM_OUT = 5
SCALE = 0.2
for _ in range(ZOOM_OUT):
    SCALE = 0.9 * SCALE
Z1, Z2 = 10, 30
SHIFTS = (0.5, 0.0)
SAME = 20  # pixels that may differ between two pictures of the same angle


def crossings(frame, pair, which, radius):
    g = pair.gear1 if which == 1 else pair.gear2
    other = pair.gear2 if which == 1 else pair.gear1
    k = scene.px_per_module(frame, SCALE)
    runs, _ = scene.flank_crossings(frame, g, SCALE, radius(g), [other])
    return scene.merge_close(runs, radius(g) * k)


def check_turn(checks, label, before, after, want, pair, which, radius, frame):
    g = pair.gear1 if which == 1 else pair.gear2
    tooth, space = scene.tooth_angles_on(g, radius(g))
    search = 0.45 * min(tooth, space)
    turn, share = scene.measured_turn(before, after, search=search,
                                      tol=math.radians(0.15) + 1.5 / (radius(g) * 400 * SCALE))
    ok = share >= 0.8 and min(len(before), len(after)) >= 2 and abs(turn - want) <= math.radians(0.25)
    checks.check(ok, "%s: gear %d turned by %+.2f deg" % (label, which, math.degrees(want)),
                 "measured %+.2f deg (%.0f%% matched of %d flanks before, %d after)" % (
                     math.degrees(turn), 100 * share, len(before), len(after)), frame)


def body(checks, binary):
    pair = geometry.Pair(Z1, Z2, *SHIFTS)
    standard = geometry.Pair(Z1, Z2, 0.0, 0.0, standard=True)
    step = geometry.base_step(Z1)
    working = lambda g: g.rb
    with harness.Session(binary, (Z1, Z2), SHIFTS, name="animation") as s:
        s.settle()
        view1 = s.press(*["w"] * ZOOM_OUT)
        # A direction chosen in view 1 must not reach the mesh view.
        s.keys("R", "s")
        f0 = s.press("3")
        checks.check(not f0.same_as(view1, SAME), "'3' shows the mesh view")
        c1_0 = crossings(f0, pair, 1, working)
        c2_0 = crossings(f0, pair, 2, working)

        f1 = s.press("s")
        checks.check(f1.differing_pixels(f0) > 200, "'s' turns the gears (the picture changes)",
                     "%d pixels changed" % f1.differing_pixels(f0), f1)
        check_turn(checks, "one 's' after '3' (after 'R' in view 1)", c1_0,
                   crossings(f1, pair, 1, working), step, pair, 1, working, f1)

        f5 = s.press("s", "s", "s", "s")
        check_turn(checks, "five steps", c1_0, crossings(f5, pair, 1, working), 5 * step,
                   pair, 1, working, f5)
        check_turn(checks, "five steps", c2_0, crossings(f5, pair, 2, working),
                   -5 * step * pair.ratio, pair, 2, working, f5)

        # The contact has moved up the line of action by the unrolled base circle.
        s5 = pair.gear1.rg * 5 * step
        lim1, lim2 = pair.limits_if_no_undercut()
        checks.check(-lim1 < s5 < lim2, "the contact after five steps lies on the path of contact")
        contact = pair.point_on_line(s5)
        mirror = pair.point_on_line(-s5)
        blue = scene.dot_pixels(f5, contact, SCALE, picture.BLUE, 4.5)
        wrong = scene.dot_pixels(f5, mirror, SCALE, picture.BLUE, 4.5)
        checks.check(blue >= 6 and wrong <= 2,
                     "after five steps a blue contact dot sits on the line of action towards N2",
                     "%d blue pixels there, %d at the mirror point" % (blue, wrong), f5)
        x, y = scene.to_px(f5, contact, SCALE)
        red = f5.count_near(picture.RED, x, y, 3.0)
        c = f5.w // 2
        at_pitch = f5.count_in_box(picture.RED, c - 3, c - 3, c + 3, c + 3)
        checks.check(red >= 4 and at_pitch == 0,
                     "after five steps the flanks touch at the contact dot, not at the pitch point",
                     "%d red pixels at the contact, %d at the pitch point" % (red, at_pitch), f5)

        s.keys("R", "s", "s", "s", "s")
        back = s.wait_like(f0, SAME)
        checks.check(back.differing_pixels(f0) <= SAME,
                     "five steps forward, then 'R' and four 's' give back the first picture",
                     "%d pixels differ" % back.differing_pixels(f0), back)

        fm1 = s.press("R")
        check_turn(checks, "'R' from the start", c1_0, crossings(fm1, pair, 1, working), -step,
                   pair, 1, working, fm1)
        s.keys("r")
        again = s.wait_like(f0, SAME)
        checks.check(again.differing_pixels(f0) <= SAME,
                     "'r' after 'R' turns forward again by one step",
                     "%d pixels differ from the start" % again.differing_pixels(f0), again)

        s.keys("s", "s", "s")
        f3 = s.wait_change(again)
        s.keys("3")
        restart = s.wait_like(f0, SAME)
        checks.check(not f3.same_as(f0, SAME) and restart.differing_pixels(f0) <= SAME,
                     "'3' restarts the mesh at angle 0",
                     "%d pixels differ from the first mesh picture" % restart.differing_pixels(f0),
                     restart)

        # The standard pair turns the same way.
        g0 = s.press("4")
        d1_0 = crossings(g0, standard, 1, lambda g: g.r0)
        g5 = s.press("s", "s", "s", "s", "s")
        check_turn(checks, "view 4, five steps", d1_0, crossings(g5, standard, 1, lambda g: g.r0),
                   5 * step, standard, 1, lambda g: g.r0, g5)
        s.keys("4")
        g0b = s.wait_like(g0, SAME)
        checks.check(g0b.differing_pixels(g0) <= SAME, "'4' restarts the standard mesh at angle 0",
                     "%d pixels differ" % g0b.differing_pixels(g0), g0b)


if __name__ == "__main__":
    harness.main("animation", body, time_limit=90)
