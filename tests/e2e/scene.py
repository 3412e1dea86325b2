"""What a frame of gearmesh shows, measured against where the geometry puts it.

Each function answers one question a person would ask of the picture: are the
red teeth where the gear is, how many flanks cross its pitch circle and at which
angles, is the green path of contact on the line of action, is there a dot of a
given colour at a point, what does the legend in the top left corner look like.
Positions come from `geometry` in module units and reach the window as
model * 400 * scale pixels from the window centre (the pitch point).
"""

import math

import geometry
import picture

# Teeth are 4-pixel lines; half of that plus rounding of the rasteriser.
TOOTH_SLACK_PX = 3.5

# Legend lines: bitmap text whose baselines sit at y = 0.95, 0.9, ... 0.7 in window
# units, i.e. 20, 40, ... 120 pixels below the top of an 800-pixel window.
LEGEND_LEFT_PX = 40
LEGEND_BASELINES = {0.95: 20, 0.9: 40, 0.85: 60, 0.8: 80, 0.75: 100, 0.7: 120}


def px_per_module(frame, scale):
    return frame.w / 2.0 * scale


def to_px(frame, point, scale):
    """Model point (modules) to fractional pixel position."""
    k = px_per_module(frame, scale)
    return frame.from_centred(point[0] * k, point[1] * k)


def _centred_px(gear, k):
    return (gear.centre[0] * k, gear.centre[1] * k)


# [SECTION] Teeth
class TeethReport:
    def __init__(self):
        self.total = 0
        self.stray = []           # red pixels on no gear's tooth ring
        self.exclusive = {}       # gear index -> distances (px) of pixels only it can own


def teeth_report(frame, gears, scale):
    """Sorts the red pixels by the tooth ring (root to tip circle) they lie on."""
    k = px_per_module(frame, scale)
    rep = TeethReport()
    centres = [_centred_px(g, k) for g in gears]
    for i in range(len(gears)):
        rep.exclusive[i] = []
    for px, py in frame.positions(picture.RED):
        rep.total += 1
        x, y = frame.to_centred(px, py)
        dists = [math.hypot(x - c[0], y - c[1]) for c in centres]
        on = [i for i, g in enumerate(gears)
              if g.rf * k - TOOTH_SLACK_PX <= dists[i] <= g.ru * k + TOOTH_SLACK_PX]
        if not on:
            rep.stray.append((px, py))
            continue
        for i in on:
            others_clear = all(dists[j] > gears[j].ru * k + TOOTH_SLACK_PX
                               for j in range(len(gears)) if j != i)
            if others_clear:
                rep.exclusive[i].append(dists[i])
    return rep


def flank_crossings(frame, gear, scale, radius, others=(), colour=picture.RED):
    """Angles (radians, counter-clockwise from +x, y up) at which red lines cross
    the circle of `radius` modules about the gear's centre, and the angular
    span of the circle that could be examined (inside the window and clear of
    the other gears' tip circles)."""
    k = px_per_module(frame, scale)
    cx, cy = _centred_px(gear, k)
    rpx = radius * k
    step = 0.5 / rpx
    n = int(2 * math.pi / step)
    margin = 3
    mask = frame.mask(colour)
    samples = []
    for i in range(n):
        a = i * step
        x, y = cx + rpx * math.cos(a), cy + rpx * math.sin(a)
        fx, fy = frame.from_centred(x, y)
        ix, iy = int(round(fx)), int(round(fy))
        usable = margin <= ix < frame.w - margin and margin <= iy < frame.h - margin
        if usable:
            for o in others:
                ox, oy = _centred_px(o, k)
                if math.hypot(x - ox, y - oy) <= o.ru * k + TOOTH_SLACK_PX + 2:
                    usable = False
                    break
        samples.append(None if not usable else bool(mask[iy * frame.w + ix]))
    # Runs of red samples inside usable stretches; a run cut by an unusable
    # sample is not a whole crossing and is dropped.
    runs = []
    span = sum(1 for s in samples if s is not None) * step
    start = None
    broken = False
    # Rotate the list so that it begins on an unusable or non-red sample.
    first = next((i for i, s in enumerate(samples) if not s), None)
    if first is None:
        return [], span
    order = samples[first:] + samples[:first]
    for j, s in enumerate(order):
        idx = (j + first) % n
        if s:
            if start is None:
                start = idx
                broken = j > 0 and order[j - 1] is None
        else:
            if start is not None:
                if not (broken or s is None):
                    end = (idx - 1) % n
                    length = (end - start) % n
                    runs.append(((start + length / 2.0) * step) % (2 * math.pi))
                start = None
    return runs, span


