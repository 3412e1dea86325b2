"""gearmesh.exe and the unit tests of the gear and console libraries, cross-built
for Windows, under Wine.

Usage: check_wine.py BUILD_WINDOWS_DIR LINUX_GEARMESH

One private Xvfb and one fresh Wine prefix (inside BUILD_WINDOWS_DIR, removed at
the end) serve the whole run. Each scenario drives gearmesh.exe and then the Linux
program the same way, with Windows line ends typed into both; the whole console
output of the two must be the same bytes once CRLF is read as LF, in Japanese
and in English (-e). The window checks (title, red teeth, key '3', a window that
answers while the dialogue waits, ESC, end of input, the picture that 'p' saves
in the folder the program was started in) are made on the Windows program, and
--outline must write the Linux program's SVG files, byte for byte; the
Linux suite makes them on its own program already. One run types into a Wine
console, as a person would.
"""

import os
import pty
import re
import select
import shutil
import subprocess
import sys
import tempfile
import termios
import time

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))

import harness  # noqa: E402
import picture  # noqa: E402
import test_picture  # noqa: E402
import test_title  # noqa: E402

END_OF_INPUT = "入力が終わりました．終了します"
ENGLISH_REPORT_END = "ESC key     : quit"
# A view-1 frame of either pair shows thousands of red tooth pixels; a window
# that draws nothing (or draws in the wrong colour) shows none.
RED_ENOUGH = 1000


class SharedServer:
    """Stands in for a session's own Xvfb: every session uses the run's one server."""

    def __init__(self, display):
        self.display = display

    def start(self):
        return self.display

    def stop(self):
        pass

    def log_text(self):
        return ""


def session(command, display, name, args=(), cwd=None):
    s = harness.Session(command, teeth=None, name=name, args=args, cwd=cwd,
                        report_end=ENGLISH_REPORT_END if "-e" in args else harness.REPORT_END)
    s.server = SharedServer(display)
    return s


def answer(s, teeth, shifts):
    """Answers the dialogue with CRLF line ends, finds the window and focuses it."""
    start = s.console.wait_for(harness.TEETH_PROMPT)
    s.proc.stdin.write(("%s\r\n" % teeth).encode())
    s.proc.stdin.flush()
    start = s.console.wait_for(harness.SHIFT_PROMPT, start)
    s.proc.stdin.write(("%s\r\n" % shifts).encode())
    s.proc.stdin.flush()
    s.console.wait_for(s.report_end, start)
    s.find_window(timeout=60)
    s.focus()


def console_bytes(s):
    s.console.wait_closed()
    return s.console.raw()


def escape_run(checks, command, display, windows, args=(), teeth="２０　２０", shifts="０．５　０"):
    """20/20 (x1 = 0.5 unless other shifts are given), typed full-width into a pipe,
    then ESC. Returns the console output."""
    with session(command, display, "wine-esc", args) as s:
        answer(s, teeth, shifts)
        s.settle(60)
        s.keys("Escape")
        status = s.wait_exit(30)
        if windows:
            checks.check(status == 0, "ESC ends gearmesh.exe with status 0", "status %r" % status)
        return console_bytes(s)


# A line with a NUL, which must be refused whole (its 20 and the 30 after it never
# make a pair), then the minus signs that an input method types.
NUL_TEETH = "20\0 99\r\n30\r\n25"
IME_SHIFTS = "ー０．３ −0.3"


def refusal_run(checks, command, display, windows):
    out = escape_run(checks, command, display, windows, ["-e"], NUL_TEETH, IME_SHIFTS)
    if windows:
        text = out.replace(b"\r\n", b"\n").decode("utf-8", errors="replace")
        checks.check("This is not a number" in text and "Teeth z1= 30" in text and
                     "Teeth z2= 25" in text and "x1=-0.3000" in text and "x2=-0.3000" in text,
                     "gearmesh.exe refuses the line with a NUL, and reads ー０．３ and −0.3 as -0.3",
                     repr(text[-1200:]))
    return out


