"""The X display the scenarios draw on: the caller's, or an Xvfb of our own."""

import os
import select
import subprocess
import sys

SCREEN = "1280x1024x24"


class XServer:
    """Uses $DISPLAY when there is one; otherwise starts Xvfb on a free display and says so."""

    def __init__(self, force_xvfb=False):
        self.process = None
        self._display_pipe = None
        self.display = None if force_xvfb else os.environ.get("DISPLAY")

    def __enter__(self):
        if not self.display:
            self.display = self._start_xvfb()
        return self

    def __exit__(self, *exc):
        if self.process:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        if self._display_pipe is not None:
            os.close(self._display_pipe)

    def _start_xvfb(self):
        # -displayfd lets Xvfb pick a free display and tells us which once it is ready,
        # so parallel runs on one machine never race for a display number. Xvfb dies if
        # that pipe closes under it, so the read end stays open as long as the server runs.
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN, "-nolisten", "tcp"],
            pass_fds=(write_end,), stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self._display_pipe = read_end
        answer = b""
        while not answer.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], 30)
            chunk = os.read(read_end, 64) if ready else b""
            if not chunk:
                break
            answer += chunk
        number = answer.decode().strip()
        if not number.isdigit():
            self.process.kill()
            raise RuntimeError("Xvfb did not start")
        display = ":" + number
        print(f"e2e: no display given; started Xvfb on {display} ({SCREEN})", file=sys.stderr)
        return display
