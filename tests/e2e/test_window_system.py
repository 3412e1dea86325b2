"""gearmesh and the X server it is given, before any question is asked.

With a display that nobody serves, the program must say so in Japanese, name
the display, and end with a failure status before the dialogue starts; so too
with "-display" and no name after it, which GLUT would refuse only after the
dialogue. A long name is cut to fit the reason, between characters. With a
running server and nothing to read (as from a desktop launcher whose terminal
has gone), it must pass the check and end at once with status 1 at the end of
input, without the window-system message. And the check itself must not cost
the window: an X server with no other client resets when the check's
connection closes, and GLUT connecting during the reset fails (before the
check kept its connection open, a few starts in thirty).
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import os
import select
import subprocess
import time

import harness

NO_WINDOW = "ウィンドウを開けません"
END_OF_INPUT = "入力が終わりました"


def run(binary, display, stdin_bytes, *args):
    env = dict(os.environ, DISPLAY=display, LIBGL_ALWAYS_SOFTWARE="1")
    proc = subprocess.run([binary, *args], input=stdin_bytes, env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, timeout=10)
    return proc.returncode, proc.stdout.decode("utf-8", errors="replace")


def lone_server():
    """Xvfb as a bare desktop server runs it: it resets when its last client leaves."""
    rfd, wfd = os.pipe()
    proc = subprocess.Popen(["Xvfb", "-displayfd", str(wfd), "-screen", "0", "1024x1024x24",
                             "-nolisten", "tcp"], pass_fds=(wfd,), stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(wfd)
    number = b""
    while not number.endswith(b"\n") and select.select([rfd], [], [], 10)[0]:
        chunk = os.read(rfd, 16)
        if not chunk:
            break
        number += chunk
    os.close(rfd)
    return proc, ":" + number.decode().strip()


def lost_windows(binary, display, starts):
    """How many of `starts` runs got through the check and then lost the window in glutInit.

    A start whose own check meets the reset that the previous run's end caused
    is the server's business, not counted; one that passes the check and then
    fails in GLUT is the fault looked for.
    """
    lost = 0
    env = dict(os.environ, DISPLAY=display, LIBGL_ALWAYS_SOFTWARE="1")
    for _ in range(starts):
        proc = subprocess.Popen([binary], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, env=env)
        try:
            proc.stdin.write(b"20 20\n0 0\n")
            proc.stdin.close()
        except BrokenPipeError:  # ended at its own check, before reading
            pass
        time.sleep(0.4)
        if proc.poll() is None:
            proc.kill()
        out = proc.stdout.read().decode("utf-8", errors="replace")
        proc.wait()
        if "failed to open display" in out:
            lost += 1
    return lost


def body(checks, binary):
    server = harness.XServer()
    try:
        display = server.start()
        status, out = run(binary, display, b"")
        checks.check(status == 1 and END_OF_INPUT in out and NO_WINDOW not in out,
                     "with a display and nothing to read the program ends with status 1",
                     "status %d: %s" % (status, out[-400:]))
        # GLUT would take the display from DISPLAY, run the dialogue, then stop.
        status, out = run(binary, display, b"20 20\n0 0\n", "-display")
        checks.check(status != 0 and NO_WINDOW in out and "-display" in out and "z1 z2=" not in out,
                     "'-display' without a name is refused before the first question",
                     "status %d: %s" % (status, out[-400:]))
    finally:
        server.stop()
    # A display nobody serves. Not the number Xvfb had: a server that a test
    # beside this one starts takes the lowest free number, often that one again.
    display = ":59123"
    status, out = run(binary, display, b"10 30\n0.5 0\n")
    checks.check(status != 0 and NO_WINDOW in out and ("「%s」" % display) in out
                 and "z1 z2=" not in out,
                 "with a display nobody serves the program names it and asks nothing",
                 "status %d: %s" % (status, out[-400:]))
    status, out = run(binary, "画面" * 50, b"")
    checks.check(NO_WINDOW in out and "\ufffd" not in out,
                 "a reason naming a long display is cut between two characters", out[-300:])

    server, display = lone_server()
    try:
        starts = 30
        lost = lost_windows(binary, display, starts)
        checks.check(lost == 0, "on a server without other clients no start loses its window",
                     "%d of %d starts passed the check and then failed in glutInit" % (lost, starts))
    finally:
        server.terminate()
        server.wait(timeout=5)


if __name__ == "__main__":
    harness.main("window_system", body, time_limit=60)
