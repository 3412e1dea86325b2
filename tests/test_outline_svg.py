"""gearmesh --outline 3, 10/30, x 0.5 and 0, no display: SVG files read back with svgelements,
their vertices held to gear_tests's first-principles rack, rendered by rsvg-convert; then a
bore in English under new names, and the refusals. Usage: test_outline_svg.py GEARMESH GEAR_TESTS ARTIFACTS"""

import math, os, re, subprocess, sys, tempfile  # noqa: E401

import svgelements
from shapely.affinity import rotate, translate
from shapely.geometry import LinearRing, Polygon

GEARMESH, GEAR_TESTS, ARTIFACTS = sys.argv[1:4]
M, failures = 3.0, []
os.makedirs(ARTIFACTS, exist_ok=True)


def check(ok, what, detail=""):
    print(("ok    " if ok else "FAIL  ") + what + ("" if ok else ": " + str(detail)), flush=True)
    failures.extend([] if ok else [what])


def run(folder, *args):
    proc = subprocess.run([GEARMESH, *args], input=b"10 30\n0.5 0\n", cwd=folder, stdout=subprocess.PIPE,
                          env={k: v for k, v in os.environ.items() if k != "DISPLAY"}, stderr=subprocess.STDOUT)
    return proc.returncode, proc.stdout.decode()


def read(path):  # the red paths with their vertices: mm from the pitch circle's centre, y down
    svg = list(svgelements.SVG.parse(path, ppi=25.4).elements())
    c = next(e for e in svg if isinstance(e, svgelements.Circle))
    return [(p, [(s.end.x - c.cx, s.end.y - c.cy) for s in p if isinstance(s, (svgelements.Move, svgelements.Line))])
            for p in svg if isinstance(p, svgelements.Path) and p.stroke == "#ff0000"]


with tempfile.TemporaryDirectory(prefix="gearmesh-outline-") as folder:
    status, out = run(folder, "--outline", "3")
    names = ["gearmesh_10-30_0.5-0_gear%d_m3.svg" % g for g in (1, 2)]
    drill = re.search(r"軸穴の中心距離：([0-9.]+) mm", out)
    check(status == 0 and sorted(os.listdir(folder)) == names and drill and all(
        "輪郭を保存しました：%s/%s" % (os.path.realpath(folder), n) in out for n in names),
        "two files, where they went and the centre distance", out[-400:])
    gears, vertices = [], []
    # Laid out to mesh: a tooth of gear 1 points right (+x), a space of gear 2 left.
    for name, z, x, centre in ((names[0], 10, 0.5, math.pi / 2), (names[1], 30, 0, math.pi / 30 - math.pi / 2)):
        [(path, points)] = read(os.path.join(folder, name))
        radii = [math.hypot(*p) for p in points]
        middle = (min(radii) + max(radii)) / 2
        teeth = sum(radii[i - 1] < middle <= radii[i] for i in range(len(radii)))
        check(isinstance(path[-1], svgelements.Close) and teeth == z and LinearRing(points).is_simple,
              "%s: one closed path of %d teeth, not crossing itself" % (name, z), teeth)
        vertices += ["%d %r %r %r %r" % (z, x, centre, px / M, -py / M) for px, py in points]
        gears.append(Polygon(points))
        png = os.path.join(ARTIFACTS, name[:-4] + ".png")  # kept, to be looked at
        shown = subprocess.run(["rsvg-convert", "-b", "white", "-z", "2", "-o", png, os.path.join(folder, name)])
        check(shown.returncode == 0 and open(png, "rb").read(4) == b"\x89PNG", "rsvg-convert renders it: " + png)
    with open(os.path.join(ARTIFACTS, "outline-vertices.txt"), "w") as f:
        f.write("\n".join(vertices) + "\n")
    reference = subprocess.run([GEAR_TESTS, "--gtest_filter=RackReference.WholeOutlines*", "--gtest_brief=1"],
                               env=dict(os.environ, GEARMESH_OUTLINE_VERTICES=f.name), timeout=300)
    check(reference.returncode == 0, "every vertex within 0.005 module of the rack's tooth")
    # Gear 2 to the right, turning back a third as fast. A thousandth of a module (mm2 for
    # the overlap): the distance is printed to a micrometre, the chords lie closer yet.
    a, overlap, gap = float(drill.group(1)) if drill else 0.0, 0.0, 0.0
    for t in (step * 36.0 / 40 for step in range(41)):
        one, two = rotate(gears[0], t, origin=(0, 0)), translate(rotate(gears[1], -t / 3, origin=(0, 0)), a)
        overlap, gap = max(overlap, one.intersection(two).area), max(gap, one.distance(two))
    check(overlap < 1e-5 and gap < 0.001 * M,
          "at the printed centre distance they mesh: overlap %.2g mm2, gap %.2g mm" % (overlap, gap))

    before = [open(os.path.join(folder, n), "rb").read() for n in names]
    status, out = run(folder, "-e", "--outline", "3", "--bore", "8")
    taken = [n[:-4] + "-2.svg" for n in names]
    paths = read(os.path.join(folder, taken[0])) if status == 0 else []
    box = paths[1][0].bbox() if len(paths) == 2 else (0, 0, 0, 0)
    check(all("Outline saved: %s/%s" % (os.path.realpath(folder), n) in out for n in taken)
          and [open(os.path.join(folder, n), "rb").read() for n in names] == before
          and isinstance(paths[1][0][-1], svgelements.Close) and abs(box[2] - box[0] - 8) < 1e-3,
          "in English, a bore of 8 mm, under new names beside the first", out[-300:])
    for args, said in ((["--outline", "0"], "--outline のモジュールは0より大きく100以下の数（mm）で指定してください：0"),
                       (["--outline", "abc"], "モジュールは0より大きく100以下の数（mm）で指定してください：abc"),
                       (["-e", "--bore", "5"], "--bore goes with --outline"),
                       (["--outline", "3", "--bore", "25.5"], "穴の直径25.5 mmが歯車1の歯底円の直径25.500 mm"
                        "より小さくないため，輪郭を書きません（歯底円の直径：歯車1 25.500 mm，歯車2 82.500 mm）")):
        status, out = run(folder, *args)  # only the bore is refused after the dialogue
        check(status == 2 and said in out and ("z1 z2=" in out) == ("25.5" in args)
              and len(os.listdir(folder)) == 4, "%s refused with status 2" % " ".join(args), out)
sys.exit(1 if failures else 0)
