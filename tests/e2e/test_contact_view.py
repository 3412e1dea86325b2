"""View 5 and the play key in the window, for 10/30 with gear 1 shifted by 0.5: of
its 3.9690-long path of contact one pair of teeth alone carries 1.9353 (red), and
over one pitch (40 steps) two pairs touch in a share epsilon - 1 of the frames."""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import time

import harness
import picture

SINGLE, PATH, EPSILON = 1.9353, 3.9690, 1.344


def body(checks, binary):
    with harness.Session(binary, (10, 30), (0.5, 0.0), name="contact") as s:
        s.settle()
        frames = [s.press("5")] + [s.press("s") for _ in range(39)]
        f, w = frames[0], frames[0].w
        # The shifted path: the top row of those with the most red and blue.
        lit = [f.mask(picture.RED)[i] | f.mask(picture.BLUE)[i] for i in range(w * w // 2)]
        row = max(range(w // 2 - 200, w // 2 - 160), key=lambda y: sum(lit[y * w:(y + 1) * w]))
        # Its colours over the whole pitch, so that no dot hides them.
        red = [x for x in range(w) if any(g.mask(picture.RED)[row * w + x] for g in frames)]
        blue = [x for x in range(w) if any(g.mask(picture.BLUE)[row * w + x] for g in frames)
                and x not in red]
        share = len(red) / max(1, len(red) + len(blue))
        print("     red share %.4f of %d pixels, want %.4f" % (share, len(red) + len(blue),
                                                             SINGLE / PATH))
        checks.check(abs(share - SINGLE / PATH) <= 0.03 * SINGLE / PATH,
                     "the red share of the shifted path is the single-pair zone's", frame=f)
        # The dots are wider than the path: black runs in the row above it, along it.
        left, right = min(red + blue) - 8, max(red + blue) + 8
        counts = []
        for g in frames:
            line = g.dark_mask()[(row - 1) * w + left:(row - 1) * w + right]
            counts.append(sum(1 for i in range(1, len(line)) if line[i] and not line[i - 1]))
        two = counts.count(2) / len(counts)
        print("     two dots in %d of %d frames: %.3f, want %.3f" % (counts.count(2), len(counts),
                                                                    two, EPSILON - 1))
        checks.check(set(counts) <= {1, 2} and abs(two - (EPSILON - 1)) <= 0.1,
                     "two contact dots lie on the shifted path in a share epsilon - 1 of a pitch",
                     "dots per frame %s" % counts, f)

        # Play: the picture goes on changing without a key, and stands once stopped.
        s.keys("a")
        seen = [s.grab()]
        for _ in range(4):
            time.sleep(0.3)
            seen.append(s.grab())
        checks.check(all(not a.same_as(b) for a, b in zip(seen, seen[1:])),
                     "'a' turns the gears by itself", frame=seen[-1])
        s.keys("a")
        still = s.settle()
        time.sleep(0.5)
        checks.check(s.grab().same_as(still), "a second 'a' stops them", frame=still)


if __name__ == "__main__":
    harness.main("contact view", body, time_limit=120)
