"""What the installation scenarios share: the texts of the run, the way to the Install button,
the notes, and the sample payload that the installed files are compared with."""

import calendar
import shlex
import time
from dataclasses import dataclass
from pathlib import Path

from scenario_context import ScenarioFailure
from .installer_texts import MAIN_CAPTION, put_dosbox
from .main_window import to_install_page, wait_for_text

PROGRESS = "Installation Progress"
APP_TITLE = "Tarnwick Installer Version 3.24"  # the title of ShowNote's boxes
RUN_TITLE = "Tarnwick"                         # the title of the run's final note
ITEM_COUNT = 9

NOT_INSTALLED = "Tarnwick was not installed."
DRIVE_REFUSED = "Install Directory is not on a valid device."
FINISHED_STAGE = "Installation Successful."
MENU_NOTE = "\r\n\r\nTo run Tarnwick, start the Corvana Menu program,\r\nand click the X9 icon."
DOSBOX_NOTE = (
    "Tarnwick has been installed and shortcuts created to run it in DOSbox and another to"
    " Print to File F.\r\rClick the Tkmark DOSbox Icon to start Tarnwick.  To print from"
    " Tarnwick, choose \"print to file\" and always name it the single letter \"f\".\n\n"
    "To send the file F to the default printer,\n    click \"Print F\" icon or \r"
    "    press CTRL+ALT+P.")
DOSBOX_LINK = "Tkmark DOSbox.lnk"
PRINT_LINK = "Print F.lnk"


def cancel_note(files_written):
    return f"Installation cancelled. {files_written} of {ITEM_COUNT} files were installed."


def not_written_line(path):
    return f"The file {path} could not be written."


# A time zone away from UTC (five hours behind, no summer time), so that a date set as UTC
# instead of local time shows.
TIME_ZONE = "EST5"
TIME_ZONE_OFFSET = 5 * 3600


# ---- the sample payload the win64 build carries ----

@dataclass
class PayloadFile:
    name: str        # the stored file name
    content: bytes
    mtime: int       # the stored local date as the Unix time the file must show in TIME_ZONE


def sample_payload(ctx):
    """The nine files in catalogue order, read from the native build that packed the
    payload of the program under test (the win64 build names its packing tool)."""
    cache = ctx.run.product_exe.parent / "CMakeCache.txt"
    pack = next((line.split("=", 1)[1] for line in cache.read_text().splitlines()
                 if line.startswith("TARNWICK_PACK:")), None) if cache.is_file() else None
    if not pack:
        raise ScenarioFailure(f"{cache} does not say where the payload was packed")
    payload = Path(pack).parent / "payload"
    files = []
    for line in (payload / "manifest.txt").read_text().splitlines():
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        _name, source, stored, date, clock = shlex.split(line)
        stamp = calendar.timegm(time.strptime(f"{date} {clock}", "%Y-%m-%d %H:%M:%S"))
        files.append(PayloadFile(stored, (payload / source).read_bytes(), stamp + TIME_ZONE_OFFSET))
    if len(files) != ITEM_COUNT:
        raise ScenarioFailure(f"the sample manifest lists {len(files)} items, not {ITEM_COUNT}")
    return files


def dosbox_template():
    return (Path(__file__).resolve().parents[3] / "resources" / "dosbox" / "dosbox-0.74.conf").read_bytes()


# ---- the way there ----

def open_install_page(ctx, large=False):
    """DOSBox in place (64-bit Windows lets the installer start only with it), the installer
    started and its install page shown. Its processes see the scenario's time zone."""
    ctx.env["TZ"] = TIME_ZONE
    put_dosbox(ctx)
    ctx.start(large=large)
    ctx.wait_window(MAIN_CAPTION)
    to_install_page(ctx)


def set_install_folder(ctx, folder):
    ctx.drive("type", MAIN_CAPTION, "edInstallDir", folder)
    ctx.expect_equal(wait_for_text(ctx, "edInstallDir", folder.lower()), folder.lower(), "install folder")


def start_install(ctx):
    """Presses Install and waits for the progress window, with the main window hidden."""
    ctx.click(MAIN_CAPTION, "btnInstall")
    ctx.wait_window(PROGRESS)
    ctx.expect(MAIN_CAPTION not in ctx.windows(), "the main window stayed on screen during the run")


def wait_progress_text(ctx, name, expected, timeout=30.0):
    """Waits until a control of the progress window shows `expected`."""
    deadline = time.monotonic() + timeout
    while True:
        seen = ctx.text(PROGRESS, name)
        if seen == expected:
            return
        if time.monotonic() > deadline:
            raise ScenarioFailure(f"{name} of the progress window shows {seen!r}, not {expected!r}")
        time.sleep(0.2)


# ---- notes ----

def expect_note(ctx, title, text, screenshot=None):
    """The box titled `title` shows exactly `text` (as its instruction) and an OK button;
    OK is pressed and the box goes."""
    ctx.wait_window(title)
    texts = ctx.texts(title)
    ctx.expect(text in texts, f"the box \"{title}\" does not say {text!r}; it shows {texts!r}")
    ctx.expect("OK" in texts, f"the box \"{title}\" has no OK button; it shows {texts!r}")
    if screenshot:
        ctx.screenshot(screenshot, title)
    ctx.press(title, "OK")
    ctx.drive("gone", title)


def expect_main_window_back(ctx, folder):
    """After a failed run: "Tarnwick was not installed." over the main window, which is back
    on its install page with the folder as it was."""
    expect_note(ctx, APP_TITLE, NOT_INSTALLED)
    ctx.expect(MAIN_CAPTION in ctx.windows(), "the main window did not come back")
    controls = ctx.controls(MAIN_CAPTION)
    ctx.expect(controls["edInstallDir"]["visible"] and controls["btnInstall"]["visible"],
               "the main window came back, but not on its install page")
    ctx.expect_equal(controls["edInstallDir"]["text"], folder, "install folder after the run")


def end_from_main_window(ctx):
    ctx.click(MAIN_CAPTION, "BtnCancel2")
    ctx.expect_equal(ctx.wait_exit(), 0, "exit code")


# ---- the files ----

def installed_names(folder):
    return sorted(p.name for p in folder.iterdir()) if folder.is_dir() else []


def expect_installed(ctx, folder, payload):
    """Every payload file in the folder with its bytes and its stored date."""
    for item in payload:
        path = folder / item.name
        ctx.expect(path.is_file(), f"{item.name} was not installed")
        ctx.expect(path.read_bytes() == item.content, f"{item.name} does not hold the payload's bytes")
        ctx.expect_equal(int(path.stat().st_mtime), item.mtime, f"last-write time of {item.name}")
