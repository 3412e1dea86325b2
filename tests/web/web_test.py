"""The page in chromium or Firefox (page_driver.js), served, against the desktop program given
the same input; then the one file gearmesh.html from a file:// address, as a class meets it.
Usage: NODE_PATH=NODE_MODULES GEARMESH_WEB_DIR=PAGE_DIR GEARMESH_WEB_BROWSER=chromium|firefox
[GEARMESH_WEB_SHOTS=DIR] web_test.py PATH_TO_GEARMESH (DIR: for the screenshots of the sizes)"""

import base64
import http.server
import json
import os
import re
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
# A line with a NUL must be refused whole, its 20 never held towards a pair.
SESSION = [("3 30", TEETH), ("20\0 99", TEETH), ("20 20", SHIFTS), ("-0.5 -0.5", SHIFTS),
           ("0 0", REPORT), "z", ("10 30", SHIFTS), ("0.5 0", REPORT)]
# From view 1 of 10/30 0.5 0, the keys before each picture.
PICTURES = [[], ["2"], ["3"] + ["s"] * 24, ["4"] + ["s"] * 10, ["w"], ["W"] * 3]
BY_BUTTON = "w"  # given by the page's button, as on a touch screen
# A red pixel is misplaced when the other picture has none within one pixel; the
# share of misplaced ones, and the difference of the counts, are bounded (docs/web.md).
MISPLACED_SHARE = 0.002
RED_COUNT_SHARE = 0.03
ENDED = "document.querySelector('#ended:not([hidden])')?.textContent"  # what the page says
CONSOLE = "document.getElementById('console').textContent"
BROWSER = os.environ.get("GEARMESH_WEB_BROWSER", "chromium")
SIZES = [(1366, 768), (1280, 720), (390, 844), (820, 1180)]  # laptop, projector, phone, tablet
# chromium's software renderer says this of any WebGL page whose frames it reads back.
RENDERER_NOTE = "GL Driver Message"
# Where the report of the last pair, the picture and the input line lie; the numbers of the
# console split over two lines; the height of the first legend line's ink (CSS pixels).
LAYOUT = """(() => {
    const rect = (id) => document.getElementById(id).getBoundingClientRect(), w0 = innerWidth;
    const inView = (r) => r.top >= 0 && r.left >= 0 && r.bottom <= innerHeight && r.right <= w0;
    const box = document.getElementById("console"), c = rect("console"), range = new Range();
    box.normalize();
    const text = box.firstChild.data, page = document.documentElement;
    const lines = (from, to) => {
        range.setStart(box.firstChild, from);
        range.setEnd(box.firstChild, to);
        return [...range.getClientRects()];
    };
    const shown = (at) => lines(at, at + 1).every((r) => r.top >= c.top && r.bottom <= c.bottom);
    const legend = document.getElementById("legend"), w = legend.width, h = legend.height / 4;
    const copy = new OffscreenCanvas(w, h).getContext("2d");  // read once, unlike the page's canvas
    copy.drawImage(legend, 0, 0);
    const ink = [], a = copy.getImageData(0, 0, w, h).data;
    for (let y = 0; y < h; ++y) a.subarray(4 * w * y, 4 * w * (y + 1)).some(Boolean) && ink.push(y);
    return { "picture, input line": inView(rect("picture")) && inView(rect("line")),
        "the report": shown(text.lastIndexOf("x1 x2=")) && shown(text.trimEnd().length - 1),
        "no scrolling": page.scrollHeight <= innerHeight, sideways: page.scrollWidth > innerWidth,
        legend: ink.findIndex((y, i) => ink[i + 1] !== y + 1) * legend.clientWidth / w,
        broken: [...text.matchAll(/-?[0-9]+([.][0-9]+)?/g)].filter((m) =>
            new Set(lines(m.index, m.index + m[0].length).map((r) => r.top)).size > 1) };
})()"""
# The files that 'p' downloads: the PNG's dark pixels in the picture's part and on
# screen (the frame without the legends), its height, how far right its caption's ink
# goes, the names, the SVG's type and text.
SAVED = """(async () => {
    const [png, svg] = await Promise.all(window.saved.map(([, href]) => fetch(href).then((r) => r.blob())));
    const image = await createImageBitmap(png), h = image.height;
    const saved = new OffscreenCanvas(800, h).getContext("2d", { willReadFrequently: true });
    saved.drawImage(image, 0, 0);
    const dark = (p) => p.filter((v, i) => i % 4 == 0 && v + p[i + 1] + p[i + 2] < 180).length;
    const caption = saved.getImageData(0, 800, 800, h - 800).data;  // how far right its ink goes
    const right = Math.max(...[...Array(800).keys()].filter((x) =>
        [...Array(h - 800).keys()].some((y) => caption[4 * (800 * y + x)] < 100)));
    return [dark(saved.getImageData(0, 0, 800, 800).data), dark(window.lastFrame), h, right,
            window.saved.map(([name]) => name), svg.type, await svg.text()];
})()"""


class Page:
    def __init__(self, browser, env):
        driver = os.path.join(os.path.dirname(os.path.abspath(__file__)), "page_driver.js")
        self.proc = subprocess.Popen(["node", driver, browser], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, env=env)
        self.said = []  # what the page wrote on the browser's console, all along

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

    def loaded(self):  # the addresses loaded since the last look
        news = self("news")
        self.said += [text for text in news["said"] if RENDERER_NOTE not in text]
        return news["loaded"]


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


def against_desktop(checks, page, url, binary):
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
    page.loaded()
    page("click", selector="#english")
    page("wait", js=CONSOLE + ".endsWith('z1 z2= ')")
    checks.check(page("eval", js="document.documentElement.lang") == "en" and
                 not [address for address in page.loaded() if not address.startswith("data:")],
                 "English starts the program again after the end, loading nothing")


