"""What a scenario works with: its own Wine prefix and HOME, the installer started in the
background, the UI driver, screenshots and checks."""

import json
import os
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path, PureWindowsPath

import wine_prefix
from held_file import HeldFile
from wine_prefix import WINE, WINESERVER

PRODUCT_DIR_WIN = "C:\\setup"
PRODUCT_WIN = PRODUCT_DIR_WIN + "\\TarnwickSetup.exe"
LARGE_PRODUCT_NAME = "TarnwickSetupLarge.exe"


class ScenarioFailure(Exception):
    """A check failed; the message says what was expected and what was seen."""


def run_wine(argv, env, timeout):
    """Runs a Wine program to its end: (exit code, stdout, stderr).

    Output goes through files, not pipes: a Wine process may start the session's services
    and desktop, which inherit its output and live as long as the server, so a pipe would
    not reach its end before the scenario does."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        code = subprocess.run(argv, env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                              timeout=timeout).returncode
        out.seek(0)
        err.seek(0)
        return code, out.read().decode(errors="replace"), err.read().decode(errors="replace")


def kill_leftovers(prefix):
    """Ends every process still running in the scenario's prefix (a Wine process whose
    server died holds its output open and would stall the run)."""
    marker = b"\0WINEPREFIX=" + bytes(str(prefix), "utf-8") + b"\0"
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            environment = b"\0" + (entry / "environ").read_bytes()
        except OSError:
            continue
        if marker in environment:
            try:
                os.kill(int(entry.name), signal.SIGKILL)
            except OSError:
                pass


class BackgroundCommand:
    """A Wine program running beside the scenario, its output going to files (see run_wine)."""

    def __init__(self, argv, env, limit):
        self.argv = argv
        self.limit = limit
        self._out, self._err = tempfile.TemporaryFile(), tempfile.TemporaryFile()
        self.process = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL,
                                        stdout=self._out, stderr=self._err)

    def finish(self):
        """(exit code, stdout, stderr), waiting up to the command's limit for its end."""
        try:
            code = self.process.wait(timeout=self.limit)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            raise ScenarioFailure(f"{' '.join(self.argv[2:])} did not end") from None
        finally:
            self._out.seek(0)
            self._err.seek(0)
            out, err = self._out.read(), self._err.read()
            self._out.close()
            self._err.close()
        return code, out.decode(errors="replace"), err.decode(errors="replace")


