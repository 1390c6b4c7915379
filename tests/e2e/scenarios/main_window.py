"""The main window: its two pages, the default install folder, typing and Browse, and the
three ways of closing it."""

import time
from functools import partial

from runner import add_scenario, scenario
from .installer_texts import BROWSE_CAPTION, FOLDER_BROWSER, MAIN_CAPTION, put_dosbox

INTRO_TEXTS = {
    "Label14": "INSTALLING",
    "Label15": "Corvana\u00ae",
    "lbP1Progname": "Tarnwick",
    "lbP1ProgVer": "3.24",
    "lbIns1": "This will install Corvana Tarnwick",
    "lbIns2": "Version 3.24 05/11/04",
    "lbDetails": "Click SETUP to install this program, CANCEL to close",
    "Label13": "without installing.",
    "btnSetup": "Setup",
    "btnCancel": "Cancel",
}
INSTALL_PAGE_TEXTS = {
    "Label10": "Install Folder:",
    "btnBrowse": "Browse",
    "btnInstall": "Install",
    "BtnCancel2": "Cancel",
}
# Controls with a fixed place in the layout (left, top, width, height at 96 DPI).
PLACES = {
    "Image1": (38, 19, 105, 105),
    "btnSetup": (102, 332, 73, 22),
    "btnCancel": (321, 332, 73, 22),
    "edInstallDir": (64, 35, 287, 26),
    "btnBrowse": (354, 37, 73, 22),
    "btnInstall": (209, 341, 73, 22),
    "BtnCancel2": (343, 341, 73, 22),
}
# Labels centred on their parent's width at creation: the pages are 492 wide, the panel 185.
CENTRED = {"lbIns1": 492, "lbIns2": 492, "lbP1Progname": 185, "lbP1ProgVer": 185}
# Text colours, as the screen must show them.
YELLOW_TEXT = ("lbIns1", "lbIns2", "lbDetails", "Label13")
WHITE_TEXT = ("Label14", "Label15", "lbP1Progname", "lbP1ProgVer", "btnSetup", "btnCancel")
LEFT_PANEL = ("Label14", "Label15", "lbP1Progname", "lbP1ProgVer", "Image1")
INTRO_ONLY = ("lbIns1", "lbIns2", "lbDetails", "Label13", "btnSetup", "btnCancel")
INSTALL_ONLY = ("Label10", "edInstallDir", "btnBrowse", "btnInstall", "BtnCancel2")


def open_main_window(ctx):
    put_dosbox(ctx)
    ctx.start()
    return ctx.wait_window(MAIN_CAPTION)


def expect_visible(ctx, controls, names, visible, page):
    for name in names:
        ctx.expect(name in controls, f"the window has no control named {name}")
        state = "visible" if visible else "hidden"
        ctx.expect(controls[name]["visible"] == visible, f"{name} is not {state} on the {page}")


def to_install_page(ctx):
    ctx.click(MAIN_CAPTION, "btnSetup")
    wait_until(ctx, lambda: ctx.controls(MAIN_CAPTION).get("edInstallDir", {}).get("visible"),
               "Setup did not show the install page")


def wait_until(ctx, condition, message, timeout=5.0):
    deadline = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > deadline:
            ctx.expect(False, message)
        time.sleep(0.2)


def wait_for_text(ctx, name, expected, timeout=5.0):
    """The control's text once it is `expected`; the last text seen if it never gets there."""
    deadline = time.monotonic() + timeout
    while True:
        text = ctx.text(MAIN_CAPTION, name)
        if text == expected or time.monotonic() > deadline:
            return text
        time.sleep(0.2)


def end_with(ctx, how):
    if how == "title bar":
        ctx.close(MAIN_CAPTION)
    else:
        ctx.click(MAIN_CAPTION, how)
    ctx.expect_equal(ctx.wait_exit(), 0, "exit code")


