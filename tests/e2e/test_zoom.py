"""Zooming the mesh view of gearmesh with 'w' (out) and 'W' (in).

Zoom scales the gears about the pitch point, which stays at the window centre,
while the marker dots, the legend and the crosshair keep their size on the
screen. The test zooms out three times and in six times from the start and
checks, at each zoom, that the red teeth sit on the rings the geometry gives for
that zoom (so they shrank or grew about the centre), that the green dots are
still 8 pixels across, that the legend is pixel for pixel the same, and that
both black crosshair lines still run across the whole window.
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import harness
import geometry
import picture
import scene

Z1, Z2 = 10, 30
SHIFTS = (0.5, 0.0)


def zoomed(scale, times, factor_in):
    for _ in range(times):
        scale = scale / 0.9 if factor_in else 0.9 * scale
    return scale


def dot_sizes(frame, pair, scale):
    sizes = {}
    for name, point, gear in (("N1", pair.n1, pair.gear1), ("N2", pair.n2, pair.gear2)):
        if scene.on_screen(frame, point, scale, margin=12):
            sizes[name] = scene.radial_run(frame, point, gear.centre, scale, picture.GREEN)
    return sizes


def body(checks, binary):
    pair = geometry.Pair(Z1, Z2, *SHIFTS)
    with harness.Session(binary, (Z1, Z2), SHIFTS, name="zoom") as s:
        s.settle()
        base = s.press("3")
        scales = [("start", 0.2, base)]
        out = s.press("w", "w", "w")
        scales.append(("after 3 x 'w'", zoomed(0.2, 3, False), out))
        inside = s.press(*["W"] * 6)
        scales.append(("after 6 x 'W'", zoomed(zoomed(0.2, 3, False), 6, True), inside))

        tips = []
        base_dots = dot_sizes(base, pair, 0.2)
        for label, scale, frame in scales:
            label = "zoom %s (scale %.4f)" % (label, scale)
            rep, _ = scene.check_teeth(checks, frame, [pair.gear1, pair.gear2], scale, label)
            tips.append(max(rep.exclusive[0]) if rep.exclusive[0] else 0.0)
            share, tried = scene.colour_along(frame, pair.n1, pair.n2, scale, picture.GREEN,
                                              keep_clear=[((0.0, 0.0), 8)])
            checks.check(tried > 50 and share >= 0.8,
                         "%s: the path of contact runs through the window centre" % label,
                         "green on %.0f%% of %d points" % (100 * share, tried), frame)
            sizes = dot_sizes(frame, pair, scale)
            checks.check(sizes and all(6.5 <= v <= 11 for v in sizes.values()),
                         "%s: the interference dots are 8 pixels across" % label,
                         "%s" % sizes, frame)
            same = [n for n in sizes if n in base_dots and abs(sizes[n] - base_dots[n]) <= 1.5]
            if frame is not base:
                checks.check(same, "%s: the dots keep the size they had at the start" % label,
                             "%s now, %s at the start" % (sizes, base_dots), frame)
                checks.check(scene.legend_box_equal(base, frame),
                             "%s: the legend is unchanged" % label, frame=frame)
            row = scene.crosshair_cover(frame, row=frame.h // 2)
            col = scene.crosshair_cover(frame, column=frame.w // 2)
            checks.check(row >= 0.9 and col >= 0.9,
                         "%s: both crosshair lines cross the whole window through its centre"
                         % label, "horizontal %.0f%%, vertical %.0f%%" % (100 * row, 100 * col),
                         frame)
        checks.check(tips[1] < tips[0] - 20 and tips[2] > tips[0] + 20,
                     "'w' shrinks the gears and 'W' enlarges them",
                     "gear 1 reaches %.0f, %.0f, %.0f px from its centre" % tuple(tips))


if __name__ == "__main__":
    harness.main("zoom", body, time_limit=90)
