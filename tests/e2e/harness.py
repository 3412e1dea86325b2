"""Runs the real gearmesh program in a private X server and drives it like a user.

A `Session` starts Xvfb on a display number that Xvfb picks itself, starts the
program with its console on pipes, answers the console dialogue, finds the
window, gives it the keyboard focus and then types keys into it through XTEST
(xdotool), reading the window's pixels back after every key. Everything it starts
is ended when the session closes, also when a check fails or the test times out,
so a broken build can never leave a server or a window behind.

Frames are awaited, not slept for: after a key the harness polls the window until
the program is idle and two consecutive grabs agree. A key whose effect would be
invisible is never trusted on its own; the tests follow it with a key whose
effect is visible and check the combined result.
"""

import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import traceback

import picture
import xwin

TEETH_PROMPT = "z1 z2= "
SHIFT_PROMPT = "x1 x2="
REPORT_END = "ESCキーで\u3000\u3000：終了"
TITLE_LINE = "１対標準歯車のかみ合いシミュレーションン"

DEFAULT_TIMEOUT = 20.0

# With GEARMESH_E2E_FRAMES set to a folder, every settled frame and each session's
# console output are kept there under names that stay the same from run to run,
# so that two builds' runs can be compared picture by picture.
FRAMES_DIR = os.environ.get("GEARMESH_E2E_FRAMES")
_kept_sessions = {}


class TestFailure(Exception):
    pass


def _require(tool):
    path = shutil.which(tool)
    if path is None:
        raise TestFailure("%s is not installed (scripts/install-deps.sh test installs it)" % tool)
    return path


def run_tool(args, env, timeout=10.0, check=True):
    proc = subprocess.run(args, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          timeout=timeout)
    if check and proc.returncode != 0:
        raise TestFailure("%s failed (%d): %s" % (" ".join(args), proc.returncode,
                                                  proc.stderr.decode(errors="replace").strip()))
    return proc


