"""A file that holds the program writing it, standing in for a slow disk.

In its place lies a named pipe: the installer opens it as it would a file, but a write of
more than the pipe's buffer (64 KiB) does not return until the scenario reads the bytes.
So the installer stands still inside its write of that file for as long as the scenario
wants, deterministically: while it stands there it processes no messages, its windows
show what they showed at the last pass of its message pump, and clicks wait in its queue.
"""

import os
import threading


class HeldFile:
    def __init__(self, path):
        self.path = path
        os.mkfifo(path)
        self._opened = threading.Event()
        self._release = threading.Event()
        self._drained = threading.Event()
        self.received = b""
        self._reader = threading.Thread(target=self._read, name=f"held {path.name}", daemon=True)
        self._reader.start()

    def _read(self):
        # open() of a pipe for reading returns only once a writer has opened it too.
        with open(self.path, "rb") as pipe:
            self._opened.set()
            self._release.wait()
            self.received = pipe.read()
        self._drained.set()

    def wait_opened(self, timeout):
        """True once the writer has opened the file (and is held in its write)."""
        return self._opened.wait(timeout)

    def release(self, timeout=30):
        """Lets the writer go on: reads everything it writes until it closes the file.
        True when that happened within `timeout` seconds."""
        self._release.set()
        return self._drained.wait(timeout)

    def abandon(self):
        """Ends the reader however far it got (the scenario's tear-down)."""
        self._release.set()
        if not self._opened.is_set():
            try:
                # A writer that opens and closes at once lets the waiting open() return.
                os.close(os.open(self.path, os.O_WRONLY | os.O_NONBLOCK))
            except OSError:
                pass
        self._reader.join(timeout=5)
