"""The progress window while the run copies: Pause, Resume and Cancel, and the title bar's close
box. These runs use the test build with a large payload (TarnwickSetupLarge.exe): its items
are larger than a pipe's buffer, so a named pipe in place of a file holds the run inside
that file's write for as long as the scenario needs (see held_file.py). While held, the run
processes no messages, the window shows what the last file left on it, and clicks wait in
the queue until the run's next pass of its message pump, after the file."""

import re
import time

from runner import scenario
from .install_common import (APP_TITLE, DOSBOX_NOTE, FINISHED_STAGE, ITEM_COUNT, PROGRESS, RUN_TITLE,
                             cancel_note, end_from_main_window, expect_main_window_back,
                             expect_note, installed_names, open_install_page, wait_progress_text)
from .installer_texts import MAIN_CAPTION

FOLDER = "c:\\qv"
# The catalogue's file names in the order the run writes them.
FILE_ORDER = ["quenw.exe", "tkrun.exe", "wheel1.wlb", "tkrun.hlp", "tkmark.ico", "wheelv4.wlb",
              "wheelv4a.wlb", "readme.txt", "pr32.exe"]
HOLD_TIMEOUT = 60  # loading the large payload, on a busy machine


def held_at(ctx, number):
    """Holds the run in its write of file `number` (1-based)."""
    return ctx.hold_file(f"{FOLDER}\\{FILE_ORDER[number - 1]}")


def wait_held(ctx, held):
    ctx.expect(held.wait_opened(HOLD_TIMEOUT),
               f"the run did not come to {held.path.name} within {HOLD_TIMEOUT} s")


def release(ctx, held, item_size=None):
    ctx.expect(held.release(), f"the run did not finish writing {held.path.name}")
    if item_size is not None:
        ctx.expect_equal(len(held.received), item_size, f"bytes written to {held.path.name}")


def bytes_line(files, item_size):
    return f"{files * item_size:,} of {ITEM_COUNT * item_size:,} bytes"


def item_size_shown(ctx):
    """One item's size, from the bytes line's total (the large items are all one size)."""
    line = ctx.text(PROGRESS, "lbStatus")
    found = re.fullmatch(r"[\d,]+ of ([\d,]+) bytes", line)
    ctx.expect(found, f"the bytes line reads {line!r}")
    total = int(found.group(1).replace(",", ""))
    ctx.expect(total % ITEM_COUNT == 0, f"the bytes line's total {total} is not nine equal items")
    return total // ITEM_COUNT


def progress_reading(ctx):
    """What shows that the run moves: the count, the bytes line, the files on disk."""
    return (ctx.text(PROGRESS, "lbFiles"), ctx.text(PROGRESS, "lbStatus"),
            installed_names(ctx.drive_c / "qv"))


def start_run_with_click(ctx, *click):
    """Presses Install with `click` (a driver command) posted as soon as the progress window
    shows, while the items load; the run is held in the write of its first file until both
    have happened, so the click waits in the queue until the pump after the first file."""
    (ctx.drive_c / "qv").mkdir()
    first = held_at(ctx, 1)
    open_install_page(ctx, large=True)
    clicked = ctx.drive_in_background(*click)
    ctx.click(MAIN_CAPTION, "btnInstall")
    wait_held(ctx, first)
    ctx.background_result(clicked)
    return first


def expect_paused_after_first_file(ctx):
    wait_progress_text(ctx, "btnPause", "Resume")
    size = item_size_shown(ctx)
    ctx.expect_equal(ctx.text(PROGRESS, "lbFiles"), "Files: 1", "count while paused")
    ctx.expect_equal(ctx.text(PROGRESS, "lbStatus"), bytes_line(1, size), "bytes line while paused")
    ctx.expect_equal(ctx.text(PROGRESS, "lbFileName"), f"{FOLDER}\\{FILE_ORDER[0]}", "file while paused")
    ctx.expect(MAIN_CAPTION not in ctx.windows(), "the main window is on screen during the run")
    before = progress_reading(ctx)
    time.sleep(1.5)  # the pause must last: nothing may move meanwhile
    ctx.expect_equal(progress_reading(ctx), before, "count, bytes line and files over a paused 1.5 s")
    ctx.expect_equal(before[2], [FILE_ORDER[0]], "files on disk while paused")
    return size


@scenario("install-pause-resume-cancel", timeout=120)
def pause_resume_cancel(ctx):
    first = start_run_with_click(ctx, "click", PROGRESS, "btnPause")
    release(ctx, first)
    size = expect_paused_after_first_file(ctx)
    third = held_at(ctx, 3)
    ctx.expect_equal(len(first.received), size, f"bytes written to {FILE_ORDER[0]}")
    window = ctx.wait_window(PROGRESS)
    ctx.screenshot("progress-paused", PROGRESS)

    ctx.click(PROGRESS, "btnPause")  # now captioned Resume
    wait_held(ctx, third)
    # The run writes again: the window shows the second file's pass, with Pause back.
    ctx.screenshot("progress-copying", window)
    ctx.click(PROGRESS, "btnCancel")
    release(ctx, third, size)

    expect_note(ctx, RUN_TITLE, cancel_note(3))
    ctx.expect_equal(installed_names(ctx.drive_c / "qv"), sorted(FILE_ORDER[:3]), "files after the cancel")
    ctx.expect_equal((ctx.drive_c / "qv" / FILE_ORDER[1]).stat().st_size, size, f"size of {FILE_ORDER[1]}")
    expect_main_window_back(ctx, FOLDER)
    end_from_main_window(ctx)


@scenario("install-cancel-during-pause", timeout=120)
def cancel_during_pause(ctx):
    first = start_run_with_click(ctx, "click", PROGRESS, "btnPause")
    release(ctx, first)
    expect_paused_after_first_file(ctx)
    ctx.click(PROGRESS, "btnCancel")
    expect_note(ctx, RUN_TITLE, cancel_note(1))
    ctx.expect(PROGRESS not in ctx.windows(), "the progress window outlived the run")
    ctx.expect_equal(installed_names(ctx.drive_c / "qv"), [FILE_ORDER[0]], "files after the cancel")
    expect_main_window_back(ctx, FOLDER)
    end_from_main_window(ctx)


@scenario("install-close-box-while-copying-then-again", timeout=180)
def close_box_then_again(ctx):
    first = start_run_with_click(ctx, "close", PROGRESS)
    release(ctx, first)
    # The close request hides the window and cancels after the first file.
    expect_note(ctx, RUN_TITLE, cancel_note(1))
    ctx.expect_equal(installed_names(ctx.drive_c / "qv"), [FILE_ORDER[0]], "files after the close box")
    expect_main_window_back(ctx, FOLDER)

    # The window that came back installs as before: a second Install runs to the end.
    (ctx.drive_c / "qv" / FILE_ORDER[0]).unlink()  # the pipe of the first run
    ctx.click(MAIN_CAPTION, "btnInstall")
    ctx.wait_window(PROGRESS, timeout=HOLD_TIMEOUT)
    wait_progress_text(ctx, "lbStage", FINISHED_STAGE, timeout=HOLD_TIMEOUT)
    ctx.click(PROGRESS, "btnCancel")  # captioned OK
    expect_note(ctx, APP_TITLE, DOSBOX_NOTE)
    ctx.expect_equal(ctx.wait_exit(), 0, "exit code")
    ctx.expect_equal(installed_names(ctx.drive_c / "qv"), sorted(FILE_ORDER + ["dosbox.conf"]),
                     "files after the second run")
