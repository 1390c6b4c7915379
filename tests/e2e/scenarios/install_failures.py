"""Installations that do not happen: folders on drives that will not do (a CD drive, a drive
letter with nothing behind it: refused before anything happens), a disk too small for the
payload (the run names every file it could not write), a disk that takes nothing (the folder
cannot be made), and a damaged payload record (the error is shown); after each run the
installer window comes back."""

from functools import partial

from runner import add_scenario, scenario
from .install_common import (APP_TITLE, DOSBOX_LINK, DRIVE_REFUSED, PRINT_LINK, PROGRESS, RUN_TITLE,
                             end_from_main_window, expect_main_window_back, expect_note,
                             installed_names, not_written_line, open_install_page, sample_payload,
                             set_install_folder)
from .installer_texts import MAIN_CAPTION


def window_state(ctx):
    """What a user sees of the main window: every control's text, visibility and place."""
    return [(c["name"], c["text"], c["visible"], c["x"], c["y"], c["w"], c["h"])
            for c in ctx.dump(MAIN_CAPTION)]


def refused_drive(letter, kind, ctx):
    drive_dir = ctx.root / f"drive-{letter}"
    if kind:
        drive_dir.mkdir()
        ctx.add_drive(letter, drive_dir, kind)
    folder = f"{letter}:\\qv"
    open_install_page(ctx)
    set_install_folder(ctx, folder)
    before = window_state(ctx)
    ctx.click(MAIN_CAPTION, "btnInstall")
    ctx.wait_window(APP_TITLE)
    ctx.expect(MAIN_CAPTION in ctx.windows(), "the main window went away with the drive message")
    expect_note(ctx, APP_TITLE, DRIVE_REFUSED)
    ctx.expect(PROGRESS not in ctx.windows(), "a run started on a refused drive")
    ctx.expect_equal(window_state(ctx), before, "the main window after the drive message")
    if kind:
        ctx.expect_equal(installed_names(drive_dir), [], f"files on drive {letter}:")
    end_from_main_window(ctx)


REFUSED_DRIVES = [
    # label, drive letter, Wine's drive type (None: no drive of that letter at all)
    ("cd-drive", "d", "cdrom"),
    ("no-such-drive", "q", None),
]
for label, letter, kind in REFUSED_DRIVES:
    add_scenario(f"install-refused-{label}", partial(refused_drive, letter, kind))


@scenario("install-disk-too-small", timeout=90)
def disk_too_small(ctx):
    payload = sample_payload(ctx)
    disk = ctx.root / "small-disk"
    ctx.mount_tmpfs(disk, "100k")
    ctx.add_drive("e", disk, "hd")
    open_install_page(ctx)
    set_install_folder(ctx, "e:\\tarnwick")
    # A run this small is over before its progress window could be looked at; the final
    # note comes while the main window is still hidden.
    ctx.click(MAIN_CAPTION, "btnInstall")
    ctx.wait_window(RUN_TITLE)
    ctx.expect(MAIN_CAPTION not in ctx.windows(), "the main window is on screen before the run has ended")
    # The run is over when its note shows: what reached the disk is final by now.
    folder = disk / "tarnwick"
    whole = [item for item in payload
             if (folder / item.name).is_file() and (folder / item.name).read_bytes() == item.content]
    failed = [item for item in payload if item not in whole]
    ctx.expect(whole and failed, "a 100k disk should take some of the files and refuse others; "
               f"whole: {[i.name for i in whole]}, not written: {[i.name for i in failed]}")
    expect_note(ctx, RUN_TITLE, "\r\n".join(not_written_line(f"e:\\tarnwick\\{item.name}") for item in failed))
    for item in whole:
        ctx.expect_equal(int((folder / item.name).stat().st_mtime), item.mtime,
                         f"last-write time of {item.name}")
    for item in failed:
        partial_file = folder / item.name
        ctx.expect(not partial_file.exists() or int(partial_file.stat().st_mtime) != item.mtime,
                   f"{item.name} could not be written but got its stored date")
    expect_main_window_back(ctx, "e:\\tarnwick")
    ctx.expect("dosbox.conf" not in installed_names(folder), "a failed run wrote dosbox.conf")
    ctx.expect(not (ctx.desktop / DOSBOX_LINK).exists() and not (ctx.desktop / PRINT_LINK).exists(),
               "a failed run made the DOSBox shortcuts")
    end_from_main_window(ctx)


@scenario("install-folder-cannot-be-made")
def folder_cannot_be_made(ctx):
    disk = ctx.root / "read-only-disk"
    ctx.mount_tmpfs(disk, "64k", read_only=True)
    ctx.add_drive("f", disk, "hd")
    open_install_page(ctx)
    set_install_folder(ctx, "f:\\games\\qv")
    ctx.click(MAIN_CAPTION, "btnInstall")
    expect_note(ctx, RUN_TITLE, "The folder f:\\games\\qv could not be created.")
    expect_main_window_back(ctx, "f:\\games\\qv")
    end_from_main_window(ctx)


@scenario("install-damaged-record-brings-window-back")
def damaged_record(ctx):
    # One byte of the third record's body changed in the scenario's copy of the program: the
    # record no longer inflates, and the run ends by an exception while it loads.
    program = ctx.drive_c / "setup" / "TarnwickSetup.exe"
    image = bytearray(program.read_bytes())
    record = (ctx.run.product_exe.parent / "payload" / "RS_WLB1.bin").read_bytes()
    at = image.find(record)
    ctx.expect(at > 0 and image.count(record) == 1, "the record RS_WLB1 is not in the program once")
    image[at + len(record) // 2] ^= 0x55
    program.write_bytes(bytes(image))

    open_install_page(ctx)
    ctx.click(MAIN_CAPTION, "btnInstall")
    # The application's handler shows the error over the window that the action brought back.
    ctx.wait_window(APP_TITLE)
    ctx.expect(MAIN_CAPTION in ctx.windows(), "the main window is not back under the error")
    expect_note(ctx, APP_TITLE, "Error")
    ctx.expect_equal(ctx.windows(), [MAIN_CAPTION], "windows after the error")
    ctx.expect_equal(installed_names(ctx.drive_c / "qv"), [], "files written by a run that failed to load")
    controls = ctx.controls(MAIN_CAPTION)
    ctx.expect(controls["btnInstall"]["visible"], "the main window came back, but not on its install page")
    end_from_main_window(ctx)
