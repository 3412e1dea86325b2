"""A held 's' on the slowest picture: the gears stop when the key is let go.

200/200 in view 3 zoomed out by 30 'w' has the slowest frames. 90 's' typed at
100 a second (a held key on a slow machine) must each turn the gears one step,
and the picture must stand on the picture of 90 steps within 0.3 s of the last
press instead of turning on, frame after frame, behind the keys. The picture of
90 steps is first taken from the same keys typed slowly. A shared machine
sometimes stalls any program for a moment, so the burst is typed up to three
times and the best time counts; every time is printed.
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import time

import harness

TEETH = (200, 200)
ZOOM_OUT = 30
PRESSES = 90
RATE = 100.0
LIMIT = 0.3
TRIES = 3
GIVE_UP = 10.0


def body(checks, binary):
    with harness.Session(binary, TEETH, (0.0, 0.0), name="burst") as s:
        s.settle()
        # Zoomed out in view 1: in a mesh view every key turns the gears as well.
        s.press(*["w"] * ZOOM_OUT)
        start = s.press("3")
        target = s.press(*["s"] * PRESSES)
        wanted = s.x.snapshot(s.window)
        times = []
        for _ in range(TRIES):
            s.keys("3")
            s.wait_like(start, 0)
            first = time.monotonic()
            last = s.x.type_key("s", PRESSES, 1.0 / RATE)
            # Every frame on the way shows a different angle, so the first
            # frame of 90 steps is the one the burst ends on.
            while s.x.snapshot(s.window) != wanted and time.monotonic() < last + GIVE_UP:
                time.sleep(0.005)
            times.append(time.monotonic() - last)
            print("     %.0f presses a second; %s %.3f s after the last"
                  % ((PRESSES - 1) / (last - first),
                     "settled" if times[-1] < GIVE_UP else "still turning", times[-1]), flush=True)
            if times[-1] <= LIMIT:
                break
        end = s.settle()
        checks.check(end.same_as(target), "the burst of %d 's' ends on the picture of %d steps"
                     % (PRESSES, PRESSES), "%d pixels differ" % end.differing_pixels(target), end)
        checks.check(min(times) <= LIMIT, "the picture settles within %.1f s of the last press"
                     % LIMIT, "best of %d bursts: %.3f s" % (len(times), min(times)))


if __name__ == "__main__":
    harness.main("burst", body, time_limit=120)
