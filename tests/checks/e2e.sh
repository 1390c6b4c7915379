#!/usr/bin/env bash
# End-to-end scenarios: the 64-bit TarnwickSetup.exe under Wine and Xvfb, driven from
# outside by tkdriver.exe, each scenario in its own Wine prefix and HOME. Prints one line
# per scenario and "N passed, M failed"; screenshots land in $WIN64_DIR/e2e/screenshots.
# Without a DISPLAY the harness starts an Xvfb of its own.
set -uo pipefail
: "${SOURCE_DIR:?}" "${WIN64_DIR:?}"
exec python3 "$SOURCE_DIR/tests/e2e/run_e2e.py" --win64-dir "$WIN64_DIR" "$@"