@scenario("main-window-introduction-page")
def introduction_page(ctx):
    window = open_main_window(ctx)
    ctx.expect_equal(window["text"], MAIN_CAPTION, "window caption")
    ctx.expect_equal((window["cw"], window["ch"]), (685, 400), "client area")
    controls = ctx.controls(MAIN_CAPTION)
    for name, text in INTRO_TEXTS.items():
        ctx.expect(name in controls, f"the window has no control named {name}")
        ctx.expect_equal(controls[name]["text"], text, f"text of {name}")
    expect_visible(ctx, controls, INTRO_ONLY + LEFT_PANEL, True, "introduction page")
    expect_visible(ctx, controls, INSTALL_ONLY, False, "introduction page")
    for name, (left, top, width, height) in PLACES.items():
        c = controls[name]
        ctx.expect_equal((c["px"], c["py"], c["w"], c["h"]), (left, top, width, height),
                         f"place of {name}")
    for name, parent_width in CENTRED.items():
        c = controls[name]
        ctx.expect_equal(c["px"], (parent_width - c["w"]) // 2, f"left of centred {name}")
    ctx.screenshot("main-introduction-96dpi", MAIN_CAPTION)
    expect_drawn(ctx, controls, YELLOW_TEXT, "#FFFF00", "yellow")
    expect_drawn(ctx, controls, WHITE_TEXT, "#FFFFFF", "white")
    end_with(ctx, "title bar")


def expect_drawn(ctx, controls, names, colour, colour_name):
    """Each control's text shows on screen in its colour (a few per cent of its pixels)."""
    shares = ctx.colour_share([controls[n] for n in names], colour)
    blank = [name for name, share in shares.items() if share < 0.02]
    ctx.expect(not blank, f"no {colour_name} text on screen where {', '.join(blank)} should show")


@scenario("main-window-cancel-on-introduction-page")
def cancel_on_introduction(ctx):
    open_main_window(ctx)
    end_with(ctx, "btnCancel")


def install_page(corvana_folder, expected_folder, how_to_end, screenshot, ctx):
    if corvana_folder:
        (ctx.drive_c / "corvana" / "qv").mkdir(parents=True)
    open_main_window(ctx)
    to_install_page(ctx)
    controls = ctx.controls(MAIN_CAPTION)
    expect_visible(ctx, controls, INSTALL_ONLY + LEFT_PANEL, True, "install page")
    expect_visible(ctx, controls, INTRO_ONLY, False, "install page")
    for name, text in INSTALL_PAGE_TEXTS.items():
        ctx.expect_equal(controls[name]["text"], text, f"text of {name}")
    ctx.expect_equal(controls["edInstallDir"]["text"], expected_folder, "default install folder")
    if screenshot:
        ctx.screenshot(screenshot, MAIN_CAPTION)
    end_with(ctx, how_to_end)


add_scenario("main-window-install-page-default-folder",
             partial(install_page, False, "c:\\qv", "BtnCancel2", "main-install-96dpi"))
add_scenario("main-window-install-page-corvana-folder",
             partial(install_page, True, "c:\\corvana\\qv", "title bar", None))


@scenario("main-window-typed-folder-is-lower-case")
def typed_folder(ctx):
    open_main_window(ctx)
    to_install_page(ctx)
    ctx.drive("type", MAIN_CAPTION, "edInstallDir", "D:\\Games\\Tarnwick")
    ctx.expect_equal(wait_for_text(ctx, "edInstallDir", "d:\\games\\tarnwick"),
                     "d:\\games\\tarnwick", "typed install folder")
    end_with(ctx, "BtnCancel2")


def open_folder_browser(ctx):
    ctx.click(MAIN_CAPTION, "btnBrowse")
    browser = ctx.wait_window(FOLDER_BROWSER)
    ctx.expect(BROWSE_CAPTION in ctx.texts(FOLDER_BROWSER), "the browser lacks its caption")
    return browser


@scenario("main-window-browse-cancel-keeps-folder")
def browse_cancel(ctx):
    (ctx.drive_c / "qv").mkdir()
    open_main_window(ctx)
    to_install_page(ctx)
    open_folder_browser(ctx)
    # The dialog opens on the edit's folder where it exists.
    selected = [line for line in ctx.drive("tree", FOLDER_BROWSER).splitlines()
                if '"selected": true' in line]
    ctx.expect(len(selected) == 1 and '"text": "qv"' in selected[0],
               f"the browser did not open on c:\\qv; selected: {selected!r}")
    ctx.screenshot("folder-browser-96dpi", FOLDER_BROWSER)
    ctx.press(FOLDER_BROWSER, "Cancel")
    ctx.drive("gone", FOLDER_BROWSER)
    ctx.expect_equal(ctx.text(MAIN_CAPTION, "edInstallDir"), "c:\\qv", "install folder")
    end_with(ctx, "BtnCancel2")


@scenario("main-window-browse-ok-takes-folder-in-lower-case")
def browse_ok(ctx):
    (ctx.drive_c / "Games" / "Tarnwick").mkdir(parents=True)
    open_main_window(ctx)
    to_install_page(ctx)
    open_folder_browser(ctx)
    ctx.drive("select-folder", FOLDER_BROWSER, "C:\\Games\\Tarnwick")
    ctx.press(FOLDER_BROWSER, "OK")
    ctx.drive("gone", FOLDER_BROWSER)
    ctx.expect_equal(wait_for_text(ctx, "edInstallDir", "c:\\games\\tarnwick"),
                     "c:\\games\\tarnwick", "install folder")
    end_with(ctx, "title bar")


@scenario("readme-screenshots", readme_only=True)
def readme_screenshots(ctx):
    open_main_window(ctx)
    ctx.screenshot("main-window-intro", MAIN_CAPTION)
    to_install_page(ctx)
    ctx.screenshot("main-window-install", MAIN_CAPTION)
    end_with(ctx, "title bar")
