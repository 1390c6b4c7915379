"""At 144 DPI (150 %) the windows scale every layout figure once: the screenshots show
whether they stay crisp, and the client area shows that the scaling happened."""

from runner import scenario
from .installer_texts import MAIN_CAPTION, WARNING_CAPTION, put_dosbox
from .main_window import end_with, to_install_page
from .startup_gate import expect_warning_box

DPI = 144


def scaled(figure):
    return figure * DPI / 96


@scenario("dpi144-warning-box", dpi=DPI)
def warning_box(ctx):
    ctx.start()
    expect_warning_box(ctx)
    ctx.screenshot("warning-box-144dpi", WARNING_CAPTION)
    ctx.press(WARNING_CAPTION, "Cancel")
    ctx.expect_equal(ctx.wait_exit(), 0, "exit code")


@scenario("dpi144-main-window", dpi=DPI)
def main_window(ctx):
    put_dosbox(ctx)
    ctx.start()
    window = ctx.wait_window(MAIN_CAPTION)
    for figure, seen, what in ((685, window["cw"], "width"), (400, window["ch"], "height")):
        ctx.expect(abs(seen - scaled(figure)) <= 1,
                   f"client {what} at {DPI} DPI: expected about {scaled(figure):g}, got {seen}")
    setup = ctx.controls(MAIN_CAPTION)["btnSetup"]
    ctx.expect(abs(setup["w"] - scaled(73)) <= 1 and abs(setup["h"] - scaled(22)) <= 1,
               f"btnSetup at {DPI} DPI is {setup['w']} x {setup['h']}")
    ctx.screenshot("main-introduction-144dpi", MAIN_CAPTION)
    to_install_page(ctx)
    ctx.screenshot("main-install-144dpi", MAIN_CAPTION)
    end_with(ctx, "BtnCancel2")
