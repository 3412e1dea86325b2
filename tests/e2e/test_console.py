"""The gearmesh console dialogue on a real terminal.

On a terminal the standard output is line-buffered, and the prompts end without
a line break, so a prompt that is not flushed stays invisible while the program
waits for the answer. The test runs the program in a tmux pane (a real pseudo
terminal, UTF-8), reads the screen as a person would, and checks that the first
prompt is there before anything is typed, that the shift prompt appears after
the teeth are typed and before the shifts are, and that the report and key
help follow. The numbers are typed as a Japanese input method in full-width
mode types them, which the program reads as ASCII. It then ends the program with ESC in its window and checks that
it ended with status 0.
"""

import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__

import os
import re
import shlex
import shutil
import subprocess
import tempfile
import time

import harness

TEETH_PROMPT = "z1 z2="
SHIFT_PROMPT = "x1 x2="
REPORT_START = "基準圧力角α0="


class Tmux:
    """A private tmux server on its own socket, ended by its own pid."""

    def __init__(self, env):
        self.dir = tempfile.mkdtemp(prefix="gearmesh-tmux-")
        self.socket = os.path.join(self.dir, "sock")
        self.env = env
        self.server_pid = None

    def run(self, *args, check=True):
        proc = subprocess.run(["tmux", "-u", "-f", "/dev/null", "-S", self.socket] + list(args),
                              env=self.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              timeout=10)
        if check and proc.returncode != 0:
            raise harness.TestFailure("tmux %s failed: %s" % (
                " ".join(args), proc.stderr.decode(errors="replace")))
        return proc.stdout.decode("utf-8", errors="replace")

    def start(self, command):
        self.run("new-session", "-d", "-s", "gm", "-x", "160", "-y", "50", command)
        self.server_pid = int(self.run("display-message", "-p", "-t", "gm", "#{pid}").strip())
        self.run("set-option", "-t", "gm", "remain-on-exit", "on")

    def screen(self):
        return self.run("capture-pane", "-p", "-t", "gm", "-S", "-200")

    def wait_screen(self, needle, timeout=harness.DEFAULT_TIMEOUT):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            text = self.screen()
            if needle in text:
                return text
            time.sleep(0.05)
        raise harness.TestFailure("the terminal never showed %r; it shows:\n%s" % (
            needle, self.screen()[-1500:]))

    def exit_status(self, timeout=10):
        """The status the program ended with, as the shell around it printed it."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            m = re.search(r"\[exit status (\d+)\]", self.screen())
            if m:
                return int(m.group(1))
            time.sleep(0.05)
        return None

    def close(self):
        if self.server_pid is not None:
            try:
                os.kill(self.server_pid, 15)
            except OSError:
                pass
        shutil.rmtree(self.dir, ignore_errors=True)


def body(checks, binary):
    if shutil.which("tmux") is None:
        raise harness.TestFailure("tmux is not installed")
    server = harness.XServer()
    tmux = None
    try:
        display = server.start()
        env = dict(os.environ, DISPLAY=display, LIBGL_ALWAYS_SOFTWARE="1",
                   LANG="C.UTF-8", LC_ALL="C.UTF-8", TERM="xterm-256color")
        env.pop("TMUX", None)
        tmux = Tmux(env)
        # The shell prints the program's exit status on the terminal when it ends.
        tmux.start("%s; echo \"[exit status $?]\"" % shlex.quote(os.path.abspath(binary)))
        screen = tmux.wait_screen(TEETH_PROMPT)
        checks.check(harness.TITLE_LINE in screen and SHIFT_PROMPT not in screen,
                     "before anything is typed the terminal shows the title and the teeth prompt",
                     screen[-400:])
        tmux.run("send-keys", "-t", "gm", "１０\u3000３０", "Enter")
        screen = tmux.wait_screen(SHIFT_PROMPT)
        checks.check(REPORT_START not in screen,
                     "after the teeth the shift prompt is on screen before the shifts are typed",
                     screen[-400:])
        tmux.run("send-keys", "-t", "gm", "０．５\u3000０", "Enter")
        screen = tmux.wait_screen("ESCキーで")
        checks.check(REPORT_START in screen and "rb1= 5.1156" in screen,
                     "after the shifts the terminal shows the report and the key help",
                     screen[-600:])

        # ESC in the window ends the program; the pane records its exit status.
        xdotool = shutil.which("xdotool")
        deadline = time.monotonic() + harness.DEFAULT_TIMEOUT
        window = None
        while window is None and time.monotonic() < deadline:
            out = harness.run_tool([xdotool, "search", "--onlyvisible", "--name", "."], env,
                                   check=False).stdout.split()
            window = out[0].decode() if out else None
            time.sleep(0.05)
        if window is None:
            raise harness.TestFailure("the program's window did not appear")
        harness.run_tool([xdotool, "windowfocus", "--sync", window], env)
        harness.run_tool([xdotool, "key", "--clearmodifiers", "Escape"], env)
        status = tmux.exit_status()
        checks.check(status == 0, "ESC ends the program on the terminal with status 0",
                     "status %r" % status)
    finally:
        if tmux is not None:
            tmux.close()
        server.stop()


if __name__ == "__main__":
    harness.main("console", body, time_limit=60)
