# Sourced by the checks that look at what the real DOSBox set-up writes under Wine (it is
# not a check itself: the test command runs only tests/checks/*.sh).
# Needs SOURCE_DIR and WIN64_DIR; the caller has set -euo pipefail.

tests_exe="$WIN64_DIR/tarnwick_win_tests.exe"

# scratch_home NAME: $work, a scratch folder removed on exit, holding a home of its own
# (Wine's Trash and DOSBox's settings folder land there), and the prefix the Windows-side
# tests made where it exists.
scratch_home() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-$1.XXXXXX")
  trap 'rm -rf "$work" 2>/dev/null || true' EXIT
  export HOME="$work/home"
  mkdir -p "$HOME"
  # Wine's menu builder would write desktop entries into that home behind our back.
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  if [ -z "${WINEPREFIX:-}" ] && [ -f "$SOURCE_DIR/build/wine-tests/system.reg" ]; then
    export WINEPREFIX="$SOURCE_DIR/build/wine-tests"
  fi
}

# The Windows path of a Linux path: Z:\ of Wine is the Linux root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# run_dosbox_setup FOLDER DESKTOP LOG: installs the sample payload into FOLDER and runs the
# real DOSBox set-up on it under Wine, with DESKTOP as the desktop and the set-up's default
# DOSBox path. True when it ran and passed; its output is in LOG.
run_dosbox_setup() {
  TARNWICK_EXPORT_FOLDER="$(windows_path "$1")\\" TARNWICK_EXPORT_DESKTOP="$(windows_path "$2")\\" \
    "$SOURCE_DIR/scripts/wine-run.sh" "$tests_exe" --gtest_filter=Win32SetUpDosBox.ExportForTheChecks \
    >"$3" 2>&1 && grep -q '^\[  PASSED  \] 1 test' "$3" && ! grep -q 'SKIPPED' "$3"
}