def clear_arc(frame, gear, scale, radius, others, margin=5):
    """Longest arc (radians) of the circle about the gear's centre that lies in
    the window and clear of the other gears' tip circles."""
    k = px_per_module(frame, scale)
    cx, cy = _centred_px(gear, k)
    rpx = radius * k
    n = 1440
    usable = []
    for i in range(n):
        a = 2 * math.pi * i / n
        x, y = cx + rpx * math.cos(a), cy + rpx * math.sin(a)
        fx, fy = frame.from_centred(x, y)
        ok = margin <= fx < frame.w - margin and margin <= fy < frame.h - margin
        for o in others:
            ox, oy = _centred_px(o, k)
            if math.hypot(x - ox, y - oy) <= o.ru * k + TOOTH_SLACK_PX + margin:
                ok = False
        usable.append(ok)
    if all(usable):
        return 2 * math.pi
    best = run = 0
    for u in usable + usable:
        run = run + 1 if u else 0
        best = max(best, run)
    return min(best, n) * 2 * math.pi / n


def angle_diff(a, b):
    """a - b folded into (-pi, pi]."""
    d = math.fmod(a - b, 2 * math.pi)
    if d <= -math.pi:
        d += 2 * math.pi
    elif d > math.pi:
        d -= 2 * math.pi
    return d


def measured_turn(before, after, search=math.radians(20), tol=math.radians(0.8)):
    """The turn (radians) that best carries the crossings `before` onto `after`,
    and the share of crossings it matches: of the turns that match the most,
    the one with the smallest mean residual."""
    best = None
    steps = int(search / math.radians(0.02))
    for i in range(-steps, steps + 1):
        t = i * math.radians(0.02)
        matched = 0
        residual = 0.0
        for a in after:
            r = min((abs(angle_diff(a - t, b)) for b in before), default=math.pi)
            if r <= tol:
                matched += 1
                residual += r
        share = matched / max(1, min(len(after), len(before)))
        key = (share, -residual / max(1, matched))
        if best is None or key > best[0]:
            best = (key, t, share)
    return best[1], best[2]


# [SECTION] Marks on the line of action
def colour_along(frame, p_from, p_to, scale, colour, keep_clear=(), reach=1):
    """Share of points on the segment p_from-p_to (model units) that have a pixel
    of `colour` within `reach` pixels, leaving out points within the given
    (model point, pixel radius) circles."""
    a = to_px(frame, p_from, scale)
    b = to_px(frame, p_to, scale)
    length = math.hypot(b[0] - a[0], b[1] - a[1])
    n = max(2, int(length / 2))
    mask = frame.mask(colour)
    clear_px = [(to_px(frame, p, scale), r) for p, r in keep_clear]
    hits = tried = 0
    for i in range(n + 1):
        t = i / n
        x, y = a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t
        if not (4 <= x < frame.w - 4 and 4 <= y < frame.h - 4):
            continue
        if any(math.hypot(x - c[0], y - c[1]) < r for c, r in clear_px):
            continue
        tried += 1
        ix, iy = int(round(x)), int(round(y))
        found = any(mask[(iy + dy) * frame.w + ix + dx]
                    for dy in range(-reach, reach + 1) for dx in range(-reach, reach + 1))
        hits += found
    return hits / tried if tried else 0.0, tried