class ScenarioContext:
    def __init__(self, run, name, dpi):
        self.run = run
        self.name = name
        self.dpi = dpi
        self.root = run.scenarios_dir / name
        self.prefix = self.root / "prefix"
        self.home = self.root / "home"
        self.env = wine_prefix.wine_environment(self.prefix, self.home, run.display)
        self.product = None
        self.product_log = None
        self.product_out = None
        self.exit_code = None
        self._launched_through_driver = False
        self._mounts = []
        self._held_files = []

    # ---- set-up and tear-down (called by the runner) ----

    def set_up(self):
        self.root.mkdir(parents=True, exist_ok=True)
        wine_prefix.copy_prefix(self.run.template, self.run.template_home, self.prefix, self.home)
        product_dir = self.drive_c / "setup"
        product_dir.mkdir()
        shutil.copy2(self.run.product_exe, product_dir / "TarnwickSetup.exe")
        self._start_session()
        if self.dpi != 96:
            # Read by every process as it starts: the installer, started later, sees it.
            wine_prefix.import_registry(self.env, self.prefix, wine_prefix.dpi_registry(self.dpi))

    def _start_session(self):
        # One server for the scenario's whole life: every Wine process of the scenario
        # (installer, driver calls, regedit) attaches to it instead of starting its own.
        subprocess.run([WINESERVER, "-p"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True, timeout=30)
        # The session's first Wine process starts the desktop and services; let that happen
        # before the installer and the driver start side by side.
        self.drive("list", timeout=30)

    def tear_down(self):
        subprocess.run([WINESERVER, "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30, check=False)
        if self.product:
            try:
                self.product.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.product.kill()
                self.product.wait()
        for f in (self.product_log, self.product_out):
            if f:
                f.close()
        subprocess.run([WINESERVER, "-w"], env=self.env, timeout=30, check=False)
        kill_leftovers(self.prefix)
        for held in self._held_files:
            held.abandon()
        self._held_files.clear()
        for mount in reversed(self._mounts):
            subprocess.run(["umount", "-l", str(mount)], stdin=subprocess.DEVNULL,
                           capture_output=True, timeout=30, check=False)
        self._mounts.clear()

    def remove_files(self):
        shutil.rmtree(self.root, ignore_errors=True)

    # ---- the machine the installer sees ----

    @property
    def drive_c(self):
        return self.prefix / "drive_c"

    def unix_path(self, windows_path):
        """The Linux path behind a C: path of the prefix."""
        path = PureWindowsPath(windows_path)
        if path.drive.lower() != "c:":
            raise ValueError(f"not on drive C: {windows_path}")
        return self.drive_c.joinpath(*path.parts[1:])

    @property
    def desktop(self):
        """The Linux folder behind the Windows desktop of the scenario's user."""
        return self.home / "Desktop"

    @property
    def trash(self):
        """Wine's Recycle Bin: the freedesktop Trash under the scenario's HOME."""
        return self.home / ".local" / "share" / "Trash"

    def trashed_names(self):
        files = self.trash / "files"
        return sorted(p.name for p in files.iterdir()) if files.is_dir() else []

    def add_drive(self, letter, unix_dir, kind):
        """Maps drive `letter` to a Linux folder with a drive type Wine reports ("cdrom",
        "floppy", "hd", "network"). Wine reads the types when its session starts, so the
        session is restarted; call this before starting the installer."""
        link = self.prefix / "dosdevices" / f"{letter.lower()}:"
        if link.is_symlink() or link.exists():
            link.unlink()
        link.symlink_to(Path(unix_dir).resolve())
        wine_prefix.import_registry(self.env, self.prefix, wine_prefix.drive_registry(letter, kind))
        self.restart_session()
        root = f"{letter.upper()}:\\"
        self.expect_equal(self.drive("drive-type", root).strip(),
                          wine_prefix.DRIVE_TYPE_SEEN[kind], f"type of drive {root}")

    def mount_tmpfs(self, unix_dir, size, read_only=False):
        """A small file system of its own (e.g. "64k"), to stand in for a full disk, or
        with `read_only` for a disk that takes nothing. Needs root; unmounted when the
        scenario ends."""
        Path(unix_dir).mkdir(parents=True, exist_ok=True)
        options = f"size={size}" + (",ro" if read_only else "")
        done = subprocess.run(["mount", "-t", "tmpfs", "-o", options, "tmpfs", str(unix_dir)],
                              stdin=subprocess.DEVNULL, capture_output=True, timeout=30, check=False)
        if done.returncode != 0:
            # Said plainly: a machine that may not mount cannot run the scenario, which then
            # fails instead of passing without having tested anything.
            said = done.stderr.decode(errors="replace").strip() or f"exit {done.returncode}"
            raise ScenarioFailure(f"cannot mount a {size} tmpfs on {unix_dir} (mount: {said}); "
                                  "this scenario needs root and the right to mount")
        self._mounts.append(Path(unix_dir))

    def hold_file(self, windows_path):
        """A named pipe in place of the C: file `windows_path`: the installer's write of it
        holds until the scenario releases it (see held_file.py)."""
        held = HeldFile(self.unix_path(windows_path))
        self._held_files.append(held)
        return held

    def restart_session(self):
        subprocess.run([WINESERVER, "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30, check=False)
        subprocess.run([WINESERVER, "-w"], env=self.env, timeout=30, check=False)
        self._start_session()

    def set_attributes(self, windows_path, *changes):
        """Hidden or system attributes, set the Windows way (Wine keeps them in xattrs)."""
        self.drive("attrib", windows_path, *changes)

    def copy_product(self, windows_dir):
        """Another copy of the installer, e.g. in a folder whose path contains "/t"."""
        target = self.unix_path(windows_dir)
        target.mkdir(parents=True, exist_ok=True)
        shutil.copy2(self.run.product_exe, target / "TarnwickSetup.exe")

    # ---- the installer ----

    def start(self, *args, command_line=None, large=False):
        """Starts the installer in the background: with arguments through Wine's loader, or
        with an exact command line through the driver (Wine's loader rewrites the path).
        With `large`, the test build whose payload is nine large items (a run long enough
        to click in while it copies)."""
        self.product_log = open(self.root / "product.log", "wb")
        self.product_out = open(self.root / "product.out", "w+b")
        if large:
            if not self.run.large_product_exe or not self.run.large_product_exe.is_file():
                raise ScenarioFailure(f"{LARGE_PRODUCT_NAME} is missing; build it in the win64 build")
            # A link, not a copy: the program is hundreds of megabytes.
            (self.unix_path(PRODUCT_DIR_WIN) / LARGE_PRODUCT_NAME).symlink_to(self.run.large_product_exe)
            argv = [WINE, PRODUCT_DIR_WIN + "\\" + LARGE_PRODUCT_NAME, *args]
        elif command_line is None:
            argv = [WINE, PRODUCT_WIN, *args]
        else:
            argv = [WINE, wine_prefix.DRIVER_WIN, "launch", command_line]
            self._launched_through_driver = True
        self.product = subprocess.Popen(argv, env=self.env, stdin=subprocess.DEVNULL,
                                        stdout=self.product_out, stderr=self.product_log)

    def running(self):
        return self.product is not None and self.product.poll() is None

    def wait_exit(self, timeout=15):
        """The installer's exit code; fails if it is still running after `timeout` seconds."""
        try:
            self.product.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise ScenarioFailure(f"the installer is still running {timeout} s later") from None
        if self._launched_through_driver:
            self.product_out.seek(0)
            out = self.product_out.read().decode(errors="replace").split()
            if self.product.returncode != 0 or not out:
                raise ScenarioFailure(f"the driver could not launch the installer: "
                                      f"{self.product_log_text()}")
            self.exit_code = int(out[-1])
        else:
            self.exit_code = self.product.returncode
        return self.exit_code

    def product_log_text(self):
        self.product_log.flush()
        return (self.root / "product.log").read_text(errors="replace")[-2000:]

    # ---- the UI driver ----

    def drive(self, *args, timeout=10.0, check=True):
        """Runs one driver command; returns its standard output."""
        argv = [WINE, wine_prefix.DRIVER_WIN, "--timeout", str(int(timeout * 1000)), *args]
        code, out, err = run_wine(argv, self.env, timeout + 30)
        if check and code != 0:
            message = err.strip().splitlines()
            raise ScenarioFailure(message[-1] if message else f"driver exit {code}")
        return out

    def drive_in_background(self, *args, timeout=30.0):
        """Starts one driver command without waiting for it, e.g. a click that must be
        posted the moment a window appears; `background_result` collects it."""
        argv = [WINE, wine_prefix.DRIVER_WIN, "--timeout", str(int(timeout * 1000)), *args]
        return BackgroundCommand(argv, self.env, timeout + 30)

    def background_result(self, command):
        """The output of a command from `drive_in_background`, once it has ended."""
        code, out, err = command.finish()
        if code != 0:
            lines = err.strip().splitlines()
            raise ScenarioFailure(lines[-1] if lines else f"driver exit {code}")
        return out

    def wait_window(self, title, timeout=20.0):
        """Waits for a top-level window while the installer runs; returns its description."""
        deadline = time.monotonic() + timeout
        while True:
            out = self.drive("wait", title, timeout=1.0, check=False)
            if out.strip():
                return json.loads(out.splitlines()[0])
            if self.product is not None and not self.running():
                raise ScenarioFailure(f'the installer ended (exit {self.product.returncode}) '
                                      f'without showing "{title}"')
            if time.monotonic() > deadline:
                raise ScenarioFailure(f'no window "{title}" after {timeout:.0f} s')

    def dump(self, window=None):
        out = self.drive("dump", *([window] if window else []))
        return [json.loads(line) for line in out.splitlines() if line.startswith("{")]

    def windows(self):
        """Titles of the visible top-level windows."""
        lines = self.drive("list").splitlines()
        return [json.loads(line)["text"] for line in lines if line.startswith("{")]

    def controls(self, window):
        """The window's controls by layout name."""
        return {c["name"]: c for c in self.dump(window)[1:] if c["name"]}

    def texts(self, window):
        return [c["text"] for c in self.dump(window)[1:]]

    def text(self, window, name):
        return self.drive("text", window, name).rstrip("\n")

    def click(self, window, name):
        self.drive("click", window, name)

    def press(self, window, button_text):
        self.drive("press", window, button_text)

    def close(self, window):
        self.drive("close", window)

    # ---- screenshots ----

    def screenshot(self, label, window=None):
        """Saves the screen, or the window's rectangle, as <screenshots>/<label>.png. The
        window is a title, or a description from wait_window (for a window whose program is
        busy and cannot be asked where its window is)."""
        path = self.run.screenshots_dir / f"{label}.png"
        argv = ["import", "-display", self.run.display, "-window", "root"]
        if window is not None:
            time.sleep(0.5)  # let the window finish painting
            w = window if isinstance(window, dict) else self.wait_window(window)
            argv += ["-crop", f'{w["w"]}x{w["h"]}+{w["x"]}+{w["y"]}', "+repage"]
        # No time stamps in the file: the same screen gives the same bytes.
        argv += ["-strip", "-define", "png:exclude-chunks=date,time", str(path)]
        subprocess.run(argv, stdin=subprocess.DEVNULL, capture_output=True, timeout=30, check=True)
        return path

    def colour_share(self, controls, colour, fuzz="12%"):
        """For each control (a dump entry), the share of its screen pixels that show
        `colour` (#RRGGBB, not black): whether a text of that colour is really drawn
        there, not only held by a window that something else paints over."""
        screen = self.root / "screen.png"
        subprocess.run(["import", "-display", self.run.display, "-window", "root", str(screen)],
                       stdin=subprocess.DEVNULL, capture_output=True, timeout=30, check=True)
        shares = {}
        for c in controls:
            done = subprocess.run(
                ["convert", str(screen), "-crop", f'{c["w"]}x{c["h"]}+{c["x"]}+{c["y"]}',
                 "+repage", "-fuzz", fuzz, "-fill", "black", "+opaque", colour,
                 "-fill", "white", "-opaque", colour, "-colorspace", "gray",
                 "-format", "%[fx:mean]", "info:"],
                stdin=subprocess.DEVNULL, capture_output=True, timeout=30, check=True)
            shares[c["name"]] = float(done.stdout)
        return shares

    # ---- checks ----

    def expect(self, condition, message):
        if not condition:
            raise ScenarioFailure(message)

    def expect_equal(self, actual, expected, what):
        if actual != expected:
            raise ScenarioFailure(f"{what}: expected {expected!r}, got {actual!r}")

    def browser_log(self, settle=0.0):
        """Addresses that the browser stand-in received (waits `settle` seconds for one)."""
        log = self.drive_c / wine_prefix.TOOLS_DIR / "browser.txt"
        deadline = time.monotonic() + settle
        while not log.exists() and time.monotonic() < deadline:
            time.sleep(0.2)
        return log.read_text().splitlines() if log.exists() else []
