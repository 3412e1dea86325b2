"""Makes docs/outline-pair.png: the two SVG files that `gearmesh --outline 3 --bore 8`
writes for 10/30 with shifts 0.5 and 0, side by side with their centres the printed
centre distance apart (the files are laid out to mesh so), nested as they are in
one SVG file and rendered by rsvg-convert.

Usage: make_outline_picture.py PATH_TO_GEARMESH OUTPUT_PNG
"""

import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
MARGIN = 3.0  # mm around the pair
PIXELS_PER_MM = 6


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    gearmesh, png = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    with tempfile.TemporaryDirectory(prefix="gearmesh-outline-picture-") as work:
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        out = subprocess.run([gearmesh, "-e", "--outline", "3", "--bore", "8"], cwd=work, env=env,
                             input=b"10 30\n0.5 0\n", stdout=subprocess.PIPE, check=True).stdout.decode()
        names = re.findall(r"Outline saved: .*/(\S+\.svg)", out)
        distance = float(re.search(r"axle holes ([0-9.]+) mm apart", out).group(1))
        # Each file's size and the centre of its pitch circle, mm.
        gears = []
        for name in names:
            root = ET.parse(os.path.join(work, name)).getroot()
            _, _, w, h = map(float, root.get("viewBox").split())
            circle = root.find(SVG + "circle")
            gears.append((name, w, h, float(circle.get("cx")), float(circle.get("cy"))))
        (n1, w1, h1, x1, y1), (n2, w2, h2, x2, y2) = gears
        # Gear 1's file at (MARGIN, top1), gear 2's so that its centre lies `distance`
        # to the right of gear 1's, at the same height.
        top1 = MARGIN + max(0.0, y2 - y1)
        left2, top2 = MARGIN + x1 + distance - x2, top1 + y1 - y2
        width = max(MARGIN + w1, left2 + w2) + MARGIN
        height = max(top1 + h1, top2 + h2) + MARGIN
        pair = os.path.join(work, "pair.svg")
        with open(pair, "w") as f:
            f.write('<svg xmlns="http://www.w3.org/2000/svg" width="%.3fmm" height="%.3fmm" '
                    'viewBox="0 0 %.3f %.3f">\n' % (width, height, width, height))
            # Each file as it is, nested at its place; its width and height, which
            # are in mm, in the user units of the pair (mm as well).
            for name, left, top in ((n1, MARGIN, top1), (n2, left2, top2)):
                with open(os.path.join(work, name)) as gear:
                    text = gear.read()
                text = re.sub(r'(width|height)="([0-9.]+)mm"', r'\1="\2"', text[text.index("<svg"):])
                f.write(text.replace("<svg ", '<svg x="%.3f" y="%.3f" ' % (left, top), 1))
            f.write("</svg>\n")
        subprocess.run(["rsvg-convert", "-b", "white", "-w", str(int(width * PIXELS_PER_MM)),
                        "-o", png, pair], check=True)
    print(png)
    return 0


if __name__ == "__main__":
    sys.exit(main())