def dot_pixels(frame, point, scale, colour, radius=5.0):
    """Pixels of `colour` within `radius` pixels of the model point."""
    x, y = to_px(frame, point, scale)
    return frame.count_near(colour, x, y, radius)


def on_screen(frame, point, scale, margin=8):
    x, y = to_px(frame, point, scale)
    return margin <= x < frame.w - margin and margin <= y < frame.h - margin


def radial_run(frame, point, centre, scale, colour, limit=12):
    """Length in pixels of the unbroken run of `colour` through the model point,
    measured along the line from `centre` through it."""
    p = to_px(frame, point, scale)
    c = to_px(frame, centre, scale)
    d = math.hypot(p[0] - c[0], p[1] - c[1])
    ux, uy = (p[0] - c[0]) / d, (p[1] - c[1]) / d
    mask = frame.mask(colour)

    def has(t):
        ix, iy = int(round(p[0] + ux * t)), int(round(p[1] + uy * t))
        return 0 <= ix < frame.w and 0 <= iy < frame.h and mask[iy * frame.w + ix] == 1

    step = 0.25
    lo = 0.0
    while lo > -limit and has(lo - step):
        lo -= step
    hi = 0.0
    while hi < limit and has(hi + step):
        hi += step
    return (hi - lo) if has(0.0) else 0.0


# [SECTION] Legend
class LegendLine:
    def __init__(self, baseline, ink, left, right):
        self.baseline = baseline
        self.ink = ink
        self.left = left
        self.right = right


def legend_lines(frame, x_end=None, skip_columns=(396, 405)):
    """Dark ink around each possible legend baseline: count and horizontal extent.

    The columns around the vertical crosshair through the window centre are left
    out, since that line is black too.
    """
    mask = frame.dark_mask()
    x_end = frame.w if x_end is None else x_end
    lines = {}
    for y, base in LEGEND_BASELINES.items():
        ink = 0
        left, right = None, None
        for py in range(base - 14, base + 4):
            row = py * frame.w
            for px in range(0, x_end):
                if skip_columns[0] <= px < skip_columns[1]:
                    continue
                if mask[row + px]:
                    ink += 1
                    left = px if left is None or px < left else left
                    right = px if right is None or px > right else right
        lines[y] = LegendLine(base, ink, left, right)
    return lines


def legend_gaps_ink(frame):
    """Dark pixels on the blank rows between legend lines (should be none)."""
    mask = frame.dark_mask()
    total = 0
    for base in LEGEND_BASELINES.values():
        for py in (base + 4, base + 5):
            row = py * frame.w
            total += sum(1 for px in range(0, 396) if mask[row + px])
    return total


def legend_box_equal(a, b):
    """True when the legend area shows the same dark ink in two frames.

    Pixels where either frame shows a colour are left out: the mesh views draw
    their gear lines after the legend, and a turning centre line may cross it.
    """
    ma, mb = a.dark_mask(), b.dark_mask()
    wa, wb = a.mask(picture.WHITE), b.mask(picture.WHITE)
    n = 130 * a.w
    for i in range(n):
        if ma[i] != mb[i]:
            # ink in one, white in the other: the legend itself differs
            if (ma[i] and wb[i]) or (mb[i] and wa[i]):
                return False
    return True


