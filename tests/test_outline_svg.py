"""gearmesh --outline: the gears as SVG files, read back with svgelements.

Usage: test_outline_svg.py GEARMESH GEAR_TESTS ARTIFACTS

10/30 with shifts 0.5 and 0 at module 3, without a display: each red outline
closes, has 10 and 30 teeth, does not cross itself, and every vertex lies within
0.005 module of the tooth the rack cuts (gear_tests holds the vertices, handed to
it in a file, to its first-principles rack). Set side by side at the printed
centre distance, as the files are laid out, the gears turn through a pitch
touching and never overlapping. rsvg-convert renders both into ARTIFACTS. A run
in English with a bore writes beside them under new names; a bad module or bore
is refused with status 2.
"""

import math
import os
import re
import subprocess
import sys
import tempfile

import svgelements
from shapely.affinity import rotate, translate
from shapely.geometry import LinearRing, Polygon

GEARMESH, GEAR_TESTS, ARTIFACTS = sys.argv[1:4]
M = 3.0
failures = []
os.makedirs(ARTIFACTS, exist_ok=True)


def check(ok, what, detail=""):
    print(("ok    " if ok else "FAIL  ") + what + ("" if ok else ": " + str(detail)), flush=True)
    if not ok:
        failures.append(what)


def run(folder, *args, answers="10 30\n0.5 0\n"):
    env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
    proc = subprocess.run([GEARMESH, *args], input=answers.encode(), cwd=folder, env=env,
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=60)
    return proc.returncode, proc.stdout.decode()


def read(path):
    """The red paths (mm, y down), their vertices, whether each closes; the centre."""
    svg = svgelements.SVG.parse(path, ppi=25.4)  # a user unit is then a millimetre
    paths = [e for e in svg.elements() if isinstance(e, svgelements.Path) and e.stroke == "#ff0000"]
    circle = next(e for e in svg.elements() if isinstance(e, svgelements.Circle))
    return (paths, [[(s.end.x, s.end.y) for s in p if isinstance(s, (svgelements.Move, svgelements.Line))]
                    for p in paths], [isinstance(p[-1], svgelements.Close) for p in paths],
            (circle.cx, circle.cy))


