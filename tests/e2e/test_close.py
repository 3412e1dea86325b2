"""Closing the gearmesh window ends the program.

Two ways a desktop closes a window: the window manager's close button, which
sends the WM_DELETE_WINDOW message (sent here directly, since no window manager
runs), and killing the window's client connection (xdotool windowkill, what
xkill does). Either must end the process instead of leaving it running without
a window, also with a console line typed ahead. The exit status of each is printed for the record.
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import harness


def body(checks, binary):
    with harness.Session(binary, (10, 30), (0.5, 0.0), name="close") as s:
        s.settle()
        # A line typed ahead on the console waits for a question; it must not hold
        # the program back.
        s.send("20 20")
        s.x.send_delete_window(s.window)
        status = s.wait_exit(10)
        checks.check(status is not None, "closing the window (WM_DELETE_WINDOW) ends the program",
                     "still running 10 s later")
        print("     exit status after WM_DELETE_WINDOW: %r" % status)
        checks.check(status == 0, "closing the window ends the program with status 0",
                     "status %r" % status)

    with harness.Session(binary, (10, 30), (0.5, 0.0), name="close") as s:
        s.settle()
        harness.run_tool(["xdotool", "windowkill", str(s.window)], s.env)
        status = s.wait_exit(10)
        checks.check(status is not None, "killing the window's connection ends the program",
                     "still running 10 s later")
        print("     exit status after xdotool windowkill: %r" % status)


if __name__ == "__main__":
    harness.main("close", body, time_limit=60)