def check_legend(checks, frame, texts, label):
    """The legend is near-black text, one line per text at its baseline, each line
    starting at x = -0.9 (indented by its leading blanks) and about as long as its
    text; the other baselines are empty."""
    lines = legend_lines(frame)
    for y, line in sorted(lines.items(), reverse=True):
        text = texts.get(y)
        if text is None:
            checks.check(line.ink < 20, "%s: no legend line at y=%.2f" % (label, y),
                         "%d dark pixels" % line.ink, frame)
            continue
        body = text.lstrip(" ")
        indent = len(text) - len(body)
        # Helvetica 18: blanks are 5 pixels, letters and signs 4 to 17.
        ok_ink = line.ink >= 6 * len(body.replace(" ", ""))
        checks.check(ok_ink, "%s: legend line %r is drawn in dark ink" % (label, text),
                     "%d dark pixels" % line.ink, frame)
        if not ok_ink:
            continue
        want_left = LEGEND_LEFT_PX + 5 * indent
        width = line.right - line.left + 1
        checks.check(abs(line.left - want_left) <= 4 and 5.5 * len(body) <= width <= 11 * len(body),
                     "%s: legend line %r starts at x=-0.9 and is as long as its text" % (label, text),
                     "left %d (want %d), width %d for %d characters" % (
                         line.left, want_left, width, len(body)), frame)
    gap = legend_gaps_ink(frame)
    checks.check(gap <= 6, "%s: legend lines are separate lines" % label,
                 "%d dark pixels between lines" % gap, frame)
    dark = [frame.pixel(px, py) for py in range(0, 126) for px in range(0, 395)
            if frame.dark_mask()[py * frame.w + px]]
    grey = sum(1 for p in dark if p[0] == p[1] == p[2]) if dark else 0
    checks.check(dark and grey == len(dark), "%s: the legend ink is grey-black" % label,
                 "%d of %d dark pixels are grey" % (grey, len(dark)), frame)


# [SECTION] Background and crosshair
def white_share(frame):
    return frame.count(picture.WHITE) / float(frame.w * frame.h)


def corners_white(frame, size=16):
    w, h = frame.w, frame.h
    boxes = [(0, 0), (w - size, 0)]
    return all(frame.count_in_box(picture.WHITE, x, y, x + size, y + size) == size * size
               for x, y in boxes)


def crosshair_cover(frame, row=None, column=None):
    """Share of the window's width (row) or height (column) on which a black
    pixel lies within 2 pixels of the given row or column."""
    black = frame.mask(picture.BLACK)
    w, h = frame.w, frame.h
    hits = 0
    if row is not None:
        for px in range(w):
            if any(0 <= row + d < h and black[(row + d) * w + px] for d in range(-2, 3)):
                hits += 1
        return hits / float(w)
    for py in range(h):
        if any(0 <= column + d < w and black[py * w + column + d] for d in range(-2, 3)):
            hits += 1
    return hits / float(h)


# [SECTION] Composite checks shared by the tests
def merge_close(angles, radius_px, min_px=3.0):
    """Crossings closer than a few pixels of arc are one line seen twice."""
    out = []
    for a in sorted(angles):
        if out and abs(angle_diff(a, out[-1])) * radius_px < min_px:
            continue
        out.append(a)
    return out


def tooth_angles_on(gear, radius, alpha_at_radius=None):
    """(tooth, space) angular widths at `radius` on a gear cut by the rack.

    On the standard pitch circle the tooth is pi/2 + 2 x tan(a0) modules thick;
    on another circle of the involute, with pressure angle a there, it is
    2 r (s0 / (2 r0) + inv(a0) - inv(a)) thick.
    """
    s0 = math.pi / 2 + 2 * gear.x * math.tan(geometry.ALPHA0)
    a = math.acos(gear.rg / radius) if alpha_at_radius is None else alpha_at_radius
    tooth = 2 * (s0 / (2 * gear.r0) + geometry.involute(geometry.ALPHA0) - geometry.involute(a))
    pitch = 2 * math.pi / gear.z
    return tooth, pitch - tooth