with tempfile.TemporaryDirectory(prefix="gearmesh-outline-") as folder:
    status, out = run(folder, "--outline", "3")
    names = ["gearmesh_10-30_0.5-0_gear%d_m3.svg" % g for g in (1, 2)]
    check(status == 0 and sorted(os.listdir(folder)) == names, "two files, status 0", out[-400:])
    drill = re.search(r"軸穴の中心距離：([0-9.]+) mm", out)
    check(all("輪郭を保存しました：%s/%s" % (os.path.realpath(folder), n) in out for n in names)
          and drill is not None, "the console says where they went and the centre distance", out)
    gears, vertices = [], []
    for gear, (name, z, centre) in enumerate(zip(names, (10, 30), (math.pi / 2, -math.pi / 2 + math.pi / 30))):
        _, (points,), (closed,), (cx, cy) = read(os.path.join(folder, name))
        radii = [math.hypot(x - cx, y - cy) for x, y in points]
        middle = (min(radii) + max(radii)) / 2
        teeth = sum(radii[i - 1] < middle <= radii[i] for i in range(len(radii)))
        check(closed and teeth == z, "gear %d: one closed path of %d teeth" % (gear + 1, z), teeth)
        check(LinearRing(points).is_simple, "gear %d's outline does not cross itself" % (gear + 1))
        vertices += ["%d %r %r %r %r" % (z, (0.5, 0.0)[gear], centre, (x - cx) / M, (cy - y) / M)
                     for x, y in points]
        gears.append(Polygon([(x - cx, y - cy) for x, y in points]))
        subprocess.run(["rsvg-convert", "-b", "white", "-z", "2", "-o",
                        os.path.join(ARTIFACTS, name[:-4] + ".png"), os.path.join(folder, name)])
        with open(os.path.join(ARTIFACTS, name[:-4] + ".png"), "rb") as png:
            check(png.read(8) == b"\x89PNG\r\n\x1a\n", "rsvg-convert renders " + name)
    with open(os.path.join(ARTIFACTS, "outline-vertices.txt"), "w") as f:
        f.write("\n".join(vertices) + "\n")
    reference = subprocess.run([GEAR_TESTS, "--gtest_filter=RackReference.WholeOutlines*"],
                               env=dict(os.environ, GEARMESH_OUTLINE_VERTICES=f.name),
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=300)
    text = reference.stdout.decode()
    print("".join(line + "\n" for line in text.splitlines() if " off" in line), end="")
    check(reference.returncode == 0, "every vertex within 0.005 module of the rack's tooth", text)

    # Gear 2 to the right of gear 1, turning the other way, z1 / z2 as fast.
    a = float(drill.group(1)) if drill else 0.0
    overlap, gap = 0.0, 0.0
    for step in range(41):
        turn = step / 40 * 36.0
        one = rotate(gears[0], turn, origin=(0, 0))
        two = translate(rotate(gears[1], -turn / 3, origin=(0, 0)), a)
        overlap, gap = max(overlap, one.intersection(two).area), max(gap, one.distance(two))
    # A thousandth of a module (mm2 for the overlap): the printed distance is to a
    # micrometre, each chord within some ten-thousandths of a module of its curve.
    check(overlap < 1e-5 and gap < 0.001 * M, "at the printed centre distance they mesh: "
          "overlap %.2g mm2, gap %.2g mm" % (overlap, gap), (overlap, gap))

    before = {n: open(os.path.join(folder, n), "rb").read() for n in names}
    status, out = run(folder, "-e", "--outline", "3", "--bore", "8")
    taken = ["gearmesh_10-30_0.5-0_gear%d_m3-2.svg" % g for g in (1, 2)]
    paths, _, closed, (cx, cy) = read(os.path.join(folder, taken[0])) if status == 0 else ([], 0, 0, 0)
    box = paths[1].bbox() if len(paths) == 2 else (0, 0, 0, 0)
    bore = (box[2] - box[0], box[3] - box[1], (box[0] + box[2]) / 2 - cx, (box[1] + box[3]) / 2 - cy)
    check(status == 0 and all("Outline saved: %s/%s" % (os.path.realpath(folder), n) in out for n in taken)
          and all(open(os.path.join(folder, n), "rb").read() == before[n] for n in names)
          and closed == [True, True] and max(map(abs, (bore[0] - 8, bore[1] - 8, *bore[2:]))) < 1e-3,
          "in English, a bore of 8 mm, under new names beside the first", out[-300:])

    for args, said, answers in (
            (["--outline", "0"], "--outline のモジュールは0より大きく100以下の数（mm）で指定してください：0", ""),
            (["--outline", "abc"], "モジュールは0より大きく100以下の数（mm）で指定してください：abc", ""),
            (["-e", "--outline", "100.5"], "The module after --outline must be a number above 0", ""),
            (["--outline", "3", "--bore", "inf"], "--bore の直径は0より大きい数（mm）で", ""),
            (["--bore", "5"], "--bore は --outline と一緒に指定してください", ""),
            (["--outline", "3", "--bore", "25.5"], "穴の直径25.5 mmが歯車1の歯底円の直径25.500 mmより"
             "小さくないため，輪郭を書きません（歯底円の直径：歯車1 25.500 mm，歯車2 82.500 mm）", None)):
        status, out = run(folder, *args, **({} if answers is None else {"answers": answers}))
        check(status == 2 and said in out and ("z1 z2=" in out) == (answers is None)
              and len(os.listdir(folder)) == 4, "%s refused with status 2" % " ".join(args), out)
sys.exit(1 if failures else 0)
