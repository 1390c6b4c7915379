"""Wine prefixes for the scenarios: one template per run, copied for every scenario.

A new prefix costs seconds (wineboot) and 700 MB, most of it the system DLLs under
drive_c/windows. The copies hard-link those large, never-written files and copy the rest,
so a scenario's prefix costs a fraction of a second and little disk.
"""

import os
import shutil
import subprocess
import tempfile
from pathlib import Path

WINE = os.environ.get("TARNWICK_WINE", "/usr/lib/wine/wine64")
WINESERVER = os.environ.get("TARNWICK_WINESERVER", "/usr/lib/wine/wineserver")

# Where the tests keep their own programs inside every prefix.
TOOLS_DIR = "tk-tests"
DRIVER_WIN = "C:\\tk-tests\\tkdriver.exe"
BROWSER_LOG_WIN = "C:\\tk-tests\\browser.txt"

HARDLINK_MIN_BYTES = 64 * 1024

# Environment variables that would point Wine's view of the user's folders (the desktop,
# the Trash) outside the scenario's own HOME.
_FOREIGN_VARIABLES = ("XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                      "XDG_DESKTOP_DIR", "WINEARCH", "WINELOADER", "WINESERVER")


def wine_environment(prefix, home, display):
    env = {k: v for k, v in os.environ.items() if k not in _FOREIGN_VARIABLES}
    env.update({
        "WINEPREFIX": str(prefix),
        "HOME": str(home),
        "DISPLAY": display,
        "WINEDEBUG": "-all",
        # No Mono or Gecko: their install prompts would stall an unattended run.
        "WINEDLLOVERRIDES": "mscoree,mshtml=",
    })
    return env


def _reg_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def template_registry():
    """Settings every scenario starts from."""
    browser = _reg_string(f'"{DRIVER_WIN}" record-url "{BROWSER_LOG_WIN}" "%1"')
    lines = [
        "REGEDIT4",
        "",
        # Xvfb has no window manager: Wine then draws the frames and captions itself.
        "[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]",
        '"Managed"="N"',
        '"Decorated"="Y"',
        "",
    ]
    # The browser stand-in: the download page goes to a file, never to the network.
    for scheme in ("http", "https"):
        lines += [f"[-HKEY_CLASSES_ROOT\\{scheme}\\shell\\open\\ddeexec]",
                  f"[HKEY_CLASSES_ROOT\\{scheme}\\shell\\open\\command]",
                  f"@={browser}", ""]
    return "\r\n".join(lines) + "\r\n"


def dpi_registry(dpi):
    value = f"dword:{dpi:08x}"
    return "\r\n".join([
        "REGEDIT4", "",
        "[HKEY_CURRENT_USER\\Control Panel\\Desktop]", f'"LogPixels"={value}', "",
        "[HKEY_CURRENT_CONFIG\\Software\\Fonts]", f'"LogPixels"={value}', "",
    ]) + "\r\n"


# Wine's names for drive types, and what GetDriveType then reports (the driver's names).
DRIVE_TYPE_SEEN = {"cdrom": "cdrom", "floppy": "removable", "hd": "fixed", "network": "remote"}


def drive_registry(letter, kind):
    if kind not in DRIVE_TYPE_SEEN:
        raise ValueError(f"unknown drive type {kind}")
    return "\r\n".join(["REGEDIT4", "", "[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]",
                         f'"{letter.lower()}:"="{kind}"', ""]) + "\r\n"


def import_registry(env, prefix, text, timeout=60):
    """Imports a .reg text into the prefix with regedit (one Wine process)."""
    with tempfile.NamedTemporaryFile("w", suffix=".reg", dir=prefix, delete=False,
                                     encoding="ascii", newline="") as f:
        f.write(text)
        reg_file = Path(f.name)
    try:
        # No pipes for the output: the session's services may inherit them and outlive us.
        subprocess.run([WINE, "regedit", "/S", "Z:" + str(reg_file).replace("/", "\\")],
                       env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=timeout, check=True)
    finally:
        reg_file.unlink()


def make_template(prefix, home, display, driver_exe, log):
    """Boots a fresh prefix once for the whole run, with the tests' settings and tools."""
    shutil.rmtree(prefix, ignore_errors=True)
    shutil.rmtree(home, ignore_errors=True)
    home.mkdir(parents=True)
    # Wine links the user's Desktop to $HOME/Desktop when that folder exists, else to $HOME.
    (home / "Desktop").mkdir()
    env = wine_environment(prefix, home, display)
    subprocess.run([WINE, "wineboot", "-i"], env=env, stdin=subprocess.DEVNULL,
                   stdout=log, stderr=log, timeout=300, check=True)
    # Marlett draws the title bar's buttons; without it they show as letters. Wine's own
    # Tahoma stays out: its bold face renders with regular strokes, while the fallback that
    # fontconfig offers for Tahoma (DejaVu Sans) shows bold as bold.
    marlett = Path("/usr/share/wine/fonts/marlett.ttf")
    if marlett.exists():
        shutil.copy2(marlett, prefix / "drive_c" / "windows" / "Fonts" / marlett.name)
    tools = prefix / "drive_c" / TOOLS_DIR
    tools.mkdir(exist_ok=True)
    shutil.copy2(driver_exe, tools / "tkdriver.exe")
    import_registry(env, prefix, template_registry())
    # The server writes the registry files when it ends; a copy taken before would miss
    # the settings above.
    subprocess.run([WINESERVER, "-w"], env=env, timeout=120, check=False)


def copy_prefix(template, template_home, prefix, home):
    """A scenario's own prefix and HOME, with the user's folders re-pointed to that HOME."""
    shutil.rmtree(prefix, ignore_errors=True)
    shutil.rmtree(home, ignore_errors=True)
    shutil.copytree(template_home, home, symlinks=True)
    windows_dir = template / "drive_c" / "windows"

    def copy_file(src, dst):
        if Path(src).is_relative_to(windows_dir) and os.path.getsize(src) >= HARDLINK_MIN_BYTES:
            os.link(src, dst)
        else:
            shutil.copy2(src, dst)

    shutil.copytree(template, prefix, symlinks=True, copy_function=copy_file)
    users = prefix / "drive_c" / "users"
    for link in users.glob("*/*"):
        if not link.is_symlink():
            continue
        target = Path(os.readlink(link))
        if target.is_absolute() and target.is_relative_to(template_home):
            new_target = home / target.relative_to(template_home)
            new_target.mkdir(parents=True, exist_ok=True)
            link.unlink()
            link.symlink_to(new_target)