# [SECTION] X server
class XServer:
    """A private Xvfb; the display number is chosen by Xvfb (-displayfd)."""

    def __init__(self, screen="1024x1024x24"):
        self.proc = None
        self.display = None
        self.screen = screen
        self._log = tempfile.TemporaryFile()

    def start(self, timeout=DEFAULT_TIMEOUT):
        xvfb = _require("Xvfb")
        rfd, wfd = os.pipe()
        try:
            self.proc = subprocess.Popen(
                [xvfb, "-displayfd", str(wfd), "-screen", "0", self.screen,
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(wfd,), stdin=subprocess.DEVNULL, stdout=self._log,
                stderr=self._log)
        finally:
            os.close(wfd)
        number = b""
        deadline = time.monotonic() + timeout
        try:
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0 or self.proc.poll() is not None:
                    raise TestFailure("Xvfb did not start: %s" % self.log_text())
                ready, _, _ = select.select([rfd], [], [], left)
                if ready:
                    chunk = os.read(rfd, 16)
                    if not chunk:
                        raise TestFailure("Xvfb closed its display pipe: %s" % self.log_text())
                    number += chunk
        finally:
            os.close(rfd)
        self.display = ":" + number.decode().strip()
        return self.display

    def log_text(self):
        self._log.seek(0)
        return self._log.read().decode(errors="replace")[-2000:]

    def stop(self):
        if self.proc is not None and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(timeout=5)
        self.proc = None


# [SECTION] Console
class Console:
    """Collects the program's standard output as it arrives."""

    def __init__(self, stream):
        self._stream = stream
        self._data = bytearray()
        self._cond = threading.Condition()
        self.closed = False
        self._thread = threading.Thread(target=self._pump, daemon=True)
        self._thread.start()

    def _pump(self):
        fd = self._stream.fileno()
        while True:
            try:
                chunk = os.read(fd, 4096)
            except OSError:
                chunk = b""
            with self._cond:
                if not chunk:
                    self.closed = True
                    self._cond.notify_all()
                    return
                self._data += chunk
                self._cond.notify_all()

    def text(self, start=0):
        with self._cond:
            return self._data.decode("utf-8", errors="replace")[start:]

    def raw(self):
        """Every byte received so far, undecoded."""
        with self._cond:
            return bytes(self._data)

    def wait_closed(self, timeout=DEFAULT_TIMEOUT):
        """Until the program has closed its output (all of it has arrived)."""
        with self._cond:
            if not self._cond.wait_for(lambda: self.closed, timeout):
                raise TestFailure("the program's output stayed open for %.0f s" % timeout)

    def mark(self):
        """A position in the decoded text; later waits look only after it."""
        return len(self.text())

    def wait_for(self, needle, start=0, timeout=DEFAULT_TIMEOUT):
        """Waits until `needle` appears after `start`; returns the index after it."""
        deadline = time.monotonic() + timeout
        with self._cond:
            while True:
                text = self._data.decode("utf-8", errors="replace")
                i = text.find(needle, start)
                if i >= 0:
                    return i + len(needle)
                left = deadline - time.monotonic()
                if left <= 0 or self.closed:
                    raise TestFailure("console never showed %r; it showed after the mark:\n%s"
                                      % (needle, text[start:][-1500:]))
                self._cond.wait(min(left, 0.5))


# [SECTION] Session
class Session:
    """Xvfb, the program on pipes, and its window; a context manager."""

    def __init__(self, binary, teeth=(10, 30), shifts=(0.5, 0.0), name="e2e", args=(), cwd=None,
                 report_end=REPORT_END, display_option=False):
        """args follow the program's name; cwd is its current folder; report_end
        ends the report of the dialogue's language; with display_option the
        program finds its display through "-display NAME" instead of DISPLAY."""
        self.binary = os.path.abspath(binary)
        self.teeth = teeth
        self.shifts = shifts
        self.name = name
        self.args = list(args)
        self.cwd = cwd
        self.report_end = report_end
        self.display_option = display_option
        self.server = XServer()
        self.proc = None
        self.console = None
        self.window = None
        self.x = None
        self.env = None
        self._stderr = tempfile.TemporaryFile()
        self.exit_status = None
        self._frames_kept = 0
        script = os.path.splitext(os.path.basename(sys.argv[0]))[0]
        key = "%s-%s" % (script, name)
        _kept_sessions[key] = _kept_sessions.get(key, 0) + 1
        self._keep_as = "%s-%d" % (key, _kept_sessions[key])

    # -- start and stop
    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def start(self):
        if not os.access(self.binary, os.X_OK):
            raise TestFailure("no program at %s" % self.binary)
        display = self.server.start()
        env = dict(os.environ)
        env["DISPLAY"] = display
        env["LIBGL_ALWAYS_SOFTWARE"] = "1"
        env.pop("XAUTHORITY", None)
        self.env = env
        self.x = xwin.Connection(display)
        args, program_env = self.args, env
        if self.display_option:
            args = ["-display", display] + args
            program_env = dict(env)
            program_env.pop("DISPLAY")
        self.proc = subprocess.Popen([self.binary] + args, stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=self._stderr,
                                     env=program_env, cwd=self.cwd)
        self.console = Console(self.proc.stdout)
        if self.teeth is not None:
            self.answer(self.teeth, self.shifts)
            self.find_window()
            self.focus()

    def _keep(self, frame):
        if FRAMES_DIR:
            os.makedirs(FRAMES_DIR, exist_ok=True)
            self._frames_kept += 1
            frame.save_png(os.path.join(FRAMES_DIR, "%s-%03d.png" % (self._keep_as, self._frames_kept)))
        return frame

    def close(self):
        if FRAMES_DIR and self.console is not None:
            os.makedirs(FRAMES_DIR, exist_ok=True)
            with open(os.path.join(FRAMES_DIR, self._keep_as + ".console"), "wb") as f:
                f.write(self.console.raw())
        if self.x is not None:
            self.x.close()
            self.x = None
        if self.proc is not None:
            if self.proc.poll() is None:
                self.proc.kill()
            elif self.proc.returncode < 0:
                # A failed assert aborts: its message says more than any check.
                print("     the program died of signal %d: %s"
                      % (-self.proc.returncode, self.stderr_text().strip()), flush=True)
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                pass
            for stream in (self.proc.stdin, self.proc.stdout):
                try:
                    stream.close()
                except OSError:
                    pass
            self.proc = None
        self.server.stop()

    def stderr_text(self):
        self._stderr.seek(0)
        return self._stderr.read().decode(errors="replace")[-2000:]

    # -- console
    def send(self, line):
        self.proc.stdin.write((line + "\n").encode())
        self.proc.stdin.flush()

    def answer(self, teeth, shifts, start=0):
        """Answers a whole dialogue that begins with the teeth prompt."""
        start = self.console.wait_for(TEETH_PROMPT, start)
        self.send("%d %d" % teeth)
        return self.answer_shifts(shifts, start)

    def answer_shifts(self, shifts, start=0):
        start = self.console.wait_for(SHIFT_PROMPT, start)
        self.send("%g %g" % shifts)
        return self.console.wait_for(self.report_end, start)

    # -- window
    def find_window(self, timeout=DEFAULT_TIMEOUT):
        xdotool = _require("xdotool")
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.proc.poll() is not None:
                raise TestFailure("the program ended (%d) before its window appeared: %s"
                                  % (self.proc.returncode, self.stderr_text()))
            # The server is private to this session, so any visible window with a
            # name is the program's (freeglut sets no _NET_WM_PID to search by).
            out = run_tool([xdotool, "search", "--onlyvisible", "--name", "."],
                           self.env, check=False).stdout.split()
            for word in out:
                win = int(word)
                size = self.x.window_size(win)
                if size is not None and size[2]:
                    self.window = win
                    return win
            time.sleep(0.05)
        raise TestFailure("no visible window of the program appeared")

    def focus(self):
        run_tool([_require("xdotool"), "windowfocus", "--sync", str(self.window)], self.env)

    def keys(self, *names):
        """Types keys into the focused window (xdotool key names, e.g. 's', 'R', 'Escape')."""
        run_tool([_require("xdotool"), "key", "--clearmodifiers", "--delay", "30"] + list(names),
                 self.env, timeout=30)

    # -- frames
    def grab(self):
        w, h, r, g, b = self.x.grab(self.window)
        return picture.Frame(w, h, r, g, b)

    def _cpu_and_state(self):
        try:
            with open("/proc/%d/stat" % self.proc.pid) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            return fields[0], int(fields[11]) + int(fields[12])
        except (OSError, IndexError, ValueError):
            return "X", 0

    def wait_idle(self, timeout=DEFAULT_TIMEOUT):
        """Until the program sleeps and has used no CPU for a moment."""
        deadline = time.monotonic() + timeout
        last = None
        quiet = 0
        while time.monotonic() < deadline:
            state, cpu = self._cpu_and_state()
            if state in ("S", "Z", "X") and cpu == last:
                quiet += 1
                if quiet >= 3:
                    return
            else:
                quiet = 0
            last = cpu
            time.sleep(0.03)
        raise TestFailure("the program did not become idle within %.0f s" % timeout)

    def settle(self, timeout=DEFAULT_TIMEOUT):
        """The frame once the program is idle and the picture stands still."""
        deadline = time.monotonic() + timeout
        self.wait_idle(timeout)
        frame = self.grab()
        while time.monotonic() < deadline:
            time.sleep(0.05)
            self.wait_idle(max(0.1, deadline - time.monotonic()))
            again = self.grab()
            if again.same_as(frame):
                return self._keep(again)
            frame = again
        raise TestFailure("the picture kept changing for %.0f s" % timeout)

    def wait_change(self, before, timeout=DEFAULT_TIMEOUT):
        """The settled frame after the picture has become different from `before`."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            frame = self.grab()
            if not frame.same_as(before):
                return self.settle(max(1.0, deadline - time.monotonic()))
            time.sleep(0.03)
        raise TestFailure("the picture did not change within %.0f s" % timeout)

    def wait_like(self, target, tolerance, timeout=DEFAULT_TIMEOUT):
        """The settled frame once it is within `tolerance` pixels of `target`,
        or the last settled frame when it never gets there."""
        deadline = time.monotonic() + timeout
        frame = self.settle(timeout)
        while frame.differing_pixels(target) > tolerance and time.monotonic() < deadline:
            time.sleep(0.05)
            frame = self.settle(max(1.0, deadline - time.monotonic()))
        return frame

    def press(self, *names):
        """Keys that change the picture; returns the new settled frame."""
        before = self.grab()
        self.keys(*names)
        return self.wait_change(before)

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        try:
            self.exit_status = self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.exit_status = None
        return self.exit_status


# [SECTION] Running a test script
class Checks:
    """Counts checks, explains failures, and keeps the frames that failed."""

    def __init__(self, name):
        self.name = name
        self.passed = 0
        self.failed = 0
        self.artifacts = os.environ.get("GEARMESH_E2E_ARTIFACTS") or os.path.join(
            tempfile.gettempdir(), "gearmesh-e2e-artifacts")

    def check(self, condition, what, detail="", frame=None):
        if condition:
            self.passed += 1
            print("ok   %s" % what, flush=True)
        else:
            self.failed += 1
            print("FAIL %s%s" % (what, (": " + detail) if detail else ""), flush=True)
            if frame is not None:
                self.keep(frame, what)
        return condition

    def keep(self, frame, what):
        os.makedirs(self.artifacts, exist_ok=True)
        safe = "".join(c if c.isalnum() else "_" for c in what)[:60]
        path = os.path.join(self.artifacts, "%s-%s.png" % (self.name, safe))
        frame.save_png(path)
        print("     frame kept at %s" % path, flush=True)

    def finish(self):
        print("%s: %d passed, %d failed" % (self.name, self.passed, self.failed), flush=True)
        return 0 if self.failed == 0 and self.passed > 0 else 1


def main(name, body, time_limit=120):
    """Runs body(checks, binary) with a hard time limit; exit status 0 only if all passed."""
    if len(sys.argv) != 2:
        print("usage: %s PATH_TO_GEARMESH" % sys.argv[0], file=sys.stderr)
        sys.exit(2)
    binary = sys.argv[1]
    checks = Checks(name)

    def on_alarm(_signum, _frame):
        raise TestFailure("the test ran past its limit of %d s" % time_limit)

    signal.signal(signal.SIGALRM, on_alarm)
    signal.alarm(time_limit)
    try:
        body(checks, binary)
    except Exception as exc:  # a failure to drive the program is a failed check
        checks.failed += 1
        print("FAIL %s" % exc, flush=True)
        if not isinstance(exc, TestFailure):
            traceback.print_exc()
    finally:
        signal.alarm(0)
    sys.exit(checks.finish())
