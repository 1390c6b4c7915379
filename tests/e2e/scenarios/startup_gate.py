"""The start-up gate: the warning box on 64-bit Windows without DOSBox or with the "/t"
switch, its answers, and which DOSBox folders let the installer start."""

from functools import partial

from runner import add_scenario
from .installer_texts import MAIN_CAPTION, WARNING_CAPTION, WARNING_TEXT, put_dosbox

DOWNLOAD_PAGE_END = "/projects/dosbox"


def expect_warning_box(ctx):
    """The box is up, says exactly what it must, and no installer window is beside it."""
    box = ctx.wait_window(WARNING_CAPTION)
    texts = ctx.texts(WARNING_CAPTION)
    ctx.expect(WARNING_TEXT in texts,
               f"the warning box does not show the warning text; it shows {texts!r}")
    for button in ("OK", "Cancel"):
        ctx.expect(button in texts, f"the warning box has no {button} button; it shows {texts!r}")
    ctx.expect(MAIN_CAPTION not in ctx.windows(), "the installer window opened with the box")
    return box


def expect_orderly_end(ctx):
    ctx.expect_equal(ctx.wait_exit(), 0, "exit code")


# ---- 64-bit Windows without DOSBox: each way of answering the box ----

def answer_box(answer, ctx, screenshot=None):
    ctx.start()
    expect_warning_box(ctx)
    if screenshot:
        ctx.screenshot(screenshot, WARNING_CAPTION)
    if answer == "title bar":
        ctx.close(WARNING_CAPTION)
    else:
        ctx.press(WARNING_CAPTION, answer)
    expect_orderly_end(ctx)
    addresses = ctx.browser_log(settle=10 if answer == "OK" else 1.5)
    if answer == "OK":
        ctx.expect(len(addresses) == 1, f"the browser was asked for {addresses!r}")
        page = addresses[0]
        ctx.expect(page.startswith("https://") and page.rstrip("/").endswith(DOWNLOAD_PAGE_END),
                   f"the browser was sent to {page!r}, not to DOSBox's download page")
    else:
        ctx.expect(addresses == [], f"{answer} still opened {addresses!r}")


add_scenario("gate-no-dosbox-ok-opens-download-page", partial(answer_box, "OK"))
add_scenario("gate-no-dosbox-cancel", partial(answer_box, "Cancel", screenshot="warning-box-96dpi"))
add_scenario("gate-no-dosbox-box-closed-by-title-bar", partial(answer_box, "title bar"))


# ---- the "/t" switch: the box even where DOSBox is present ----

def switch_given(args, command_line, ctx):
    put_dosbox(ctx)
    if command_line:
        ctx.copy_product("C:\\x\\tools")
    ctx.start(*args, command_line=command_line)
    expect_warning_box(ctx)
    ctx.press(WARNING_CAPTION, "Cancel")
    expect_orderly_end(ctx)


SWITCH_CASES = [
    ("lower-case", ["/t"], None),
    ("upper-case", ["/T"], None),
    ("word-beginning-with-it", ["/test"], None),
    # A forward slash in the program's own path: "c:\x/tools\..." holds "/t".
    ("in-program-path", [], "c:\\x/tools\\TarnwickSetup.exe"),
]
for label, args, command_line in SWITCH_CASES:
    add_scenario(f"gate-switch-{label}", partial(switch_given, args, command_line))


# ---- FindDosBox: which entries of Program Files (x86) count ----

def dosbox_layout(folder, with_exe, attributes, parent, admitted, ctx):
    put_dosbox(ctx, folder, with_exe, attributes, parent)
    ctx.start()
    if admitted:
        ctx.wait_window(MAIN_CAPTION)
        ctx.expect(WARNING_CAPTION not in ctx.windows(), "the warning box came with the window")
        ctx.close(MAIN_CAPTION)
    else:
        expect_warning_box(ctx)
        ctx.press(WARNING_CAPTION, "Cancel")
    expect_orderly_end(ctx)


X86 = "Program Files (x86)"
DOSBOX_CASES = [
    # label, entry's name, holds dosbox.exe, attributes, folder it is in, installer starts
    ("found", "DOSBox-0.74", True, (), X86, True),
    ("hidden-folder-skipped", "DOSBox-0.74", True, ("+h",), X86, False),
    ("system-folder-skipped", "DOSBox-0.74", True, ("+s",), X86, False),
    ("folder-without-exe", "DOSBox-0.74", False, (), X86, False),
    # The 64-bit twin looks where a 32-bit process would: not in the 64-bit Program Files.
    ("only-in-64-bit-program-files", "DOSBox-0.74", True, (), "Program Files", False),
]
for label, folder, with_exe, attributes, parent, admitted in DOSBOX_CASES:
    add_scenario(f"find-dosbox-{label}",
                 partial(dosbox_layout, folder, with_exe, attributes, parent, admitted))