def check_teeth(checks, frame, gears, scale, label, radius_of=lambda g: g.rb):
    """Red teeth lie on each gear's ring from root to tip circle and nowhere
    else; they reach both circles; the flanks cross the pitch circle with the
    tooth thickness and spacing of the gear."""
    k = px_per_module(frame, scale)
    rep = teeth_report(frame, gears, scale)
    checks.check(rep.total > 800, "%s: red teeth are drawn" % label, "%d red pixels" % rep.total,
                 frame)
    checks.check(not rep.stray, "%s: every red pixel lies on a gear's teeth ring" % label,
                 "%d stray red pixels, e.g. %s" % (len(rep.stray), rep.stray[:4]), frame)
    crossings = {}
    for i, g in enumerate(gears):
        d = rep.exclusive[i]
        name = "%s: the %d-tooth gear" % (label, g.z)
        if not d:
            checks.check(False, name + " has teeth where only it can be", "none found", frame)
            continue
        lo, hi = min(d), max(d)
        others = [o for o in gears if o is not g]
        # A tooth's tip and root surely show only where a whole angular pitch of
        # that circle is in view and clear of the other gear.
        pitch = 2 * math.pi / g.z
        want_lo = clear_arc(frame, g, scale, g.rf, others) >= 1.2 * pitch
        want_hi = clear_arc(frame, g, scale, g.ru, others) >= 1.2 * pitch
        ok = lo >= g.rf * k - 3.0 and hi <= g.ru * k + 3.0 and \
            (not want_lo or lo <= g.rf * k + 3.0) and (not want_hi or hi >= g.ru * k - 3.0)
        checks.check(ok, name + " teeth reach from its root circle to its tip circle",
                     "red from %.1f to %.1f px about its centre, want %.1f to %.1f%s%s" % (
                         lo, hi, g.rf * k, g.ru * k, "" if want_lo else " (root not in view)",
                         "" if want_hi else " (tip not in view)"), frame)
        r = radius_of(g)
        runs, span = flank_crossings(frame, g, scale, r, others)
        runs = merge_close(runs, r * k)
        crossings[i] = runs
        expected = span / (2 * math.pi) * 2 * g.z
        checks.check(abs(len(runs) - expected) <= 1.5,
                     name + " shows as many flanks on its pitch circle as it has teeth",
                     "%d crossings on a visible arc that should hold %.1f" % (len(runs), expected),
                     frame)
        tooth, space = tooth_angles_on(g, r)
        gaps = [angle_diff(b, a) for a, b in zip(runs, runs[1:])]
        gaps = [x for x in gaps if 0 < x < 2 * math.pi / g.z * 0.95]
        tol = max(math.radians(0.5), 2.5 / (r * k))
        kinds = []
        for x in gaps:
            if abs(x - tooth) <= tol:
                kinds.append("t")
            elif abs(x - space) <= tol:
                kinds.append("s")
            else:
                kinds.append("?")
        alternate = all(a != b for a, b in zip(kinds, kinds[1:]))
        if len(gaps) < 2:
            # Too little of this gear is clear of the other one to measure.
            print("     (%s: too few flanks in view to measure the tooth thickness)" % name)
            continue
        ok = "?" not in kinds and (alternate or abs(tooth - space) <= 2 * tol)
        checks.check(ok, name + " teeth have the thickness of its shift (%.2f deg tooth, "
                     "%.2f deg space at r=%.3f)" % (math.degrees(tooth), math.degrees(space), r),
                     "gaps between flanks: %s" % [round(math.degrees(x), 2) for x in gaps], frame)
    return rep, crossings


def undercut_ring(frame, gear, scale, skip_columns=(396, 405)):
    """(radius in px, pixels) of the black ring concentric with the gear between
    just inside its base circle and its pitch circle, if any."""
    k = px_per_module(frame, scale)
    cx, cy = _centred_px(gear, k)
    lo, hi = gear.rg * k - 3, gear.rb * k
    bins = {}
    for px, py in frame.positions(picture.BLACK):
        if skip_columns[0] <= px < skip_columns[1] or py >= frame.h - 4:
            continue
        x, y = frame.to_centred(px, py)
        d = math.hypot(x - cx, y - cy)
        if lo <= d <= hi:
            bins[int(round(d))] = bins.get(int(round(d)), 0) + 1
    if not bins:
        return None, 0
    best = max(bins, key=lambda b: bins[b])
    total = sum(bins.get(best + j, 0) for j in (-1, 0, 1))
    weighted = sum((best + j) * bins.get(best + j, 0) for j in (-1, 0, 1)) / float(total)
    return weighted, total


