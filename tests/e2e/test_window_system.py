"""gearmesh and the X server it is given, before any question is asked.

With a display that nobody serves, the program must say so in Japanese, name
the display, and end with a failure status before the dialogue starts. With a
running server and nothing to read (as from a desktop launcher whose terminal
has gone), it must pass the check and end at once with status 1 at the end of
input, without the window-system message.
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import os
import subprocess

import harness

NO_WINDOW = "ウィンドウを開けません"
END_OF_INPUT = "入力が終わりました"


def run(binary, display, stdin_bytes):
    env = dict(os.environ, DISPLAY=display, LIBGL_ALWAYS_SOFTWARE="1")
    proc = subprocess.run([binary], input=stdin_bytes, env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, timeout=10)
    return proc.returncode, proc.stdout.decode("utf-8", errors="replace")


def body(checks, binary):
    server = harness.XServer()
    try:
        display = server.start()
        status, out = run(binary, display, b"")
        checks.check(status == 1 and END_OF_INPUT in out and NO_WINDOW not in out,
                     "with a display and nothing to read the program ends with status 1",
                     "status %d: %s" % (status, out[-400:]))
    finally:
        server.stop()
    # The number Xvfb had is free again: a display name nobody answers.
    status, out = run(binary, display, b"10 30\n0.5 0\n")
    checks.check(status != 0 and NO_WINDOW in out and ("「%s」" % display) in out
                 and "z1 z2=" not in out,
                 "with a display nobody serves the program names it and asks nothing",
                 "status %d: %s" % (status, out[-400:]))


if __name__ == "__main__":
    harness.main("window_system", body, time_limit=60)