def title_of(s, timeout=30.0):
    """The window's _NET_WM_NAME once it is the title; Wine sets it a moment late."""
    env = dict(s.env, LC_ALL="C.UTF-8", LANG="C.UTF-8")
    deadline = time.monotonic() + timeout
    value = None
    while time.monotonic() < deadline:
        proc = harness.run_tool(["xprop", "-id", str(s.window), "_NET_WM_NAME"], env, check=False)
        got = test_title.parse_xprop(proc.stdout.decode("utf-8", errors="replace"))
        value = got.get("_NET_WM_NAME", (None, None))[1]
        if value == test_title.TITLE:
            break
        time.sleep(0.2)
    return value


def window_run(checks, command, display, windows, build):
    """12/30 with x1 = 0.5: title, view 1, key '3', then 'z', the window asked to
    answer while the dialogue waits, and the end of input."""
    artifacts = os.path.join(build, "wine-artifacts")
    with session(command, display, "wine-window") as s:
        answer(s, "12 30", "0.5 0")
        if windows:
            title = title_of(s)
            checks.check(title == test_title.TITLE, "the title shows its Japanese characters",
                         "_NET_WM_NAME is %r" % title)
        view1 = s.settle(60)
        try:
            view3 = s.press("3")
        except harness.TestFailure as exc:
            view3 = None
            checks.check(False, "key '3' changes the picture", str(exc))
        if windows:
            red = view1.count(picture.RED)
            checks.check(red >= RED_ENOUGH, "view 1 shows the red teeth",
                         "%d red pixels" % red, view1)
            view1.save_png(os.path.join(artifacts, "wine-view1.png"))
            if view3 is not None:
                checks.check(view3.count(picture.RED) >= RED_ENOUGH,
                             "key '3' changes the picture to the red teeth in mesh", "", view3)
                view3.save_png(os.path.join(artifacts, "wine-view3.png"))
        mark = s.console.mark()
        s.keys("z")
        s.console.wait_for(harness.TEETH_PROMPT, mark)
        if windows:
            helper = subprocess.run(["wine", os.path.join(build, "tests", "window_answers.exe")],
                                    env=s.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                    timeout=60)
            checks.check(helper.returncode == 0,
                         "the window answers a message within 1 s while the dialogue waits",
                         "status %d: %s" % (helper.returncode, helper.stdout.decode().strip()))
        s.proc.stdin.close()
        status = s.wait_exit(30)
        out = console_bytes(s)
        if windows:
            checks.check(status == 1, "the end of input ends gearmesh.exe with status 1",
                         "status %r" % status)
            tail = out.replace(b"\r\n", b"\n").decode("utf-8", errors="replace")
            checks.check(tail.endswith("\n" + END_OF_INPUT + "\n"),
                         "the end of input is announced", repr(tail[-80:]))
        return out


def picture_run(checks, command, display):
    """10/30 with x1 = 0.5: 'p' in view 1 saves the window where the program started."""
    with tempfile.TemporaryDirectory(prefix="gearmesh-wine-picture-") as folder, \
            session(command, display, "wine-picture", cwd=folder) as s:
        answer(s, "10 30", "0.5 0")
        shown = s.settle(60)
        mark = s.console.mark()
        s.keys("p")
        end = s.console.wait_for(".svg", s.console.wait_for("図を保存しました：", mark, 30))
        name = "gearmesh_10-30_0.5-0_view1.png"
        svg = name[:-4] + ".svg"
        checks.check(s.console.text()[:end].endswith("\\" + svg) and
                     sorted(os.listdir(folder)) == [name, svg],
                     "gearmesh.exe saves %s and its SVG where it started" % name,
                     "%r, %r" % (s.console.text(mark), os.listdir(folder)))
        saved = picture.load_png(os.path.join(folder, name))
        checks.check(test_picture.inner(saved, shown.h) == test_picture.inner(shown),
                     "the picture's pixels are the window's", "", saved)


def outline_run(command, env, args):
    """--outline 3 for 10/30, 0.5 0, in a folder of its own: status, output (paths without folder), files."""
    with tempfile.TemporaryDirectory(prefix="gearmesh-wine-outline-") as folder:
        proc = subprocess.run([command, "--outline", "3", *args], input=b"10 30\r\n0.5 0\r\n",
                              cwd=folder, env=env, stdout=subprocess.PIPE, timeout=120)
        return (proc.returncode, re.sub(rb"\S*[/\\](gearmesh_\S*svg)", rb"\1", proc.stdout.replace(b"\r", b"")),
                [open(os.path.join(folder, n), "rb").read() for n in sorted(os.listdir(folder))])


