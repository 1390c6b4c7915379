#!/usr/bin/env python3
"""End-to-end scenarios: the 64-bit TarnwickSetup.exe under Wine, driven by tkdriver.exe.

    run_e2e.py --win64-dir build/win64             every scenario
    run_e2e.py --win64-dir build/win64 -k gate     scenarios whose name contains "gate"
    run_e2e.py --win64-dir build/win64 --readme-shots docs
                                                   the README's screenshots of the main window

Screenshots go to <out>/screenshots (by default <win64-dir>/e2e/screenshots). Without a
DISPLAY the run starts an Xvfb of its own.
"""

import argparse
import os
import shutil
import signal
import sys
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ folders in the source tree
sys.path.insert(0, str(Path(__file__).resolve().parent))

import runner  # noqa: E402
import scenarios  # noqa: E402,F401  (registers the scenarios)
import wine_prefix  # noqa: E402
from xserver import XServer  # noqa: E402


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--win64-dir", type=Path, default=os.environ.get("WIN64_DIR"),
                        help="build folder holding TarnwickSetup.exe and tkdriver.exe")
    parser.add_argument("--out", type=Path, help="work folder (default <win64-dir>/e2e)")
    parser.add_argument("-k", dest="pattern", default="", help="run scenarios whose name contains this")
    parser.add_argument("--list", action="store_true", help="list the scenarios and stop")
    parser.add_argument("--keep", action="store_true", help="keep every scenario's prefix")
    parser.add_argument("--xvfb", action="store_true", help="use an Xvfb even when DISPLAY is set")
    parser.add_argument("--readme-shots", type=Path, metavar="DIR",
                        help="write the README's screenshots to DIR instead of testing")
    return parser.parse_args()


def stop_on_terminate(signum, frame):
    # A killed run (a time limit, Ctrl-C) still ends its Xvfb and the scenario's Wine.
    raise SystemExit(f"e2e: stopped by signal {signum}")


def main():
    signal.signal(signal.SIGTERM, stop_on_terminate)
    args = parse_arguments()
    if args.readme_shots:
        selected = [s for s in runner.SCENARIOS if s.readme_only]
    else:
        selected = [s for s in runner.SCENARIOS if not s.readme_only and args.pattern in s.name]
    if args.list:
        for entry in selected:
            print(entry.name)
        return 0
    if not args.win64_dir:
        print("e2e: give --win64-dir or set WIN64_DIR", file=sys.stderr)
        return 2
    win64 = args.win64_dir.resolve()
    product, driver = win64 / "TarnwickSetup.exe", win64 / "tkdriver.exe"
    for needed in (product, driver):
        if not needed.is_file():
            print(f"e2e: {needed} is missing; build the win64 preset first", file=sys.stderr)
            return 2
    out = (args.out or win64 / "e2e").resolve()
    out.mkdir(parents=True, exist_ok=True)
    if args.readme_shots:
        screenshots = args.readme_shots.resolve()
    else:
        # A fresh folder per run, so that no screenshot of an earlier run passes for this one.
        screenshots = out / "screenshots"
        shutil.rmtree(screenshots, ignore_errors=True)
    screenshots.mkdir(parents=True, exist_ok=True)

    with XServer(force_xvfb=args.xvfb) as x:
        template, template_home = out / "template", out / "template-home"
        with open(out / "template.log", "wb") as log:
            wine_prefix.make_template(template, template_home, x.display, driver, log)
        run = runner.Run(display=x.display, template=template, template_home=template_home,
                         scenarios_dir=out / "scenarios", screenshots_dir=screenshots,
                         product_exe=product, driver_exe=driver, keep=args.keep,
                         large_product_exe=win64 / "TarnwickSetupLarge.exe")
        ok = runner.run_all(run, selected)
    print(f"e2e: screenshots in {screenshots}", file=sys.stderr)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
