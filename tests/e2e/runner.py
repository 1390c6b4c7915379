"""Runs scenarios one after another, each in its own prefix under a hard time limit, and
reports one line per scenario. A failure shows what was on screen and keeps a screenshot."""

import signal
import sys
import time
import traceback
from dataclasses import dataclass
from pathlib import Path
from typing import Callable

from scenario_context import ScenarioContext, ScenarioFailure


@dataclass
class Scenario:
    name: str
    body: Callable[[ScenarioContext], None]
    timeout: int = 60
    dpi: int = 96
    readme_only: bool = False  # writes the README's screenshots; not part of the test run


SCENARIOS: list = []


def add_scenario(name, body, timeout=60, dpi=96, readme_only=False):
    if any(s.name == name for s in SCENARIOS):
        raise ValueError(f"two scenarios named {name}")
    SCENARIOS.append(Scenario(name, body, timeout, dpi, readme_only))


def scenario(name, timeout=60, dpi=96, readme_only=False):
    """Decorator form of add_scenario."""
    def register(body):
        add_scenario(name, body, timeout, dpi, readme_only)
        return body
    return register


class ScenarioTimeout(Exception):
    pass


@dataclass
class Run:
    """What all scenarios of one run share."""
    display: str
    template: Path
    template_home: Path
    scenarios_dir: Path
    screenshots_dir: Path
    product_exe: Path
    driver_exe: Path
    keep: bool = False
    large_product_exe: Path = None  # the test build with a large payload, where built


def _on_alarm(signum, frame):
    raise ScenarioTimeout()


def _report_failure(ctx, message):
    print(f"    {message}")
    try:
        shot = ctx.screenshot(f"FAILED-{ctx.name}")
        print(f"    screen: {shot}")
    except Exception as e:  # the report must not hide the failure behind its own
        print(f"    (no screenshot: {e})")
    try:
        on_screen = ctx.drive("dump", timeout=5, check=False).strip()
        print("    on screen:" if on_screen else "    on screen: no window")
        for line in on_screen.splitlines():
            print(f"      {line}")
    except Exception as e:
        print(f"    (no dump: {e})")
    if ctx.product_log:
        log = ctx.product_log_text().strip()
        if log:
            print("    installer's stderr (last lines):")
            for line in log.splitlines()[-10:]:
                print(f"      {line}")
    print(f"    files kept in {ctx.root}")


def run_one(run, entry):
    ctx = ScenarioContext(run, entry.name, entry.dpi)
    started = time.monotonic()
    failure = None
    previous = signal.signal(signal.SIGALRM, _on_alarm)
    signal.alarm(entry.timeout)
    try:
        try:
            ctx.set_up()
            entry.body(ctx)
        except ScenarioTimeout:
            failure = f"timed out after {entry.timeout} s"
        except ScenarioFailure as e:
            failure = str(e)
        except Exception:
            failure = traceback.format_exc().rstrip().replace("\n", "\n    ")
        finally:
            signal.alarm(0)
            signal.signal(signal.SIGALRM, previous)
        seconds = time.monotonic() - started
        if failure:
            print(f"FAIL {entry.name} ({seconds:.1f} s)")
            _report_failure(ctx, failure)
        else:
            print(f"PASS {entry.name} ({seconds:.1f} s)")
        sys.stdout.flush()
    finally:
        # Also when the run itself is stopped: no Wine process may outlive its scenario.
        ctx.tear_down()
    if not failure and not run.keep:
        ctx.remove_files()
    return failure is None


def run_all(run, entries):
    passed = failed = 0
    for entry in entries:
        if run_one(run, entry):
            passed += 1
        else:
            failed += 1
    print(f"{passed} passed, {failed} failed")
    return failed == 0
