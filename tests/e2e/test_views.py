"""The four views of gearmesh as a student sees them, for two pairs 10/30.

One pair is standard (shifts 0/0: the 10-tooth gear is undercut), the other has
gear 1 shifted by 0.5 (which removes the undercut and widens its teeth). For each
view the test checks the white background, the legend in the top left corner,
the red teeth (only the gear of the view in views 1 and 2, both in the mesh
views, each on its own ring about its centre below or above the pitch point,
with the right number of teeth and the tooth thickness of its shift) and, in the
mesh views, the green path of contact and interference dots, the black dots at
the start and finish of contact and the crosshair through the pitch point.

The legend is checked in the very first frame the window shows and again after
a redraw. View 4 shows the standard pair whatever the shifts are, so its picture
must be the same in both runs.
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import harness
import geometry
import picture
import scene

GEAR_LEGEND = {
    0.9: "     green : base circle",
    0.85: "     black : undercut circle",
    0.8: "     purple: standard pitch circle",
    0.75: "     blue  : mesh pitch circle",
    0.7: "     yellow: bottom and tip circle",
}
LEGENDS = {
    "1": {**GEAR_LEGEND, 0.95: "(1) draw drive gear"},
    "2": {**GEAR_LEGEND, 0.95: "(2) draw driven gear"},
    "3": {
        0.9: "(3) draw gear mesh",
        0.85: "     circle : blue :mesh pitch cl,  green:base cl,  black:undercut cl",
        0.8: "     point  : blue :mesh pitch pnt, black:mesh start and finish pnt",
        0.75: "                 green:interference pnt, red:contact pnt",
        0.7: "     green line : path of contact",
    },
    "4": {
        0.9: "(4) draw standard gear mesh",
        0.85: "     circle : blue :pitch cl,  green:base cl,  black:undercut cl",
        0.8: "     point  : blue :pitch pnt, black:mesh start and finish pnt",
        0.75: "                 green:interference pnt, red:contact pnt",
        0.7: "     green line : path of contact",
    },
}

SCALE = 0.2
Z1, Z2 = 10, 30


def check_pair(checks, binary, shifts, view4_frames):
    tag = "%d/%d x=%g/%g" % (Z1, Z2, shifts[0], shifts[1])
    pair = geometry.Pair(Z1, Z2, *shifts)
    standard = geometry.Pair(Z1, Z2, 0.0, 0.0, standard=True)
    with harness.Session(binary, (Z1, Z2), shifts, name="views") as s:
        first = s.settle()
        label = "%s view 1 (first frame)" % tag
        checks.check((first.w, first.h) == (800, 800), "%s: the window is 800 x 800" % label,
                     "%d x %d" % (first.w, first.h))
        scene.check_background(checks, first, label)
        scene.check_legend(checks, first, LEGENDS["1"], label)
        scene.check_teeth(checks, first, [pair.gear1], SCALE, label)

        # The undercut shows as the black circle where the involute flank starts:
        # well outside the base circle on the standard 10-tooth gear, on it once
        # the gear is shifted enough.
        k = scene.px_per_module(first, SCALE)
        radius, pixels = scene.undercut_ring(first, pair.gear1, SCALE)
        above = None if radius is None else radius - pair.gear1.rg * k
        if pair.gear1.undercut_expected():
            ok = pixels >= 300 and above is not None and 3.0 <= above <= (pair.gear1.rb - pair.gear1.rg) * k
            what = "%s: the black undercut circle lies clearly outside the base circle" % label
        else:
            ok = pixels < 300 or (above is not None and abs(above) <= 1.5)
            what = "%s: no undercut: the black undercut circle is no wider than the base circle" % label
        checks.check(ok, what, "ring of %d black pixels %s px outside the base circle" % (
            pixels, "n/a" if above is None else "%.1f" % above), first)

        # A redraw of the same view: zoom out and back in.
        smaller = s.press("w")
        checks.check(scene.legend_box_equal(first, smaller),
                     "%s: the legend after a redraw is the same as in the first frame" % tag,
                     frame=smaller)
        back = s.press("W")
        diff = back.differing_pixels(first)
        checks.check(diff <= 40, "%s: 'w' then 'W' gives back the first picture" % tag,
                     "%d pixels differ" % diff, back)

        f2 = s.press("2")
        label = "%s view 2" % tag
        scene.check_background(checks, f2, label)
        scene.check_legend(checks, f2, LEGENDS["2"], label)
        scene.check_teeth(checks, f2, [pair.gear2], SCALE, label)

        for key, shown, what in (("3", pair, "shifted pair"), ("4", standard, "standard pair")):
            f = s.press(key)
            label = "%s view %s (%s)" % (tag, key, what)
            scene.check_background(checks, f, label)
            scene.check_legend(checks, f, LEGENDS[key], label)
            radius = (lambda g: g.rb) if key == "3" else (lambda g: g.r0)
            scene.check_teeth(checks, f, [shown.gear1, shown.gear2], SCALE, label, radius)
            scene.check_mesh_marks(checks, f, shown, SCALE, label)
            # At the start position a pair of flanks touches at the pitch point.
            c = f.w // 2
            red = f.count_in_box(picture.RED, c - 3, c - 3, c + 3, c + 3)
            checks.check(red >= 4, "%s: at the start the teeth touch at the pitch point" % label,
                         "%d red pixels around the window centre" % red, f)
            redraw = s.press("s")
            checks.check(scene.legend_box_equal(f, redraw),
                         "%s: the legend is unchanged by a redraw" % label, frame=redraw)
            if key == "4":
                view4_frames.append(f)


def body(checks, binary):
    view4 = []
    check_pair(checks, binary, (0.0, 0.0), view4)
    check_pair(checks, binary, (0.5, 0.0), view4)
    if len(view4) == 2:
        diff = view4[0].differing_pixels(view4[1])
        checks.check(diff == 0, "view 4 shows the same standard pair whatever the shifts",
                     "%d pixels differ" % diff, view4[1])


if __name__ == "__main__":
    harness.main("views", body, time_limit=120)