def on_terminal(args, env, answers):
    """Runs args with a terminal for standard input and output, which Wine makes a
    Windows console; types each answer and Enter once its prompt shows, as a person
    would. Returns what the terminal showed, without its escape sequences."""
    master, slave = pty.openpty()
    seen, text, after = bytearray(), "", 0
    try:
        proc = subprocess.Popen(args, stdin=slave, stdout=slave, stderr=slave, env=env)
        os.close(slave)
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            if select.select([master], [], [], 0.1)[0]:
                try:
                    chunk = os.read(master, 4096)
                except OSError:  # the terminal's last writer has gone
                    break
                if not chunk:
                    break
                seen += chunk
            # The console redraws its lines with escape sequences; the characters stay.
            text = re.sub(rb"\x1b(\[[0-9;?]*[A-Za-z]|\][^\x07]*\x07)", b"",
                          bytes(seen)).decode("utf-8", errors="replace")
            # Wine's console takes the terminal's keys one by one (no ICANON) only
            # once it reads; typed earlier, the terminal would edit the line itself.
            if (answers and answers[0][0] in text[after:]
                    and not termios.tcgetattr(master)[3] & termios.ICANON):
                after = text.index(answers[0][0], after) + len(answers[0][0])
                os.write(master, answers.pop(0)[1].encode() + b"\r")
        if proc.poll() is None:
            proc.kill()
            # The desktop that Wine made for it, without a display, would serve
            # the next program, whose window could then not open.
            subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        proc.wait(timeout=30)
    finally:
        os.close(master)
    return text


def console_run(checks, command, env, build):
    """gearmesh.exe on a Wine console in a Japanese locale, whose code page 932 is
    not UTF-8: the Japanese texts must arrive as their characters, and full-width
    numbers and an input method's minus signs typed at the prompts (read by
    ReadConsoleW) as numbers. No display, so
    the program ends after the report when its window cannot open."""
    # Wine takes the code page from the locale; a private one spares the machine.
    locales = os.path.join(build, "wine-locale")
    if not os.path.isdir(os.path.join(locales, "ja_JP.UTF-8")):
        os.makedirs(locales, exist_ok=True)
        harness.run_tool(["localedef", "-i", "ja_JP", "-f", "UTF-8",
                          os.path.join(locales, "ja_JP.UTF-8")], env, timeout=120)
    env = dict(env, DISPLAY="", LANG="ja_JP.UTF-8", LOCPATH=locales)
    env.pop("LC_ALL", None)
    shown = on_terminal(["wine", "chcp.com"], env, [])
    checks.check(shown.strip().endswith(": 932"), "the Wine console has code page 932",
                 repr(shown))
    shown = on_terminal([command], env, [("z1 z2=", "２０　２０"), ("x1 x2=", "ー０．３　−0.3")])
    for line in (harness.TITLE_LINE, "歯数 z1= 20  転位係数 x1=-0.3000",
                 "歯数 z2= 20  転位係数 x2=-0.3000", harness.REPORT_END):
        checks.check(line in shown, "a Windows console shows %s" % line,
                     "it showed %r" % shown[-300:])


def compare(checks, what, windows_out, linux_out):
    got = windows_out.replace(b"\r\n", b"\n")
    at = next((i for i, (a, b) in enumerate(zip(got, linux_out)) if a != b),
              min(len(got), len(linux_out)))
    checks.check(got == linux_out and len(got) > 0,
                 "%s: the console output is the Linux program's, byte for byte" % what,
                 "%d and %d bytes, first difference at byte %d: %r / %r"
                 % (len(got), len(linux_out), at, got[at:at + 40], linux_out[at:at + 40]))