def check_background(checks, frame, label):
    share = white_share(frame)
    checks.check(share > 0.8 and corners_white(frame),
                 "%s: the background is white" % label,
                 "%.0f%% white, corners white: %s" % (100 * share, corners_white(frame)), frame)


def expected_black_dots(pair):
    """Where the start and finish of contact are marked, per side: ('at', s) for
    a tip circle that ends the path of contact, ('between', s1, s2) for an
    undercut gear whose flank ends it somewhere between, or None when two
    candidates are too close to tell."""
    out = []
    for dn, dt, gear, sign in ((pair.dist_n1, pair.dist_t2, pair.gear1, -1),
                               (pair.dist_n2, pair.dist_t1, pair.gear2, 1)):
        if gear.undercut_expected() and dt > dn:
            out.append(("between", sign * 0.3 * dn, sign * dn))
        elif dt < dn - 0.05:
            out.append(("at", sign * dt))
        else:
            out.append(None)
    return out


def check_mesh_marks(checks, frame, pair, scale, label):
    """Green path of contact from N1 to N2 on the line of action, green dots at
    N1 and N2, black dots where contact starts and ends, the black crosshair
    through the pitch point."""
    share, tried = colour_along(frame, pair.n1, pair.n2, scale, picture.GREEN,
                                keep_clear=[((0.0, 0.0), 8)])
    mirror = ((-pair.n1[0], pair.n1[1]), (-pair.n2[0], pair.n2[1]))
    wrong, _ = colour_along(frame, mirror[0], mirror[1], scale, picture.GREEN,
                            keep_clear=[((0.0, 0.0), 8)])
    checks.check(tried > 50 and share >= 0.8 and wrong <= 0.4,
                 "%s: the green path of contact runs along the line of action" % label,
                 "green on %.0f%% of %d points of N1-N2, on %.0f%% of its mirror image" % (
                     100 * share, tried, 100 * wrong), frame)
    for name, point, gear in (("N1", pair.n1, pair.gear1), ("N2", pair.n2, pair.gear2)):
        if not on_screen(frame, point, scale):
            continue
        n = dot_pixels(frame, point, scale, picture.GREEN)
        run = radial_run(frame, point, gear.centre, scale, picture.GREEN)
        checks.check(n >= 25 and 6.5 <= run <= 11,
                     "%s: a green interference dot sits at %s" % (label, name),
                     "%d green pixels near it, %.1f px across" % (n, run), frame)
    for side, want in zip(("N1", "N2"), expected_black_dots(pair)):
        if want is None:
            continue
        if want[0] == "at":
            p = pair.point_on_line(want[1])
            n = dot_pixels(frame, p, scale, picture.BLACK, 4.5)
            checks.check(n >= 15, "%s: a black dot marks the end of contact on the %s side "
                         "where the mating tip circle crosses the line" % (label, side),
                         "%d black pixels at s=%.3f" % (n, want[1]), frame)
        else:
            lo, hi = sorted(want[1:])
            best = (0, None)
            steps = 60
            for i in range(steps + 1):
                s = lo + (hi - lo) * i / steps
                n = dot_pixels(frame, pair.point_on_line(s), scale, picture.BLACK, 4.5)
                best = max(best, (n, s))
            checks.check(best[0] >= 25, "%s: a black dot marks the end of contact on the %s side "
                         "inside the interference point (undercut flank)" % (label, side),
                         "best %d black pixels at s=%s" % best, frame)
    row = crosshair_cover(frame, row=frame.h // 2)
    checks.check(row >= 0.8, "%s: the black crosshair's horizontal line crosses the whole "
                 "window through the pitch point" % label, "%.0f%% covered" % (100 * row), frame)
