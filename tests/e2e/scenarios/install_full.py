"""Complete installations through the real windows: on 64-bit Windows with DOSBox (the files,
dosbox.conf, the two desktop shortcuts, the old .conf files in the Trash, the closing note),
and beside the maker's menu program (its note instead of the DOSBox set-up)."""

from runner import scenario
from shell_link import read_shell_link
from .install_common import (APP_TITLE, DOSBOX_LINK, DOSBOX_NOTE, FINISHED_STAGE, MENU_NOTE,
                             PRINT_LINK, PROGRESS, RUN_TITLE, dosbox_template, expect_installed,
                             expect_note, installed_names, open_install_page, sample_payload,
                             start_install, wait_progress_text)
from .installer_texts import MAIN_CAPTION

DOSBOX_EXE = "c:\\program files (x86)\\dosbox-0.74\\dosbox.exe"
SW_SHOWNORMAL = 1
CTRL_ALT_P = 0x0650


def expected_links(folder):
    """Every field of the two shortcuts, for an install folder prefix such as c:\\qv\\."""
    return {
        DOSBOX_LINK: dict(target=DOSBOX_EXE, arguments=f"-noconsole -conf {folder}dosbox.conf",
                          description="Tarnwick", icon_location=f"{folder}tkmark.ico", icon_index=0,
                          working_directory="c:\\program files (x86)\\dosbox-0.74\\",
                          show_command=SW_SHOWNORMAL, hot_key=0),
        PRINT_LINK: dict(target=f"{folder}pr32.exe", arguments="f",
                         description="Print File f (CTRL+ALT+P)", icon_location=f"{folder}tkmark.ico",
                         icon_index=0, working_directory=folder, show_command=SW_SHOWNORMAL,
                         hot_key=CTRL_ALT_P),
    }


def desktop_files(ctx):
    """The desktop's files, without the launchers that Wine's menu builder puts beside every
    shortcut there (the Linux desktop's own copies, not the installer's doing)."""
    return [name for name in installed_names(ctx.desktop) if not name.endswith(".desktop")]


def expect_links(ctx, folder):
    for name, fields in expected_links(folder).items():
        link = read_shell_link(ctx.desktop / name)
        for field, expected in fields.items():
            ctx.expect_equal(getattr(link, field), expected, f"{field} of {name}")


def expect_finished_state(ctx, payload):
    """The window's finished state: the stage, one OK button centred, no file path, and the
    count, bar and bytes line as the last file left them."""
    wait_progress_text(ctx, "lbStage", FINISHED_STAGE)
    controls = ctx.controls(PROGRESS)
    total = f"{sum(len(item.content) for item in payload):,}"
    for name, text in (("lbFiles", "Files: 9"), ("lbStatus", f"{total} of {total} bytes"),
                       ("btnCancel", "OK")):
        ctx.expect_equal(controls[name]["text"], text, f"text of {name} when finished")
    ctx.expect(not controls["btnPause"]["visible"], "the Pause button is still shown when finished")
    ctx.expect(not controls["lbFileName"]["visible"], "the file path is still shown when finished")
    ctx.expect_equal(controls["btnCancel"]["px"], 166, "left of the centred OK button")


@scenario("install-complete-64bit-with-dosbox", timeout=120)
def complete_with_dosbox(ctx):
    payload = sample_payload(ctx)
    folder = ctx.drive_c / "qv"
    folder.mkdir()
    old_settings = b"[old]\r\nsettings of an earlier installation\r\n"
    (folder / "settings.conf").write_bytes(old_settings)
    (folder / "dosbox.conf").write_bytes(b"an earlier dosbox.conf\r\n")
    (ctx.desktop / DOSBOX_LINK).write_bytes(b"an earlier shortcut, replaced")

    open_install_page(ctx)
    ctx.expect_equal(ctx.text(MAIN_CAPTION, "edInstallDir"), "c:\\qv", "default install folder")
    start_install(ctx)
    expect_finished_state(ctx, payload)
    ctx.screenshot("progress-finished", PROGRESS)
    ctx.click(PROGRESS, "btnCancel")
    expect_note(ctx, APP_TITLE, DOSBOX_NOTE, screenshot="dosbox-closing-note")
    ctx.expect_equal(ctx.wait_exit(), 0, "exit code")

    expect_installed(ctx, folder, payload)
    ctx.expect_equal(installed_names(folder), sorted([item.name for item in payload] + ["dosbox.conf"]),
                     "files in the install folder")
    conf = dosbox_template() + b"mount c c:\\qv\r\nc:\r\ndel f\r\nquenw.exe /ns\r\nexit\r\n"
    ctx.expect((folder / "dosbox.conf").read_bytes() == conf,
               "dosbox.conf is not the template followed by the five start-up lines")
    ctx.expect_equal(ctx.trashed_names(), ["dosbox.conf", "settings.conf"], "files in the Trash")
    ctx.expect((ctx.trash / "files" / "settings.conf").read_bytes() == old_settings,
               "the Trash holds another settings.conf than the folder's")
    ctx.expect_equal(desktop_files(ctx), [PRINT_LINK, DOSBOX_LINK], "files on the desktop")
    expect_links(ctx, "c:\\qv\\")


@scenario("install-menu-program-in-parent-folder", timeout=90)
def menu_program(ctx):
    payload = sample_payload(ctx)
    corvana = ctx.drive_c / "corvana"
    folder = corvana / "qv"
    folder.mkdir(parents=True)
    (corvana / "qvmenu.exe").write_bytes(b"")
    (folder / "settings.conf").write_bytes(b"kept\r\n")

    open_install_page(ctx)
    ctx.expect_equal(ctx.text(MAIN_CAPTION, "edInstallDir"), "c:\\corvana\\qv", "default install folder")
    start_install(ctx)
    wait_progress_text(ctx, "lbStage", FINISHED_STAGE)
    # The title bar's close box acknowledges the finished state as OK does.
    ctx.close(PROGRESS)
    expect_note(ctx, RUN_TITLE, MENU_NOTE)
    ctx.expect_equal(ctx.wait_exit(), 0, "exit code")

    expect_installed(ctx, folder, payload)
    ctx.expect_equal(installed_names(folder), sorted([item.name for item in payload] + ["settings.conf"]),
                     "files in the install folder (no dosbox.conf)")
    ctx.expect_equal(desktop_files(ctx), [], "files on the desktop")
    ctx.expect_equal(ctx.trashed_names(), [], "files in the Trash")