def unit_tests(checks, build, env):
    for name in ("gear_tests.exe", "console_tests.exe"):
        exe = os.path.join(build, "tests", name)
        proc = subprocess.run(["wine", exe, "--gtest_brief=1"], env=env, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, timeout=600)
        text = proc.stdout.decode("utf-8", errors="replace")
        passed = [line for line in text.splitlines() if line.startswith("[  PASSED  ]")]
        checks.check(proc.returncode == 0 and passed, "%s passes under Wine" % name,
                     "status %d:\n%s" % (proc.returncode, text[-3000:]))
        if passed:
            print("     " + passed[0])


def main():
    if len(sys.argv) != 3:
        print("usage: %s BUILD_WINDOWS_DIR LINUX_GEARMESH" % sys.argv[0], file=sys.stderr)
        return 2
    build = os.path.abspath(sys.argv[1])
    linux = os.path.abspath(sys.argv[2])
    exe = os.path.join(build, "gearmesh.exe")
    checks = harness.Checks("wine")
    artifacts = os.path.join(build, "wine-artifacts")
    os.makedirs(artifacts, exist_ok=True)
    checks.artifacts = artifacts

    prefix = os.path.join(build, "wine-prefix")
    shutil.rmtree(prefix, ignore_errors=True)
    # Mono and Gecko are left out: Wine would otherwise offer to download them,
    # in a dialogue that nobody answers.
    os.environ.update(WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=d")
    # wineserver's socket lives in a folder under TMPDIR that must stay private;
    # a folder of this run's own keeps it apart from what others do in /tmp.
    wine_tmp = tempfile.mkdtemp(prefix="gearmesh-wine-")
    os.environ["TMPDIR"] = wine_tmp
    # The session starts its command itself; a wrapper keeps the pid that the
    # harness watches, since wine replaces the shell by exec.
    wrapper = os.path.join(build, "wine-gearmesh")
    with open(wrapper, "w") as f:
        f.write('#!/bin/sh\nexec wine "%s" "$@"\n' % exe)
    os.chmod(wrapper, 0o755)

    server = harness.XServer()
    display = server.start()
    env = dict(os.environ, DISPLAY=display)
    started = time.monotonic()
    # Each scenario runs on when the one before it could not be driven to its end.
    scenarios = (
        ("unit tests", lambda: unit_tests(checks, build, env)),
        ("console run", lambda: console_run(checks, wrapper, env, build)),
        ("ESC runs", lambda: compare(checks, "２０　２０, ０．５　０",
                                     escape_run(checks, wrapper, display, True),
                                     escape_run(checks, linux, display, False))),
        ("ESC runs in English", lambda: compare(
            checks, "a NUL line, 30 25, ー０．３ −0.3 in English",
            refusal_run(checks, wrapper, display, True),
            refusal_run(checks, linux, display, False))),
        ("picture run", lambda: picture_run(checks, wrapper, display)),
        ("outline runs", lambda: [checks.check(
            got[0] == 0 and len(got[2]) == 2 and got == outline_run(linux, env, args),
            "--outline 3 %s: gearmesh.exe writes the Linux program's files and text" % args, got[:2])
            for args in ([], ["-e", "--bore", "8"]) for got in [outline_run(wrapper, env, args)]]),
        ("window runs", lambda: compare(checks, "12/30, 0.5 0",
                                        window_run(checks, wrapper, display, True, build),
                                        window_run(checks, linux, display, False, build))),
    )
    try:
        harness.run_tool(["wineboot", "-i"], env, timeout=300)
        print("     Wine prefix made: %.1f s" % (time.monotonic() - started), flush=True)
        for what, run in scenarios:
            lap = time.monotonic()
            try:
                run()
            except Exception as exc:  # a failure to drive the program is a failed check
                checks.check(False, "the %s ran to the end" % what, str(exc))
            print("     %s: %.1f s" % (what, time.monotonic() - lap), flush=True)
    except Exception as exc:
        checks.check(False, "Wine made its prefix", str(exc))
    finally:
        subprocess.run(["wineserver", "-k"], env=env, stderr=subprocess.DEVNULL)
        server.stop()
        shutil.rmtree(prefix, ignore_errors=True)
        shutil.rmtree(wine_tmp, ignore_errors=True)
    print("     Wine checks took %.1f s" % (time.monotonic() - started))
    return checks.finish()


if __name__ == "__main__":
    sys.exit(main())