def laid_out(checks, page, when, sizes, shots=None):
    for width, height in sizes:
        page("viewport", width=width, height=height,
             shot=shots and os.path.join(shots, "%s-%dx%d.png" % (checks.name, width, height)))
        look, where = page("eval", js=LAYOUT), "at %dx%d %s" % (width, height, when)
        checks.check(not look.pop("sideways") and not look.pop("broken"), "no sideways scrolling, "
                     "no number split over two lines " + where, repr(look))
        legend = look.pop("legend")
        checks.check(legend >= 10, "legends at least 12 pixels " + where, "ink %.1f" % legend)
        for what, good in look.items() if width >= 1000 else ():
            checks.check(good, "%s in view %s" % (what, where))


def in_classroom(checks, page, url):
    """The one file from a file:// address, as a class meets it."""
    page("open", url=url)
    page.steps([("10 30", SHIFTS), ("0.5 0", REPORT)])
    laid_out(checks, page, "after 10 30, 0.5 0", SIZES, os.environ.get("GEARMESH_WEB_SHOTS"))
    js = lambda code: page("eval", js="document.getElementById(" + code)  # noqa: E731
    page("eval", js="HTMLAnchorElement.prototype.click = function () { "
         "(window.saved ||= []).push([this.download, this.href]) }")
    for key in ["3", "s", "W", "p"]:
        page.steps([key])
        laid_out(checks, page, "after " + key, SIZES[1:2])
    page("wait", js="window.saved?.length >= 2")
    saved, shown, height, right, names, svg_type, svg = page("eval", js=SAVED)
    # The caption's first line, 18-pixel letters, reaches some 440 pixels right.
    checks.check(saved > shown + 1000 and height > 800 and right > 350, "'p' downloads the "
                 "picture with its legends and its caption below", "dark pixels %d, on screen "
                 "without the legends %d, %d pixels high, caption to %d" % (saved, shown, height, right))
    base = "gearmesh_10-30_0.5-0_view3"
    checks.check(names == [base + ".png", base + ".svg"] and svg_type == "image/svg+xml" and
                 svg.count("<path") > 5 and "23.299" in svg, "'p' downloads the SVG beside it, "
                 "named and typed", "%r %r" % (names, svg_type))
    page("click", selector="#contrast")
    bright = page.frame()
    page("click", selector="#contrast")
    checks.check(bright.count(picture.YELLOW) == 0 and bright.count((170, 120, 0)) > 500 and
                 page.frame().count(picture.YELLOW) > 500, "the switch turns the high-contrast "
                 "display on (no pale yellow, a dark amber) and off")
    idle = js("'line').disabled && document.getElementById('line').placeholder")
    page.steps(["2", "0", "Enter", "z", ("45 17", SHIFTS), ("-0.5 -0.5", REPORT)])
    typed = page("wait", js=CONSOLE)
    checks.check(idle and "20 20" not in typed.replace("45 17", ""), "the input line says why "
                 "it is disabled while no question waits, and nothing typed then is taken")
    warnings = [l for l in typed[typed.rindex("x1 x2="):].split("\n") if l.startswith("注意")]
    box = js("'warnings').checkVisibility() && document.getElementById('warnings').textContent")
    checks.check(len(warnings) == 3 and box == "\n".join(warnings),
                 "the three warnings of 45/17 -0.5 -0.5 in their box", repr(warnings))
    laid_out(checks, page, "with the warnings", SIZES[1:2])
    page.steps(["z", ("20 20", SHIFTS)])
    js("'line').focus()")
    back = [page("key", key="Tab", on=None, capital=True) for _ in range(2)]
    checks.check("canvas" in back and js("'canvas').ariaLabel"),
                 "the picture, named, is two Shift+Tab from the input line")
    page("click", selector="#english")
    # NOTE: as a person would, once the question is back (the new run replays first).
    page("wait", js=CONSOLE + ".endsWith('x1 x2=')")
    page.steps([("0 0", "quit")])
    english = page("eval", js="document.documentElement.lang + document.body.innerText + "
                   "[...document.querySelectorAll('[title],[aria-label],[placeholder]')].map((e) =>"
                   " e.title + e.ariaLabel + e.placeholder).join()")
    checks.check(english.startswith("en") and not re.search("[\u3000-\u9fff\uff00-\uffef]", english)
                 and js("'warnings').hidden"),
                 "a switch to English while a question waits keeps what was typed; the whole page "
                 "is English")
    checks.check(all(a.startswith(("file:", "data:", "blob:")) for a in page.loaded()),
                 "the one file loads nothing from the network")


def main(checks, binary):
    http.server.SimpleHTTPRequestHandler.log_message = lambda *args: None
    folder, handler = os.environ["GEARMESH_WEB_DIR"], http.server.SimpleHTTPRequestHandler
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), lambda *args: handler(*args, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    screen = harness.XServer("1400x1200x24") if BROWSER == "firefox" else None
    page = Page(BROWSER, dict(os.environ, DISPLAY=screen.start()) if screen else None)
    try:
        against_desktop(checks, page, "http://127.0.0.1:%d/index.html" % server.server_address[1],
                        binary)
        in_classroom(checks, page, "file://" + os.path.abspath(folder) + "/gearmesh.html")
        page.loaded()
        checks.check(not page.said, "no warning or error from the page on the browser's console",
                     repr(page.said))
    finally:
        page.proc.stdin.close()
        page.proc.wait(timeout=30)
        if screen:
            screen.stop()
        server.shutdown()


if __name__ == "__main__":
    harness.main("web-" + BROWSER, main, 600)
