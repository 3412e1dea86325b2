"""The page in headless chromium (page_driver.js) against the desktop program (e2e harness),
given the same input: the console, the title, the red teeth of the views, play, 'x', ESC.
Usage: NODE_PATH=NODE_MODULES GEARMESH_WEB_DIR=PAGE_DIR web_test.py PATH_TO_GEARMESH"""

import base64
import http.server
import json
import os
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

import harness  # noqa: E402
import picture  # noqa: E402
from test_title import TITLE  # noqa: E402

TEETH, SHIFTS, REPORT = harness.TEETH_PROMPT, harness.SHIFT_PROMPT, harness.REPORT_END
# Lines typed, each with what the console ends with once it is answered, and keys.
SESSION = [("3 30", TEETH), ("abc", TEETH), ("20 20", SHIFTS), ("-0.5 -0.5", SHIFTS),
           ("0 0", REPORT), "z", ("10 30", SHIFTS), ("0.5 0", REPORT)]
# From view 1 of 10/30 0.5 0, the keys before each picture.
PICTURES = [[], ["2"], ["3"] + ["s"] * 24, ["4"] + ["s"] * 10, ["w"], ["W"] * 3]
BY_BUTTON = "w"  # given by the page's button, as on a touch screen
# A red pixel is misplaced when the other picture has none within one pixel; the
# share of misplaced ones, and the difference of the counts, are bounded (docs/web.md).
MISPLACED_SHARE = 0.002
RED_COUNT_SHARE = 0.03
ENDED = "document.querySelector('#ended:not([hidden])')?.textContent"  # what the page says


class Page:
    def __init__(self):
        driver = os.path.join(os.path.dirname(os.path.abspath(__file__)), "page_driver.js")
        self.proc = subprocess.Popen(["node", driver], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE)

    def __call__(self, op, **args):
        self.proc.stdin.write((json.dumps(dict(op=op, **args)) + "\n").encode())
        self.proc.stdin.flush()
        answer = json.loads(self.proc.stdout.readline() or '{"ok": false, "error": "node ended"}')
        if not answer["ok"]:
            raise harness.TestFailure("the page: %s" % answer["error"])
        return answer.get("value")

    def frame(self, w=800, h=800):
        rgba = base64.b64decode(self("frame"))  # GL's rows, from the bottom
        rows = b"".join(rgba[y * w * 4:(y + 1) * w * 4] for y in reversed(range(h)))
        return picture.Frame(w, h, rows[0::4], rows[1::4], rows[2::4])

    def steps(self, steps):
        for step in steps:
            if step == BY_BUTTON:
                self("click", selector="#keys [data-key='%s']" % step)
            elif isinstance(step, str):
                self("key", key=step)
            else:
                self("line", text=step[0], until=step[1])


def misplaced(a, b):  # red pixels of frame a with no red pixel of frame b within one pixel
    near = int.from_bytes(b.mask(picture.RED), "big")
    near |= near << 8 | near >> 8  # one byte a pixel: 8 bits are one pixel
    near |= near << 8 * b.w | near >> 8 * b.w
    whole = (1 << 8 * b.w * b.h) - 1
    return (int.from_bytes(a.mask(picture.RED), "big") & ~near & whole).bit_count()


def same_teeth(checks, mine, theirs, what):
    red, own = theirs.count(picture.RED), mine.count(picture.RED)
    bad = (misplaced(mine, theirs), misplaced(theirs, mine))
    checks.check(max(bad) <= MISPLACED_SHARE * red and abs(own - red) <= RED_COUNT_SHARE * red,
                 "red teeth %s where the desktop's are (red pixels: page %d, %d misplaced; desktop "
                 "%d, %d; all pixels differing: %d)" % (what, own, bad[0], red, bad[1],
                                                        mine.differing_pixels(theirs)), frame=mine)


def both(page, s, steps, echoes):
    """The steps on the page and the desktop, noting where a terminal echoes each line."""
    for step in steps:
        page.steps([step])
        if isinstance(step, str):
            s.keys(step)
            continue
        mark = s.console.mark()
        echoes.append((len(s.console.raw()), step[0]))
        s.send(step[0])
        s.console.wait_for(step[1], mark)


def body(checks, page, url, binary):
    echoes = []
    with harness.Session(binary, teeth=None, name="web") as s:
        page("open", url=url)
        both(page, s, SESSION[:5], echoes)
        s.find_window()
        s.focus()
        both(page, s, SESSION[5:], echoes)
        checks.check(page("wait", js="document.title") == TITLE, "the page's title is the window's")
        for keys in PICTURES:
            page.steps(keys)
            same_teeth(checks, page.frame(), s.press(*keys) if keys else s.settle(),
                       "after '%s'" % "".join(keys))
        # The play button turns view 5 by itself, and stops it again.
        page.steps(["5"])
        looks = []
        for _ in range(2):
            page("click", selector="#keys [data-key='a']")
            looks.append(page.frame())
            time.sleep(0.4)
            looks.append(page.frame())
        checks.check(not looks[0].same_as(looks[1]) and looks[2].same_as(looks[3]),
                     "the play button turns view 5 by itself, and stops it again", frame=looks[1])
        both(page, s, ["x", ("-0.2 0.3", REPORT)], echoes)
        page.steps(["3"])
        same_teeth(checks, page.frame(), s.press("3"), "in view 3 after 'x'")
        page.steps(["Escape"])
        s.keys("Escape")
        checks.check("終了コード" not in page("wait", js=ENDED) and s.wait_exit(10) == 0,
                     "ESC ends both, and the page says so")
        s.console.wait_closed()
        terminal = bytearray(s.console.raw())
        for position, text in reversed(echoes):
            terminal[position:position] = (text + "\n").encode()
        shown = page("wait", js="document.getElementById('console').textContent").encode()
        checks.check(shown == terminal, "the console is the terminal's, byte for byte",
                     "page:\n%r\nterminal:\n%r" % (shown, bytes(terminal)))


def main(checks, binary):
    http.server.SimpleHTTPRequestHandler.log_message = lambda *args: None
    folder, handler = os.environ["GEARMESH_WEB_DIR"], http.server.SimpleHTTPRequestHandler
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), lambda *args: handler(*args, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    page = Page()
    try:
        body(checks, page, "http://127.0.0.1:%d/index.html" % server.server_address[1], binary)
    finally:
        page.proc.stdin.close()
        page.proc.wait(timeout=30)
        server.shutdown()


if __name__ == "__main__":
    harness.main("web", main, 300)
